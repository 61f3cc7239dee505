#pragma once

#include "platform/widgets/ModalWindows.h"

#include <QDialog>
#include <QList>
#include <QQueue>
#include <QString>
#include <QTest>
#include <functional>

// Answers the program's modal windows from a script, in the order they are shown, and records
// every one shown. Installed while it lives (the one made last of those alive). Unscripted, a
// window is closed without a choice. A check that fails in a script's step fails the test
// function, closes the window and drops the rest of the script.
class ScriptedWindows : public ModalWindows::Answerer {
public:
    struct Shown {
        QString className; // "frmSearchList"
        QString title;
    };

    ScriptedWindows();
    ~ScriptedWindows() override;

    // The next window shown must be a T: `act` does in it what the user does (choose, click,
    // type, close). What it leaves open is then closed without a choice.
    template <class T>
    void answer(std::function<void(T&)> act) {
        m_script.enqueue([act](QDialog& window) {
            if (T* typed = qobject_cast<T*>(&window))
                act(*typed);
            else
                QTest::qFail(qPrintable(QStringLiteral("a %1 was shown where the script has a %2")
                                            .arg(QLatin1String(window.metaObject()->className()),
                                                 QLatin1String(T::staticMetaObject.className()))),
                             __FILE__, __LINE__);
        });
    }
    // The next window is closed without a choice.
    void leave();

    const QList<Shown>& shown() const { return m_shown; }
    // Scripted answers not used yet (none once a step failed).
    int pending() const { return int(m_script.size()); }

    void respond(QDialog& window) override;

private:
    QQueue<std::function<void(QDialog&)>> m_script;
    QList<Shown> m_shown;
};

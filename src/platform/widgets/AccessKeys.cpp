#include "AccessKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <QShortcutEvent>

namespace {

const char* const Preferred = "vellagonPreferredAccessKey";

// Runs the preferred command of a shared key, before any guard or the toolkit takes turns.
class PreferredKeys : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut)
            return false;
        auto* bar = qobject_cast<QMenuBar*>(watched);
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!bar || !shortcut->isAmbiguous())
            return false;
        for (QAction* command : bar->actions()) {
            if (command->property(Preferred).toBool() && command->isVisible() &&
                command->isEnabled() &&
                QKeySequence::mnemonic(command->text()) == shortcut->key()) {
                command->trigger();
                return true;
            }
        }
        return false;
    }
};

class SharedKeyGuard : public QObject {
public:
    explicit SharedKeyGuard(QMenuBar* bar) : QObject(bar), m_bar(bar) {
        bar->installEventFilter(this);
        // After a command has run, the focus goes back to where the key was pressed.
        connect(bar, &QMenuBar::triggered, this, [this] { leave(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_bar)
            return false;
        if (event->type() == QEvent::Shortcut)
            return highlight(static_cast<QShortcutEvent*>(event));
        if (event->type() == QEvent::KeyPress && m_highlighting &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            leave();
            return true;
        }
        if (event->type() == QEvent::FocusOut)
            m_highlighting = false;
        return false;
    }

private:
    bool highlight(const QShortcutEvent* event) {
        if (!event->isAmbiguous())
            return false;
        QList<QAction*> sharing;
        for (QAction* command : m_bar->actions())
            if (command->isVisible() && command->isEnabled() &&
                QKeySequence::mnemonic(command->text()) == event->key())
                sharing << command;
        if (sharing.isEmpty())
            return false;
        if (!m_highlighting) {
            m_returnTo = m_bar->window()->focusWidget();
            m_bar->setFocus(Qt::MenuBarFocusReason);
            m_highlighting = true;
        }
        const qsizetype at = sharing.indexOf(m_bar->activeAction());
        m_bar->setActiveAction(sharing.at((at + 1) % sharing.size()));
        return true;
    }

    void leave() {
        if (!m_highlighting)
            return;
        m_highlighting = false;
        m_bar->setActiveAction(nullptr);
        if (m_returnTo && m_bar->hasFocus())
            m_returnTo->setFocus(Qt::MenuBarFocusReason);
    }

    QMenuBar* m_bar;
    QPointer<QWidget> m_returnTo;
    bool m_highlighting = false;
};

} // namespace

namespace AccessKeys {

void guardShared(QMenuBar* bar) {
    new SharedKeyGuard(bar);
}

void prefer(QAction* command) {
    static PreferredKeys* filter = nullptr;
    if (!filter && qApp) {
        filter = new PreferredKeys(qApp);
        qApp->installEventFilter(filter);
    }
    command->setProperty(Preferred, true);
}

} // namespace AccessKeys

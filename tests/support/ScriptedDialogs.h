#pragma once

#include "platform/data/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <optional>

// Answers the program's dialogs from a script and records every one shown, to the character.
// Installed while it lives (the one made last of those alive). Unscripted: a message box takes its
// default button, an input, file or font dialog is cancelled.
class ScriptedDialogs : public Dialogs::Answerer {
public:
    struct Shown {
        enum Kind { Message, Input, File, Font } kind;
        QString text;  // prompt
        QString title; // as shown (the program's title where none was given)
        int style = 0; // message box style
        Dialogs::FileRequest file;
        Dialogs::FontRequest font;
        bool busyPointer = false; // the hourglass stood over it
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    // The next message boxes with more than an OK button are answered so.
    void answer(int vbAnswer);
    void answerInput(const QString& text);
    void cancelInput();
    void answerFile(const QString& path);
    void cancelFile();
    void answerFont(const QString& name, const QString& size);
    void cancelFont();

    const QList<Shown>& shown() const { return m_shown; }
    // Texts of the message boxes shown, in order.
    QStringList messages() const;
    QString lastMessage() const;
    const Shown* last() const { return m_shown.isEmpty() ? nullptr : &m_shown.last(); }
    void clear();
    // Scripted answers not used yet.
    int pending() const;

    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> fileDialog(const Dialogs::FileRequest& request) override;
    std::optional<Dialogs::FontChoice> fontDialog(const Dialogs::FontRequest& request) override;

private:
    QList<Shown> m_shown;
    QQueue<int> m_answers;
    QQueue<std::optional<QString>> m_inputs;
    QQueue<std::optional<QString>> m_files;
    QQueue<std::optional<Dialogs::FontChoice>> m_fonts;
};

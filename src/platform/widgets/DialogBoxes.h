#pragma once

#include "platform/data/Dialogs.h"

// The dialogs a user answers: Qt's message box, input box, file dialog and font dialog, as the
// program shows them, over the active modal window or else the active window.
class DialogBoxes : public Dialogs::UserInterface {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override;
    std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) override;
    std::optional<QString> fileDialog(const Dialogs::FileRequest& request) override;
    std::optional<Dialogs::FontChoice> fontDialog(const Dialogs::FontRequest& request) override;
    void beep() override;
};

#include "Dialogs.h"

#include "AppError.h"

#include <QtGlobal>

namespace Dialogs {

namespace {

Answerer* g_answerer = nullptr;
UserInterface* g_userInterface = nullptr;

QString effectiveTitle(const QString& title) {
    return title.isEmpty() ? programTitle() : title;
}

// Who answers: the installed answerer (tests), else the user.
Answerer& answering() {
    if (g_answerer)
        return *g_answerer;
    if (!g_userInterface)
        qFatal("A dialog was shown with neither an answerer nor the windows' dialogs installed");
    return *g_userInterface;
}

} // namespace

QString programTitle() {
    return QStringLiteral("Vellagon");
}

void setAnswerer(Answerer* answerer) {
    g_answerer = answerer;
}

Answerer* answerer() {
    return g_answerer;
}

void setUserInterface(UserInterface* userInterface) {
    g_userInterface = userInterface;
}

void beep() {
    if (g_userInterface)
        g_userInterface->beep();
}

int msgBox(const QString& prompt, int style, const QString& title) {
    return answering().msgBox(prompt, style, effectiveTitle(title));
}

std::optional<QString> inputBoxOrCancel(const QString& prompt, const QString& title,
                                        const QString& defaultText) {
    return answering().inputBox(prompt, effectiveTitle(title), defaultText);
}

QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    return inputBoxOrCancel(prompt, title, defaultText).value_or(QString());
}

QString fileDialog(const FileRequest& request) {
    const std::optional<QString> chosen = answering().fileDialog(request);
    if (chosen)
        return *chosen;
    if (request.cancelError)
        throw AppError::cancelled();
    return {};
}

std::optional<FontChoice> fontDialog(const FontRequest& request) {
    const std::optional<FontChoice> choice = answering().fontDialog(request);
    if (!choice && request.cancelError)
        throw AppError::cancelled();
    return choice;
}

} // namespace Dialogs

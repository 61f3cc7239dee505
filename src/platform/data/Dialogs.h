#pragma once

#include <QString>
#include <optional>

// Every message box, question, input box, file dialog and font dialog of the program goes
// through here, so that tests can answer them with a script (see setAnswerer).
namespace Dialogs {

// Message box styles, combined by adding, as the original program wrote them.
enum Style : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The button a message box was closed with.
enum Answer : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// File dialog flags the program uses.
enum FileFlag : int {
    OverwritePrompt = 0x2,
    HideReadOnly = 0x4,
    NoChangeDir = 0x8,
    FileMustExist = 0x1000,
    CreatePrompt = 0x2000,
};

struct FileRequest {
    enum Mode { Open, Save };
    QString title;
    // "Description|pattern|Description|pattern", as the original program gave it.
    QString filter;
    int filterIndex = 1;
    QString defaultExt;
    // The name the dialog offers: a file's name or path, or a pattern such as "*.MDB".
    QString initialName;
    // The folder the dialog starts in; "" for the user's documents. A path as initial name
    // starts in that path's folder instead.
    QString folder;
    int flags = 0;
    Mode mode = Open;
    // Cancel raises the cancel error (AppError 32755) instead of returning "".
    bool cancelError = true;
};

struct FontRequest {
    QString title;
    QString name;
    QString size;
    int flags = 0;
    // Cancel raises the cancel error instead of returning no choice.
    bool cancelError = true;
};

struct FontChoice {
    QString name;
    QString size; // points as decimal text, "12" or "8.25"
};

// The program's title, used where a message gives none.
QString programTitle();

// A message box; returns the Answer of the button pressed. An empty title gives the program's.
int msgBox(const QString& prompt, int style = vbOKOnly, const QString& title = {});

// An input box; returns the typed text, or nothing when cancelled.
std::optional<QString> inputBoxOrCancel(const QString& prompt, const QString& title = {},
                                        const QString& defaultText = {});
// An input box that returns "" when cancelled, as the original's did.
QString inputBox(const QString& prompt, const QString& title = {}, const QString& defaultText = {});

// A file dialog; returns the chosen path. Cancel throws AppError::cancelled() when the
// request's cancelError is on, else returns "".
QString fileDialog(const FileRequest& request);

// A font dialog; Cancel throws AppError::cancelled() when the request's cancelError is on,
// else returns nothing.
std::optional<FontChoice> fontDialog(const FontRequest& request);

// What answers the dialogs instead of a user (tests). Returning nothing means Cancel.
class Answerer {
public:
    virtual ~Answerer() = default;
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    virtual std::optional<QString> inputBox(const QString& prompt, const QString& title,
                                            const QString& defaultText) = 0;
    virtual std::optional<QString> fileDialog(const FileRequest& request) = 0;
    virtual std::optional<FontChoice> fontDialog(const FontRequest& request) = 0;
};

// Installs an answerer; nullptr puts the user's dialogs back.
void setAnswerer(Answerer* answerer);
Answerer* answerer();

// The dialogs a user answers, and the bell: the windows' own (DialogBoxes), installed at
// start-up. An installed answerer comes first; without either a dialog is a fault of the
// program, which stops it.
class UserInterface : public Answerer {
public:
    virtual void beep() = 0;
};
void setUserInterface(UserInterface* userInterface);

// The bell, as a refused move rings it. Silent without a user interface.
void beep();

} // namespace Dialogs

#pragma once

#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QString>
#include <functional>

class ChildWindow;
class DataControl;

// What the five transfer commands of the Display window share: the calling window, the file
// dialog, the shared state that every ending gives back, the refresh that returns the window
// to its row, and the texts that report the ending. A failure stops the command whole: the
// command has written nothing or everything, and only a command that completed says so.
namespace TransferFrame {

// The filter of the dialogs that may show any file.
inline const QString LogAndAllFiles = QStringLiteral("Log files *.mdb|*.mdb|All files *.*|*.*");
// What the commands that open another file say when it cannot be opened.
inline const QString CouldNotOpen = QStringLiteral(
    "Could not open source Vellagon database.  Please try again.  Error description: ");

// The texts of one command.
struct Texts {
    QString dialogTitle;
    QString filter;
    QString abortMessage; // Cancel in the dialog; "" reports Cancel as any other error
    QString errorPrefix;  // followed by the error's description
    QString openPrefix;   // the other file cannot be opened; followed by the description
};

// How one command uses the frame.
struct Options {
    bool keepsChosenFile = false; // the chosen file goes into gstrChosenFile
    bool refreshesWindow = true;  // the calling window is read again afterwards
};

// The calling Display window and the file chosen for the command.
struct Call {
    ChildWindow* window = nullptr;
    DataControl* control = nullptr; // the window's data control
    QString ownPath;                // the window's file
    QString chosen;                 // as the dialog gave it
};

// How a command ended.
struct Outcome {
    QString message;             // shown last ("" for none)
    bool completed = false;      // the message is the command's success message
    bool keepsNewWindow = false; // gstrDatabasePath and gstrRecordSource stay as the command
                                 // left them: they belong to the window it made
};

// Runs a command of the current Display window. Before anything else the window's typed edit
// is written (an edit the window refuses ends the command: the window said why). Then the
// dialog; gstrDatabasePath names the chosen file while `body` runs; afterwards the window is
// refreshed on the log it showed, the pointer is normal, the outcome (or the failure, in the
// command's words) is shown, and the shared path, record source and bookmark are given back.
// Returns whether the command completed.
bool run(const Texts& texts, const Options& options,
         const std::function<Outcome(const Call&)>& body);

// A failure to open the other file: reported with the command's open text.
class OpenError : public AppError {
public:
    explicit OpenError(const AppError& cause) : AppError(cause) {}
};
// Runs the step that opens the other file; its failure becomes an OpenError.
template <class Open>
auto openOtherFile(Open&& open) -> decltype(open()) {
    try {
        return open();
    } catch (const AppError& e) {
        throw OpenError(e);
    }
}

// The chosen file to read from, open for reading only; refused (OpenError, the file untouched)
// unless it is one of the program's files.
Database openSourceFile(const QString& path);

// Refuses the calling window's own file and a file that another window holds open (compared
// as the files they name): a transfer between a file and itself would read what it writes.
void refuseFileInUse(const Call& call);

} // namespace TransferFrame

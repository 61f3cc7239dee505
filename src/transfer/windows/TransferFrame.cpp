#include "TransferFrame.h"

#include "core/logic/DatabaseFile.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindow.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/FileCommands.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"

#include <QFileInfo>

using FileOps::quotedPath;

namespace TransferFrame {

namespace {

Dialogs::FileRequest fileRequest(const Texts& texts, const QString& ownPath) {
    Dialogs::FileRequest request;
    // The dialog starts where the window's file lies, as the file commands' dialogs do.
    request.folder = QFileInfo(ownPath).absolutePath();
    request.cancelError = true;
    request.flags = Dialogs::OverwritePrompt | Dialogs::HideReadOnly | Dialogs::NoChangeDir |
                    Dialogs::CreatePrompt;
    request.defaultExt = QStringLiteral(".mdb");
    request.initialName = QStringLiteral("*.MDB");
    request.title = texts.dialogTitle;
    request.filterIndex = 1;
    request.filter = texts.filter;
    request.mode = Dialogs::FileRequest::Open;
    return request;
}

// The shared state a transfer changes, given back when it ends.
class SavedState {
public:
    SavedState() : m_path(gstrDatabasePath), m_recordSource(gstrRecordSource) {}
    ~SavedState() {
        gvarBookmark = QVariant();
        if (m_keep)
            return;
        gstrDatabasePath = m_path;
        gstrRecordSource = m_recordSource;
    }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;
    void keep() { m_keep = true; }

private:
    QString m_path;
    QString m_recordSource;
    bool m_keep = false;
};

} // namespace

bool run(const Texts& texts, const Options& options,
         const std::function<Outcome(const Call&)>& body) {
    Call call;
    call.window = currentDisplayWindow();
    call.control = call.window ? call.window->dataControl() : nullptr;
    if (!call.control)
        return false;
    if (!call.control->Update())
        return false;
    call.ownPath = call.window->path();

    SavedState saved;
    gvarBookmark = call.control->Bookmark();
    Outcome outcome;
    bool cancelled = false;
    try {
        call.chosen = Dialogs::fileDialog(fileRequest(texts, call.ownPath));
        if (options.keepsChosenFile)
            gstrChosenFile = call.chosen;
        gstrDatabasePath = call.chosen;
        outcome = body(call);
    } catch (const OpenError& e) {
        outcome = {texts.openPrefix + e.description()};
    } catch (const AppError& e) {
        cancelled = e.isCancel() && !texts.abortMessage.isEmpty();
        outcome = {cancelled ? texts.abortMessage : texts.errorPrefix + e.description()};
    }
    // The window has not moved: it stands on the bookmarked log, and stays there.
    if (options.refreshesWindow && !cancelled && !call.window->isClosed())
        call.control->RefreshKeepingRow();
    if (!outcome.message.isEmpty())
        Dialogs::msgBox(outcome.message);
    if (outcome.keepsNewWindow)
        saved.keep();
    return outcome.completed;
}

Database openSourceFile(const QString& path) {
    return openOtherFile([&] {
        Database file = Database::openReadOnly(path);
        requireVellagonFile(file);
        return file;
    });
}

void refuseFileInUse(const Call& call) {
    if (FileOps::sameFile(call.chosen, call.ownPath))
        throw AppError(AppError::FileError,
                       QStringLiteral("%1 is the file of this Display window.  Choose another "
                                      "file.")
                           .arg(quotedPath(call.chosen)));
    if (isOpenInProgram(call.chosen))
        throw AppError(AppError::FileError,
                       QStringLiteral("%1 is open in another Vellagon window.  Close that "
                                      "window, or choose another file.")
                           .arg(quotedPath(call.chosen)));
}

} // namespace TransferFrame

#include "TransferCommands.h"
#include "TransferFrame.h"
#include "core/logic/FilePlacement.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"
#include "transfer/logic/LogTransfer.h"

namespace {

using namespace TransferFrame;

// Makes the new file's Display window, the current one, captioned with the file's path.
void openDisplayWindow(const QString& path) {
    gstrDatabasePath = path;
    NewDisplayForm();
    if (ChildWindow* window = currentDisplayWindow())
        window->setCaption(path + QStringLiteral("Display form ") + gstrDisplayIndex);
    gstrRecordSource = QStringLiteral("Select * from Vellagons order by [Beginning Time]");
}

Outcome saveFileAs(const Call& call) {
    refuseFileInUse(call);
    if (FileOps::exists(call.chosen) &&
        Dialogs::msgBox(call.chosen + QStringLiteral(" already exists.  Overwrite?"),
                        Dialogs::vbYesNo | Dialogs::vbQuestion,
                        call.chosen + QStringLiteral(" already exists")) != Dialogs::vbYes)
        return {};
    {
        BusyCursor busy;
        const Database own = Database::open(call.ownPath);
        const QList<qint64> logs = call.control->rowIds();
        // The chosen file is replaced only by the complete copy.
        buildDatabaseFile(call.chosen, ExistingFile::Replace,
                          [&](const Database& copy) { LogTransfer::writeCopy(own, logs, copy); });
        openDisplayWindow(call.chosen);
    }
    return {call.chosen + QStringLiteral(" has successfully been saved"), true, true};
}

} // namespace

bool SaveFileAs() {
    const Texts texts{QStringLiteral("Choosing new name for Vellagon Database File"),
                      QStringLiteral("Log files *.mdb|*.mdb"), QString(),
                      QStringLiteral("Error in Save File As function: "), QString()};
    // The calling window's logs do not change.
    Options options;
    options.refreshesWindow = false;
    return run(texts, options, saveFileAs);
}

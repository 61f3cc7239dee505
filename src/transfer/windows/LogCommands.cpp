#include "TransferCommands.h"
#include "TransferFrame.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/FilePlacement.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "transfer/logic/LogTransfer.h"

namespace {

using namespace TransferFrame;

const QString ErrorPrefix = QStringLiteral("Error in import Vellagons function: ");

Outcome exportVellagons(const Call& call) {
    refuseFileInUse(call);
    BusyCursor busy;
    const Database own = Database::open(call.ownPath);
    const QList<qint64> logs = call.control->rowIds();
    // A file that exists is refused untouched: the logs go into a new file only.
    buildDatabaseFile(call.chosen, ExistingFile::Refuse, [&](const Database& file) {
        Schema::build(file);
        LogTransfer::appendLogs(own, logs, file);
    });
    return {QStringLiteral("Vellagons have been successfully exported to ") + call.chosen, true};
}

Outcome importVellagons(const Call& call) {
    refuseFileInUse(call);
    BusyCursor busy;
    LogTransfer::importLogs(openSourceFile(call.chosen), Database::open(call.ownPath));
    return {QStringLiteral("The selected Vellagons have successfully been imported from ") +
                call.chosen + QLatin1Char('.'),
            true};
}

} // namespace

bool ExportVellagons() {
    const Texts texts{QStringLiteral("Selecting name for database file to contain exported "
                                     "Vellagons."),
                      LogAndAllFiles, QStringLiteral("Export Vellagons function aborted by user."),
                      ErrorPrefix, CouldNotOpen};
    Options options;
    options.keepsChosenFile = true;
    return run(texts, options, exportVellagons);
}

bool ImportVellagons() {
    const Texts texts{QStringLiteral("Selecting Vellagon Database File containing source of "
                                     "Vellagon records to be imported."),
                      LogAndAllFiles,
                      QStringLiteral("Merge Vellagon Files function aborted by user."), ErrorPrefix,
                      CouldNotOpen};
    return run(texts, {}, importVellagons);
}

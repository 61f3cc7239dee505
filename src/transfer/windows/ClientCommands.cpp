#include "TransferCommands.h"
#include "TransferFrame.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/FilePlacement.h"
#include "core/logic/ListTables.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ListRefill.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"
#include "transfer/logic/ClientTransfer.h"

#include <QSqlQuery>

namespace {

using namespace TransferFrame;

// The chosen file of a client transfer, checked as one of the program's files before anything
// is written to it or read from it.
Database vellagonFile(const QString& path) {
    return openOtherFile([&] {
        requireVellagonFile(Database::openReadOnly(path));
        return Database::open(path);
    });
}

Outcome exportActiveClients(const Call& call) {
    BusyCursor busy;
    const Database own = Database::open(call.ownPath);
    ClientTransfer::Result result;
    if (FileOps::sameFile(call.chosen, call.ownPath)) {
        // Every client is already there.
        result.clients =
            own.scalar(QStringLiteral("SELECT count(*) FROM [Active Clients]")).toInt();
    } else if (!FileOps::exists(call.chosen)) {
        buildDatabaseFile(call.chosen, ExistingFile::Refuse, [&](const Database& file) {
            Schema::build(file);
            result = ClientTransfer::exportClients(own, file);
        });
    } else {
        result = ClientTransfer::exportClients(own, vellagonFile(call.chosen));
    }
    if (result.clients == 0)
        return {QStringLiteral("There is no Active Client information to export.")};
    return {QStringLiteral("Active Client information has been successfully exported to ") +
                call.chosen,
            true};
}

QStringList clientsOf(const Database& file) {
    QStringList texts;
    for (const ListItem& client : ListTables::read(file, MainLists::Clients))
        texts << client.text;
    return texts;
}

Outcome importActiveClients(const Call& call) {
    refuseFileInUse(call);
    BusyCursor busy;
    const Database source = openSourceFile(call.chosen);
    const Database own = Database::open(call.ownPath);
    const QStringList clientsBefore = clientsOf(own);
    const ClientTransfer::Result result = ClientTransfer::importClients(source, own);
    if (result.clients == 0)
        return {QStringLiteral(
            "There is no Active Client information available in the selected database")};
    // Clients added or renamed are offered at once by the pick lists on the file.
    if (const QStringList clients = clientsOf(own); clients != clientsBefore)
        refillLookupListOfFile(call.ownPath, MainLists::Clients, clients);
    return {QStringLiteral("The Active Client information from ") + gstrChosenFile +
                QStringLiteral(" has successfully been imported."),
            true};
}

} // namespace

bool ExportActiveClients() {
    const Texts texts{
        QStringLiteral("Selecting name for database file to contain exported Active Clients "
                       "information."),
        LogAndAllFiles, QStringLiteral("Export Vellagons function aborted by user."),
        QStringLiteral("Error in import Vellagons function: "), CouldNotOpen};
    return run(texts, {}, exportActiveClients);
}

bool ImportActiveClients() {
    const Texts texts{
        QStringLiteral("Selecting Vellagon Database File containing source of Active Client "
                       "records to be imported."),
        LogAndAllFiles, QStringLiteral("Import Active Clients data function aborted by user."),
        QStringLiteral("Error in Import Active Clients data function: "),
        QStringLiteral("Please try again.  Error description: ")};
    Options options;
    options.keepsChosenFile = true;
    return run(texts, options, importActiveClients);
}

// Moves every active client of a file to the inactive clients, one by one in name order, as
// the inactive clients window does, and prints "moved <last>" once a client's move stands.
// The reliability test starts it, kills it and checks the file.
//   deactivation_helper <file>
#include "HelperProgram.h"
#include "clients/logic/ClientDeactivation.h"
#include "core/logic/ListTables.h"
#include "core/logic/LookupLists.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QCoreApplication>
#include <QDateTime>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<QStringList> args = HelperProgram::start(1);
    if (!args)
        return 2;
    try {
        const Database db = Database::open(args->at(1));
        const QDateTime closed(QDate(2024, 6, 30), QTime(0, 0));
        for (const ListItem& client : ListTables::read(db, MainLists::Clients)) {
            const bool moved = ClientDeactivation::deactivate(db, client, closed) ==
                               ClientDeactivation::Outcome::Moved;
            HelperProgram::report((moved ? QStringLiteral("moved ") : QStringLiteral("missing ")) +
                                  client.last);
        }
    } catch (const AppError& e) {
        HelperProgram::report(QStringLiteral("failed: ") + e.description());
        return 1;
    }
    return 0;
}

// Moves every active client of a file to the inactive clients, one by one in name order, as
// the inactive clients window does, and prints "moved <last>" once a client's move stands.
// The reliability test starts it, kills it and checks the file.
//   deactivation_helper <file>
#include "clients/ClientDeactivation.h"
#include "core/ListTables.h"
#include "core/LookupLists.h"
#include "platform/AppError.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("Vellagon");
    QCoreApplication::setOrganizationName("Vellagon");
    QStandardPaths::setTestModeEnabled(true);
    if (app.arguments().size() < 2)
        return 2;
    try {
        const Database db = Database::open(app.arguments().at(1));
        const QDateTime closed(QDate(2024, 6, 30), QTime(0, 0));
        for (const ListItem& client : ListTables::read(db, MainLists::Clients)) {
            if (ClientDeactivation::deactivate(db, client, closed) ==
                ClientDeactivation::Outcome::Moved)
                std::printf("moved %s\n", qPrintable(client.last));
            else
                std::printf("missing %s\n", qPrintable(client.last));
            std::fflush(stdout);
        }
    } catch (const AppError& e) {
        std::printf("failed: %s\n", qPrintable(e.description()));
        return 1;
    }
    return 0;
}

#include "ClientDeactivation.h"

#include "core/logic/LookupLists.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/StoredDate.h"

#include <QSqlQuery>

namespace ClientDeactivation {

namespace {

// The fields a deactivation keeps, in `Active Clients` and in `Inactive Clients`; the rest of
// the active row (the other telephones, notes, case details, history, to-dos and letter lines)
// goes with it.
const char* const Kept[][2] = {
    {"Client First Name", "Inactive Client First Name"},
    {"Client Last Name", "Inactive Client Last Name"},
    {"Active Client First Address", "Inactive Client First Address"},
    {"Active Client Second Address", "Inactive Client Second Address"},
    {"Active Client Third Address", "Inactive Client Third Address"},
    {"Active Client City", "Inactive Client City"},
    {"Active Client State", "Inactive Client State"},
    {"Active Client Zip Code", "Inactive Client Zip Code"},
    {"Active Client Home Telephone", "Inactive Client Home Telephone"},
    {"Active Client Work Telephone", "Inactive Client Work Telephone"},
    {"Active Client Email Address", "Inactive Client Email Address"},
    {"Active Client Retainer Date", "Inactive Client Retainer Date"},
    {"Active Client Retainer Terms", "Inactive Client Retainer Terms"},
    {"Active Client Referrer", "Inactive Client Referrer"},
    {"Active Client Claim Type", "Inactive Client Claim Type"},
};

// The writes name the row found by its names as well as by its row id, as every write of a row
// found earlier does: each statement stands for itself, whatever came between.
QString exactNames(const ListItem& client, QVariantList& params) {
    // One after the other: the parameters follow the order of the conditions.
    const QString last = Database::holds(QStringLiteral("[Client Last Name]"), client.last, params);
    return last + QStringLiteral(" AND ") +
           Database::holds(QStringLiteral("[Client First Name]"), client.first, params);
}

QString moveStatement(const ListItem& client, QVariantList& params) {
    QStringList from;
    QStringList to;
    for (const auto& pair : Kept) {
        from << QStringLiteral("[%1]").arg(QLatin1String(pair[0]));
        to << QStringLiteral("[%1]").arg(QLatin1String(pair[1]));
    }
    return QStringLiteral("INSERT INTO [Inactive Clients] (%1, [Inactive Client Case Closed Date]) "
                          "SELECT %2, ? FROM [Active Clients] WHERE rowid = ? AND %3")
        .arg(to.join(QStringLiteral(", ")), from.join(QStringLiteral(", ")),
             exactNames(client, params));
}

// The names' columns compare without regard to case; the key index finds the candidates and
// the binary comparison keeps the one whose names are exactly these.
const QString FindStatement = QStringLiteral(
    "SELECT rowid FROM [Active Clients] WHERE [Client Last Name] = ? AND [Client First Name] = ? "
    "AND [Client Last Name] = ? COLLATE BINARY AND [Client First Name] = ? COLLATE BINARY");

} // namespace

QString confirmation(const ListItem& client) {
    return QStringLiteral("Are you sure you want to move ") + client.first + QLatin1Char(' ') +
           client.last + QStringLiteral(" to the list of Inactive Clients?");
}

QList<ListItem> inactiveClients(const Database& db) {
    QList<ListItem> items;
    QSqlQuery q = db.exec(QStringLiteral("SELECT [Inactive Client Last Name], [Inactive Client "
                                         "First Name] FROM [Inactive Clients]"));
    while (db.next(q))
        items << ListTables::itemOf(MainLists::Clients, q.value(0).toString(),
                                    q.value(1).toString());
    return items;
}

Outcome deactivate(const Database& db, const ListItem& client, const QVariant& closureDate) {
    Outcome outcome = Outcome::NotFound;
    db.transaction([&] {
        const QVariant row =
            db.scalar(FindStatement, {client.last, client.first, client.last, client.first});
        if (!row.isValid())
            return;
        QVariantList moveParams{StoredDate::toSqlValue(closureDate.toDateTime()), row};
        const QString move = moveStatement(client, moveParams);
        QVariantList deleteParams{row};
        const QString remove = QStringLiteral("DELETE FROM [Active Clients] WHERE rowid = ? AND ") +
                               exactNames(client, deleteParams);
        if (db.write(move, moveParams) != 1 || db.write(remove, deleteParams) != 1)
            throw AppError(AppError::EngineError,
                           QStringLiteral("The client changed while it was being moved; "
                                          "nothing was moved."));
        outcome = Outcome::Moved;
    });
    return outcome;
}

} // namespace ClientDeactivation

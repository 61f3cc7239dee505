#include "ListTables.h"

#include "LookupLists.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QSqlQuery>
#include <array>

namespace ListTables {

const Columns& columnsOf(int list) {
    static const std::array<Columns, 5> columns{{
        {QStringLiteral("Active Clients"), QStringLiteral("Client Last Name"),
         QStringLiteral("Client First Name")},
        {QStringLiteral("Employees"), QStringLiteral("Employee Last Name"),
         QStringLiteral("Employee First Name")},
        {QStringLiteral("Projects"), QStringLiteral("Projects"), QString()},
        {QStringLiteral("Rates"), QStringLiteral("Rates"), QString()},
        {QStringLiteral("Activities"), QStringLiteral("Activities"), QString()},
    }};
    return columns.at(std::size_t(list));
}

bool hasNames(int list) {
    return list == MainLists::Clients || list == MainLists::Employees;
}

ListItem itemOf(int list, const QString& last, const QString& first) {
    if (!hasNames(list))
        return {last, last, QString()};
    return {last + QStringLiteral(", ") + first, last, first};
}

void requireTable(const Database& db, const QString& table) {
    if (!db.hasTable(table))
        throw AppError(AppError::FileError,
                       QStringLiteral("The file \"%1\" is not a valid Vellagon file: it has no "
                                      "table \"%2\".")
                           .arg(db.path(), table));
}

QList<ListItem> read(const Database& db, int list) {
    const Columns& c = columnsOf(list);
    requireTable(db, c.table);
    QList<ListItem> items;
    if (hasNames(list)) {
        QSqlQuery q = db.exec(QStringLiteral("SELECT [%1], [%2] FROM [%3] ORDER BY rowid")
                                  .arg(c.last, c.first, c.table));
        while (db.next(q))
            items << itemOf(list, q.value(0).toString(), q.value(1).toString());
    } else {
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT [%1] FROM [%2] ORDER BY rowid").arg(c.last, c.table));
        while (db.next(q))
            if (!q.value(0).isNull())
                items << itemOf(list, q.value(0).toString());
    }
    return items;
}

} // namespace ListTables

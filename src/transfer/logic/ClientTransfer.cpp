#include "ClientTransfer.h"

#include "core/logic/DatabaseSchema.h"
#include "platform/data/Database.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariantList>

namespace ClientTransfer {

namespace {

const QString Table = QStringLiteral("[Active Clients]");

// The table's fields in order, bracketed, and where the two names stand among them.
struct Columns {
    QStringList names;
    int last = -1;
    int first = -1;
};

const Columns& columns() {
    static const Columns all = [] {
        Columns c;
        for (const Schema::Field& field : Schema::table(QStringLiteral("Active Clients"))->fields)
            c.names << QLatin1Char('[') + field.name + QLatin1Char(']');
        c.last = int(c.names.indexOf(QStringLiteral("[Client Last Name]")));
        c.first = int(c.names.indexOf(QStringLiteral("[Client First Name]")));
        return c;
    }();
    return all;
}

// The key of a row, as a statement's last two parameters.
QVariantList keyOf(const QVariantList& row) {
    return {row.at(columns().last), row.at(columns().first)};
}

// The key columns compare without regard to case in every file the program makes; said here
// too, so that a file made otherwise matches the same way.
const QString KeyMatch = QStringLiteral("[Client Last Name] = ? COLLATE NOCASE AND "
                                        "[Client First Name] = ? COLLATE NOCASE");

struct Rows {
    int count = 0;
    QList<QVariantList> named; // the rows with both names, in table order
};

Rows readClients(const Database& source) {
    const QStringList& names = columns().names;
    Rows rows;
    QSqlQuery query = source.exec(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                                      .arg(names.join(QStringLiteral(", ")), Table));
    while (source.next(query)) {
        ++rows.count;
        QVariantList row;
        row.reserve(names.size());
        for (int i = 0; i < names.size(); ++i)
            row << query.value(i);
        const QVariantList key = keyOf(row);
        if (!key.at(0).isNull() && !key.at(1).isNull())
            rows.named << row;
    }
    return rows;
}

QString insertSql() {
    const QStringList& names = columns().names;
    return QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
        .arg(Table, names.join(QStringLiteral(", ")),
             QStringList(names.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
}

} // namespace

Result exportClients(const Database& source, const Database& target) {
    const Rows rows = readClients(source);
    Result result;
    result.clients = rows.count;
    target.transaction([&] {
        const QString held =
            QStringLiteral("SELECT count(*) FROM %1 WHERE %2").arg(Table, KeyMatch);
        for (const QVariantList& row : rows.named) {
            if (target.scalar(held, keyOf(row)).toInt() > 0)
                continue;
            target.write(insertSql(), row);
            ++result.added;
        }
    });
    return result;
}

Result importClients(const Database& source, const Database& target) {
    const Rows rows = readClients(source);
    QStringList assignments;
    for (const QString& name : columns().names)
        assignments << name + QStringLiteral(" = ?");
    const QString update = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                               .arg(Table, assignments.join(QStringLiteral(", ")), KeyMatch);
    Result result;
    result.clients = rows.count;
    target.transaction([&] {
        for (const QVariantList& row : rows.named) {
            if (target.write(update, row + keyOf(row)) > 0) {
                ++result.replaced;
            } else {
                target.write(insertSql(), row);
                ++result.added;
            }
        }
    });
    return result;
}

} // namespace ClientTransfer

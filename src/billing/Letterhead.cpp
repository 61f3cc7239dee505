#include "Letterhead.h"

#include "platform/Database.h"
#include "platform/LineBreaks.h"

#include <QSqlQuery>

namespace Letterhead {

namespace {

// The first row a walk of the table meets.
const QString FirstRow =
    QStringLiteral("SELECT rowid, [Invoice Header] FROM Invoices ORDER BY rowid LIMIT 1");

} // namespace

std::optional<QString> read(const Database& db) {
    QSqlQuery query = db.exec(FirstRow);
    if (!db.next(query))
        return std::nullopt;
    return query.value(1).toString();
}

void write(const Database& db, const QString& text) {
    QString header = LineBreaks::toCrLf(text);
    if (header.isNull()) // an empty letterhead is a text, not NULL
        header = QStringLiteral("");
    db.transaction([&] {
        QSqlQuery query = db.exec(FirstRow);
        if (db.next(query)) {
            const qint64 row = query.value(0).toLongLong();
            query.finish();
            db.exec(QStringLiteral("UPDATE Invoices SET [Invoice Header] = ? WHERE rowid = ?"),
                    {header, row});
        } else {
            query.finish();
            db.exec(QStringLiteral("INSERT INTO Invoices ([Invoice Header]) VALUES (?)"), {header});
        }
    });
}

} // namespace Letterhead

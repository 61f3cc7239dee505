#include "Letterhead.h"

#include "platform/data/Database.h"
#include "platform/data/LineBreaks.h"

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

bool write(const Database& db, const QString& text, const std::optional<QString>& shown) {
    QString header = LineBreaks::toCrLf(text);
    if (header.isNull()) // an empty letterhead is a text, not NULL
        header = QStringLiteral("");
    // One statement each, with the letterhead shown in it: nothing another program writes can
    // come between the check and the write.
    if (!shown)
        return db.write(QStringLiteral("INSERT INTO Invoices ([Invoice Header]) SELECT ? "
                                       "WHERE NOT EXISTS (SELECT 1 FROM Invoices)"),
                        {header}) > 0;
    QVariantList params{header};
    const QString sql =
        QStringLiteral("UPDATE Invoices SET [Invoice Header] = ? "
                       "WHERE rowid = (SELECT min(rowid) FROM Invoices) AND ") +
        Database::holds(QStringLiteral("ifnull([Invoice Header], '')"), *shown, params);
    return db.write(sql, params) > 0;
}

} // namespace Letterhead

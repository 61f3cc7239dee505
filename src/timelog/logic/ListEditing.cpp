#include "ListEditing.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/VbString.h"

#include <QSqlQuery>

namespace ListEditing {

namespace {

// A column compared as the key compares it (without regard to case, so its index serves)
// and one compared exactly; a null name reads as "", as the lists show it.
QString keyMatch(const QString& column) {
    return QStringLiteral("[%1] = ?").arg(column);
}
QString exactMatch(const QString& column, bool nullable) {
    return (nullable ? QStringLiteral("IFNULL([%1], '')") : QStringLiteral("[%1]")).arg(column) +
           QStringLiteral(" = ? COLLATE BINARY");
}

// A text column's value: an empty text stays '' (a null QString would be bound as NULL).
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

void refuseTakenName(const Database& db, const ListItem& item) {
    const ListTables::Columns& c = ListTables::columnsOf(MainLists::Clients);
    QSqlQuery q = db.exec(QStringLiteral("SELECT [%1], [%2] FROM [%3] WHERE %4 AND %5 LIMIT 1")
                              .arg(c.last, c.first, c.table, keyMatch(c.last), keyMatch(c.first)),
                          {text(item.last), text(item.first)});
    if (!db.next(q))
        return;
    const ListItem taken =
        ListTables::itemOf(MainLists::Clients, q.value(0).toString(), q.value(1).toString());
    throw AppError(AppError::EngineError,
                   QStringLiteral("\"%1\" is already in the list as \"%2\". No two may have the "
                                  "same last and first name (capital and small letters count "
                                  "as the same).")
                       .arg(item.text, taken.text));
}

} // namespace

QString refusal(int list, const QString& typed, const QString& typedLast) {
    switch (list) {
    case MainLists::Rates:
        if (vbTrim(typed).isEmpty())
            return QStringLiteral("You did not enter a rate.");
        break;
    case MainLists::Projects:
        if (vbTrim(typed).isEmpty())
            return QStringLiteral("You did not enter a ") + gstrFrame3Caption + QStringLiteral(".");
        if (typed.contains(QLatin1String(", ")))
            return QStringLiteral("Do not use a comma followed by a space when entering a ") +
                   gstrFrame3Caption + QStringLiteral(".  This is reserved for the format of a ") +
                   gstrFrame1Caption + QStringLiteral(".  Please try again.");
        break;
    case MainLists::Activities:
        if (vbTrim(typed).isEmpty())
            return QStringLiteral("You did not enter an activity.");
        break;
    default:
        if (vbTrim(typed).isEmpty() || vbTrim(typedLast).isEmpty())
            return QStringLiteral("You forgot to enter a first name or last name, please try "
                                  "again.");
        break;
    }
    return {};
}

ListItem entryOf(int list, const QString& typed, const QString& typedLast) {
    if (ListTables::hasNames(list))
        return ListTables::itemOf(list, vbTrim(typedLast), vbTrim(typed));
    return ListTables::itemOf(list, vbTrim(typed));
}

QList<ListItem> load(const QString& path, int list) {
    return ListTables::read(Database::open(path), list);
}

void add(const QString& path, int list, const ListItem& item) {
    const Database db = Database::open(path);
    const ListTables::Columns& c = ListTables::columnsOf(list);
    ListTables::requireTable(db, c.table);
    if (!ListTables::hasNames(list)) {
        db.write(QStringLiteral("INSERT INTO [%1] ([%2]) VALUES (?)").arg(c.table, c.last),
                 {text(item.last)});
        return;
    }
    db.transaction([&] {
        if (list == MainLists::Clients)
            refuseTakenName(db, item);
        db.write(QStringLiteral("INSERT INTO [%1] ([%2], [%3]) VALUES (?, ?)")
                     .arg(c.table, c.first, c.last),
                 {text(item.first), text(item.last)});
    });
}

void remove(const QString& path, int list, const QList<ListItem>& items) {
    const Database db = Database::open(path);
    const ListTables::Columns& c = ListTables::columnsOf(list);
    ListTables::requireTable(db, c.table);
    QString where;
    if (!ListTables::hasNames(list))
        where = exactMatch(c.last, false);
    else if (list == MainLists::Clients) // the key's index finds the rows to compare exactly
        where = keyMatch(c.last) + QStringLiteral(" AND ") + keyMatch(c.first) +
                QStringLiteral(" AND ") + exactMatch(c.last, false) + QStringLiteral(" AND ") +
                exactMatch(c.first, false);
    else
        where = exactMatch(c.last, true) + QStringLiteral(" AND ") + exactMatch(c.first, true);
    const QString sql = QStringLiteral("DELETE FROM [%1] WHERE rowid = (SELECT rowid FROM [%1] "
                                       "WHERE %2 ORDER BY rowid LIMIT 1)")
                            .arg(c.table, where);
    db.transaction([&] {
        for (const ListItem& item : items) {
            QVariantList params;
            if (list == MainLists::Clients)
                params << text(item.last) << text(item.first);
            params << text(item.last);
            if (ListTables::hasNames(list))
                params << text(item.first);
            db.write(sql, params);
        }
    });
}

QString insertionText(const QStringList& selected) {
    QString text;
    for (const QString& item : selected)
        text = item + QLatin1Char(' ') + text;
    return text + QLatin1Char(' ');
}

} // namespace ListEditing

#include "ToDoItems.h"

#include "core/ListTables.h"
#include "platform/AppError.h"
#include "platform/Database.h"
#include "platform/StoredDate.h"

#include <QSqlQuery>
#include <limits>

namespace {

const QString Table = QStringLiteral("Things To Do");
const QString ClientsTable = QStringLiteral("Active Clients");
constexpr int NameLimit = 100;

QVariant textOrNull(bool present, const QString& text) {
    return present ? QVariant(text) : QVariant(QMetaType::fromType<QString>());
}

QVariant dateValue(const QDate& date) {
    return StoredDate::toSqlValue(date.isValid() ? QDateTime(date, QTime(0, 0)) : QDateTime());
}

QDate dateOf(const QVariant& stored) {
    // The file's own form, "yyyy-MM-dd HH:mm:ss", read at once; any other as dates are read.
    if (const QString text = stored.toString(); text.size() == 19 && text.at(10) == u' ')
        if (const QDate date = QDate::fromString(QStringView(text).left(10), Qt::ISODate);
            date.isValid())
            return date;
    return StoredDate::fromStored(stored).date();
}

// The values of an item's row, in the order of the insert.
QVariantList rowValues(const ToDoItem& item) {
    return {item.thingToDo,
            textOrNull(item.isClient(), item.firstName),
            textOrNull(item.isClient(), item.lastName),
            textOrNull(!item.isClient(), item.project),
            item.priority,
            dateValue(item.startDate),
            dateValue(item.deadline)};
}

qint64 insert(const Database& db, const ToDoItem& item) {
    const QSqlQuery q =
        db.exec(QStringLiteral("INSERT INTO [Things To Do] ([ThingToDo], [TTD Client First Name], "
                               "[TTD Client Last Name], [TTD Project], [TTD Priority], "
                               "[Thing To Do Start Date], [Thing To Do Deadline]) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                rowValues(item));
    return q.lastInsertId().toLongLong();
}

QString tooLong(const QString& what, qsizetype length, int limit) {
    return QStringLiteral("The %1 can hold at most %2 characters; it holds %3.")
        .arg(what)
        .arg(limit)
        .arg(length);
}

void refuse(const QString& message) {
    throw AppError(AppError::EngineError, message);
}

} // namespace

QString ToDoItem::name() const {
    return isClient() ? lastName + QStringLiteral(", ") + firstName : project;
}

namespace ToDoItems {

QString dateText(const QDate& date) {
    return date.isValid()
               ? QStringLiteral("%1/%2/%3").arg(date.month()).arg(date.day()).arg(date.year())
               : QString();
}

QString priorityText(const QVariant& stored) {
    const QString text = stored.toString();
    if (text.size() == 1 && text.at(0) >= QLatin1Char('1') && text.at(0) <= QLatin1Char('5'))
        return text;
    return DefaultPriority;
}

QDate presetDeadline(const QDate& today, const QString& allowance) {
    bool ok = false;
    const int days = allowance.toInt(&ok);
    const bool fits = ok && days >= std::numeric_limits<qint16>::min() &&
                      days <= std::numeric_limits<qint16>::max();
    return today.addDays(fits ? days : DefaultAllowanceDays);
}

QList<ToDoItem> load(const Database& db) {
    ListTables::requireTable(db, Table);
    QList<ToDoItem> items;
    QSqlQuery q = db.exec(
        QStringLiteral("SELECT rowid, [TTD Client Last Name], [TTD Client First Name], "
                       "[TTD Project], [TTD Priority], [ThingToDo], [Thing To Do Start Date], "
                       "[Thing To Do Deadline] FROM [Things To Do] ORDER BY rowid"));
    while (db.next(q)) {
        ToDoItem item;
        item.rowId = q.value(0).toLongLong();
        const bool names = !q.value(1).isNull() && !q.value(2).isNull();
        if (names && q.value(3).isNull()) {
            item.kind = ToDoItem::Kind::Client;
            item.lastName = q.value(1).toString();
            item.firstName = q.value(2).toString();
        } else {
            item.project = q.value(3).toString();
        }
        item.priority = priorityText(q.value(4));
        item.thingToDo = q.value(5).toString();
        item.startDate = dateOf(q.value(6));
        item.deadline = dateOf(q.value(7));
        items << item;
    }
    return items;
}

std::optional<QString> problem(const ToDoItem& item) {
    if (const qsizetype n = Database::textLength(item.thingToDo); n > ThingToDoLimit)
        return tooLong(QStringLiteral("thing to do"), n, ThingToDoLimit);
    const QStringList names =
        item.isClient() ? QStringList{item.lastName, item.firstName} : QStringList{item.project};
    for (const QString& name : names)
        if (const qsizetype n = Database::textLength(name); n > NameLimit)
            return tooLong(item.isClient() ? QStringLiteral("client's name")
                                           : QStringLiteral("project"),
                           n, NameLimit);
    return std::nullopt;
}

QHash<QPair<QString, QString>, QString> clientTexts(const QList<ToDoItem>& items) {
    QHash<QPair<QString, QString>, QString> texts;
    for (const ToDoItem& item : items)
        if (item.isClient())
            texts[{item.lastName, item.firstName}] += item.thingToDo + QStringLiteral("\r\n");
    return texts;
}

void save(const Database& db, const QList<ToDoItem>& items) {
    for (qsizetype i = 0; i < items.size(); ++i)
        if (const auto wrong = problem(items.at(i)))
            refuse(QStringLiteral("Row %1 (%2): %3").arg(i + 1).arg(items.at(i).name(), *wrong));
    ListTables::requireTable(db, Table);
    ListTables::requireTable(db, ClientsTable);
    const auto texts = clientTexts(items);
    db.transaction([&] {
        db.exec(QStringLiteral("DELETE FROM [Things To Do]"));
        for (const ToDoItem& item : items)
            insert(db, item);
        db.exec(QStringLiteral("UPDATE [Active Clients] SET [Active Client Things To Do] = '' "
                               "WHERE [Active Client Things To Do] IS NOT ''"));
        // The key ignores case and serves the search; the names must match exactly.
        for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
            db.exec(QStringLiteral("UPDATE [Active Clients] SET [Active Client Things To Do] = ? "
                                   "WHERE [Client Last Name] = ? AND [Client First Name] = ? "
                                   "AND [Client Last Name] = ? COLLATE BINARY "
                                   "AND [Client First Name] = ? COLLATE BINARY"),
                    {it.value(), it.key().first, it.key().second, it.key().first, it.key().second});
    });
}

qint64 add(const Database& db, const ToDoItem& item) {
    if (const auto wrong = problem(item))
        refuse(*wrong);
    ListTables::requireTable(db, Table);
    qint64 row = 0;
    db.transaction([&] { row = insert(db, item); });
    return row;
}

qint64 change(const Database& db, const ToDoItem& item) {
    if (const auto wrong = problem(item))
        refuse(*wrong);
    ListTables::requireTable(db, Table);
    qint64 row = item.rowId;
    db.transaction([&] {
        const QSqlQuery q =
            db.exec(QStringLiteral("UPDATE [Things To Do] SET [TTD Priority] = ?, [ThingToDo] = ?, "
                                   "[Thing To Do Deadline] = ? WHERE rowid = ?"),
                    {item.priority, item.thingToDo, dateValue(item.deadline), item.rowId});
        if (q.numRowsAffected() == 0)
            row = insert(db, item);
    });
    return row;
}

} // namespace ToDoItems

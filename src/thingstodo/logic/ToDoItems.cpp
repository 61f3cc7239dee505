#include "ToDoItems.h"

#include "core/logic/FieldLimits.h"
#include "core/logic/ListTables.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/StoredDate.h"

#include <QSqlQuery>
#include <limits>

namespace {

const QString Table = QStringLiteral("Things To Do");
const QString ClientsTable = QStringLiteral("Active Clients");

// A text as the file gets it: a null text is Null.
QVariant textOrNull(bool present, const QString& text) {
    return present && !text.isNull() ? QVariant(text) : QVariant(QMetaType::fromType<QString>());
}

QVariant dateValue(const QDate& date) {
    return StoredDate::toSqlValue(date);
}

QDate dateOf(const QVariant& stored) {
    // The file's own form, "yyyy-MM-dd HH:mm:ss", read at once; any other as dates are read.
    if (const QString text = stored.toString(); text.size() == 19 && text.at(10) == u' ')
        if (const QDate date = QDate::fromString(QStringView(text).left(10), Qt::ISODate);
            date.isValid())
            return date;
    return StoredDate::fromStored(stored).date();
}

// The fields of an item's row, in the order of every statement here and of ToDoItem::stored.
const QString Fields = QStringLiteral(
    "[TTD Client Last Name], [TTD Client First Name], [TTD Project], [TTD Priority], "
    "[ThingToDo], [Thing To Do Start Date], [Thing To Do Deadline]");
constexpr int FieldCount = 7;
const QString ReadAll =
    QStringLiteral("SELECT rowid, %1 FROM [Things To Do] ORDER BY rowid").arg(Fields);
const QString ReadOne =
    QStringLiteral("SELECT rowid, %1 FROM [Things To Do] WHERE rowid = ?").arg(Fields);
const QString Insert =
    QStringLiteral("INSERT INTO [Things To Do] (%1) VALUES (?, ?, ?, ?, ?, ?, ?)").arg(Fields);
// The fields one by one, for the conditions on each.
const QStringList FieldList = Fields.split(QStringLiteral(", "));
// The values of an item's row, in the order of Fields.
QVariantList rowValues(const ToDoItem& item) {
    return {textOrNull(item.isClient(), item.lastName),
            textOrNull(item.isClient(), item.firstName),
            textOrNull(!item.isClient(), item.project),
            textOrNull(true, item.priority),
            textOrNull(true, item.thingToDo),
            dateValue(item.startDate),
            dateValue(item.deadline)};
}

// Stores a row of these values; returns it as read back (row id, then Fields): the values as
// they were given, which a text column keeps as they are.
QVariantList insert(const Database& db, const QVariantList& values) {
    QVariantList row;
    for (const QVariant& value : values)
        row << Database::asWritten(value);
    row.prepend(db.insertRow(Insert, row));
    return row;
}

// An item from its row as read (row id, then Fields). A client item has both names and no
// project; every other row is a project item (a row with both shows its project).
ToDoItem itemOf(QVariantList& row) {
    ToDoItem item;
    item.rowId = row.takeFirst().toLongLong();
    item.stored = row;
    const QVariantList& v = item.stored;
    const bool names = !v.at(0).isNull() && !v.at(1).isNull();
    if (names && v.at(2).isNull()) {
        item.kind = ToDoItem::Kind::Client;
        item.lastName = v.at(0).toString();
        item.firstName = v.at(1).toString();
    } else {
        item.project = v.at(2).toString();
    }
    item.priority = ToDoItems::priorityText(v.at(3));
    item.thingToDo = v.at(4).toString();
    item.startDate = dateOf(v.at(5));
    item.deadline = dateOf(v.at(6));
    return item;
}

QList<ToDoItem> readAll(const Database& db) {
    QList<ToDoItem> items;
    db.readRows(ReadAll, {}, [&](QVariantList& row) {
        items << itemOf(row);
        return true;
    });
    return items;
}

ToDoItem readOne(const Database& db, qint64 rowId) {
    QVariantList row;
    if (!db.readRow(ReadOne, {rowId}, row))
        throw AppError(AppError::EngineError,
                       QStringLiteral("The to-do item just stored could not be read back."));
    return itemOf(row);
}

// The rows a window knows, as it read or wrote them, each as often as it knows it: equal rows
// may stand side by side in a table without a key. Values compare as the texts they hold, Null
// only with Null, whatever type the file gave them.
class KnownRows {
public:
    void add(const QVariantList& values) {
        if (values.size() != FieldCount)
            return;
        m_rows << &values;
        m_byHash.insert(hashOf(values), m_rows.size() - 1);
    }
    // Whether the window knows a row of these values that no earlier row has matched.
    bool take(const QVariantList& values) {
        const size_t hash = hashOf(values);
        for (auto it = m_byHash.find(hash); it != m_byHash.end() && it.key() == hash; ++it)
            if (same(*m_rows.at(it.value()), values)) {
                m_byHash.erase(it);
                return true;
            }
        return false;
    }

private:
    // Of the texts' lengths and ends only: a few rows that share them are compared whole.
    static size_t hashOf(const QVariantList& values) {
        size_t hash = 0;
        for (const QVariant& value : values) {
            if (value.isNull()) {
                hash = qHashMulti(hash, -1);
                continue;
            }
            const QString text = value.toString();
            hash = qHashMulti(hash, text.size(), text.isEmpty() ? QChar() : text.front(),
                              text.isEmpty() ? QChar() : text.back());
        }
        return hash;
    }
    static bool same(const QVariantList& a, const QVariantList& b) {
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a.at(i).isNull() != b.at(i).isNull() ||
                (!a.at(i).isNull() && a.at(i).toString() != b.at(i).toString()))
                return false;
        return true;
    }

    QList<const QVariantList*> m_rows;
    QMultiHash<size_t, qsizetype> m_byHash;
};

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
    return readAll(db);
}

std::optional<QString> problem(const ToDoItem& item) {
    // The widths of the fields, looked up once: Done checks every item of the list.
    static const int widths[] = {FieldLimits::width(Table, QStringLiteral("ThingToDo")),
                                 FieldLimits::width(Table, QStringLiteral("TTD Client Last Name")),
                                 FieldLimits::width(Table, QStringLiteral("TTD Client First Name")),
                                 FieldLimits::width(Table, QStringLiteral("TTD Project"))};
    // Only the names of its kind are stored.
    const bool client = item.isClient();
    const QString name = client ? QStringLiteral("client's name") : QStringLiteral("project");
    const struct {
        const char* field;
        QString text;
        QString what;
    } texts[] = {{"ThingToDo", item.thingToDo, QStringLiteral("thing to do")},
                 {"TTD Client Last Name", client ? item.lastName : QString(), name},
                 {"TTD Client First Name", client ? item.firstName : QString(), name},
                 {"TTD Project", client ? QString() : item.project, name}};
    for (int i = 0; i < 4; ++i)
        if (widths[i] > 0)
            if (const auto found =
                    TextLimits::check(QLatin1String(texts[i].field), widths[i], texts[i].text))
                return TextLimits::message(texts[i].what, *found);
    return std::nullopt;
}

QHash<QPair<QString, QString>, QString> clientTexts(const QList<ToDoItem>& items) {
    QHash<QPair<QString, QString>, QString> texts;
    for (const ToDoItem& item : items)
        if (item.isClient())
            texts[{item.lastName, item.firstName}] += item.thingToDo + QStringLiteral("\r\n");
    return texts;
}

Saved save(const Database& db, const QList<ToDoItem>& items, const QList<ToDoItem>& removed) {
    for (qsizetype i = 0; i < items.size(); ++i)
        if (const auto wrong = problem(items.at(i)))
            refuse(QStringLiteral("Row %1 (%2): %3").arg(i + 1).arg(items.at(i).name(), *wrong));
    ListTables::requireTable(db, Table);
    ListTables::requireTable(db, ClientsTable);
    // The rows the window knows, by their values: a save elsewhere numbers every row anew, and
    // a row id freed is given again, so a row id alone says nothing.
    KnownRows known;
    for (const QList<ToDoItem>* list : {&items, &removed})
        for (const ToDoItem& item : *list)
            known.add(item.stored);
    Saved saved;
    db.transaction([&] {
        // A write first: the file is this save's from here on, so nothing that another program
        // adds can come between the read below and the rewrite.
        db.write(QStringLiteral("UPDATE [Active Clients] SET [Active Client Things To Do] = '' "
                                "WHERE [Active Client Things To Do] IS NOT ''"));
        QList<QVariantList> others;
        db.readRows(ReadAll, {}, [&](QVariantList& row) {
            row.removeFirst();
            if (!known.take(row))
                others << std::move(row);
            return true;
        });
        db.write(QStringLiteral("DELETE FROM [Things To Do]"));
        saved.items.reserve(items.size() + others.size());
        for (const ToDoItem& item : items) {
            QVariantList row = insert(db, rowValues(item));
            ToDoItem written = item;
            written.rowId = row.takeFirst().toLongLong();
            written.stored = std::move(row);
            saved.items << std::move(written);
        }
        for (const QVariantList& values : std::as_const(others)) {
            QVariantList row = insert(db, values);
            saved.items << itemOf(row);
        }
        saved.kept = others.size();
        // The key ignores case and serves the search; the names must match exactly.
        const auto texts = clientTexts(saved.items);
        for (auto it = texts.constBegin(); it != texts.constEnd(); ++it)
            db.write(
                QStringLiteral("UPDATE [Active Clients] SET [Active Client Things To Do] = ? "
                               "WHERE [Client Last Name] = ? AND [Client First Name] = ? "
                               "AND [Client Last Name] = ? COLLATE BINARY "
                               "AND [Client First Name] = ? COLLATE BINARY"),
                {it.value(), it.key().first, it.key().second, it.key().first, it.key().second});
    });
    return saved;
}

namespace {

// Refuses, before anything is written, an item that the file would refuse or a file without
// the table.
void requireStorable(const Database& db, const ToDoItem& item) {
    if (const auto wrong = problem(item))
        refuse(*wrong);
    ListTables::requireTable(db, Table);
}

} // namespace

ToDoItem add(const Database& db, const ToDoItem& item) {
    requireStorable(db, item);
    ToDoItem stored;
    db.transaction([&] {
        QVariantList row = insert(db, rowValues(item));
        stored = itemOf(row);
    });
    return stored;
}

Changed change(const Database& db, const ToDoItem& item) {
    requireStorable(db, item);
    Changed changed;
    db.transaction([&] {
        // Its own row, as it was read: the row id may name another item by now, and another
        // window may have changed this one since.
        bool held = false;
        if (item.stored.size() == FieldCount) {
            QVariantList params{item.priority, item.thingToDo, dateValue(item.deadline),
                                item.rowId};
            QString sql = QStringLiteral("UPDATE [Things To Do] SET [TTD Priority] = ?, "
                                         "[ThingToDo] = ?, [Thing To Do Deadline] = ? "
                                         "WHERE rowid = ?");
            for (int i = 0; i < FieldCount; ++i)
                sql += QStringLiteral(" AND ") +
                       Database::holds(FieldList.at(i), item.stored.at(i), params);
            held = db.write(sql, params) > 0;
        }
        changed.storedAnew = !held;
        QVariantList row = held ? QVariantList() : insert(db, rowValues(item));
        changed.item = held ? readOne(db, item.rowId) : itemOf(row);
    });
    return changed;
}

} // namespace ToDoItems

#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class Database;

// One thing to do, as the to-do list holds it: the stored row it came from, its kind and
// names (never guessed from the text shown), its priority, text and dates.
struct ToDoItem {
    enum class Kind { Client, Project };

    qint64 rowId = 0; // the row of `Things To Do` it is stored in; 0 before it is stored
    Kind kind = Kind::Project;
    QString lastName; // a client item's names
    QString firstName;
    QString project;  // a project item's project
    QString priority; // "1" to "5"
    QString thingToDo;
    QDate startDate; // null: no date
    QDate deadline;

    bool isClient() const { return kind == Kind::Client; }
    // "Last, First" for a client, else the project.
    QString name() const;
    bool operator==(const ToDoItem&) const = default;
};

namespace ToDoItems {

constexpr int ThingToDoLimit = 100;
// The level a new item starts with, and the one a stored level outside 1 to 5 reads as.
const QString DefaultPriority = QStringLiteral("3");
constexpr int DefaultAllowanceDays = 7;

// A date as the list shows it, "M/d/yyyy" whatever the locale; "" for no date.
QString dateText(const QDate& date);
// A stored priority as the list shows it: "1" to "5"; anything else reads as "3".
QString priorityText(const QVariant& stored);
// The deadline a new item is preset to: today plus the allowance in days, a whole number; an
// allowance that is empty or no whole number (of a 16-bit range) counts as 7.
QDate presetDeadline(const QDate& today, const QString& allowance);

// Every row of `Things To Do`, in table order. A client item has both names and no project;
// every other row is a project item (a row with both shows its project).
QList<ToDoItem> load(const Database& db);

// What is wrong with an item that the file would refuse, in words for the user; nothing when
// it can be stored.
std::optional<QString> problem(const ToDoItem& item);

// Each active client's to-do text: the texts of the client items, in list order, each followed
// by CR LF, by exact last and first name.
QHash<QPair<QString, QString>, QString> clientTexts(const QList<ToDoItem>& items);

// Makes the items the table's content, in their order, and rebuilds every active client's
// `Active Client Things To Do` from them, in one transaction: every item is checked first,
// and on any failure nothing changes. Throws AppError.
void save(const Database& db, const QList<ToDoItem>& items);
// Stores a new item at the end of the table; returns its row. Throws AppError.
qint64 add(const Database& db, const ToDoItem& item);
// Writes an item's priority, text and deadline into its stored row; a row that is gone is
// stored anew. Returns the row it is stored in. Throws AppError.
qint64 change(const Database& db, const ToDoItem& item);

} // namespace ToDoItems

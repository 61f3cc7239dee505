#pragma once

#include <QDate>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariantList>
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
    // The row's values as last read or written (every field, as stored): what a write of the
    // item expects the row to hold still. Empty for an item not read from the file.
    QVariantList stored;

    bool isClient() const { return kind == Kind::Client; }
    // "Last, First" for a client, else the project.
    QString name() const;
    bool operator==(const ToDoItem&) const = default;
};

namespace ToDoItems {

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

// What Done stored: the list as saved, and how many items at its end are rows that the window
// did not know (another window or program added them, or wrote them anew, meanwhile).
struct Saved {
    QList<ToDoItem> items;
    qsizetype kept = 0;
};

// Makes the items the table's content, in their order, and rebuilds every active client's
// `Active Client Things To Do` from them, in one transaction: every item is checked first,
// and on any failure nothing changes. Rows of the table that neither the items nor `removed`
// (the items the window read and the user deleted) hold as they were read are kept, after the
// items, and count in the clients' texts. Returns the list as saved. Throws AppError.
Saved save(const Database& db, const QList<ToDoItem>& items, const QList<ToDoItem>& removed);
// Stores a new item at the end of the table; returns it as stored. Throws AppError.
ToDoItem add(const Database& db, const ToDoItem& item);
// Writes an item's priority, text and deadline into its row, provided the row still holds the
// item as it was read; else (another window or program changed or deleted it) that row stays
// as it is and the item is stored anew. Returns the item as stored. Throws AppError.
struct Changed {
    ToDoItem item;
    bool storedAnew = false;
};
Changed change(const Database& db, const ToDoItem& item);

} // namespace ToDoItems

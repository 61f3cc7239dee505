#pragma once

#include <QList>
#include <QString>

class Database;

// One row of a list table as a list shows it: the field's text, or for names the last name,
// ", " and the first name. The names travel with the item, so that the row is found again by
// its own fields and never by splitting the text (a last name may itself hold ", ").
struct ListItem {
    QString text;
    QString last;  // the field's text for a one-field table
    QString first; // names only

    bool operator==(const ListItem&) const = default;
};

// The tables behind the five lookup lists, told apart by the lookup list's index
// (MainLists::Clients ... MainLists::Activities).
namespace ListTables {

struct Columns {
    QString table;
    QString last;  // the one field, or the last name
    QString first; // "" for a one-field table
};

const Columns& columnsOf(int list);
bool hasNames(int list);

// An item from the values of a row (names: last and first).
ListItem itemOf(int list, const QString& last, const QString& first = {});

// Raises a clear AppError when the file lacks the table (another program's file).
void requireTable(const Database& db, const QString& table);

// The rows of the list's table in table order. A null name reads as ""; a one-field row whose
// field is null is left out, as the program never stores one.
QList<ListItem> read(const Database& db, int list);

} // namespace ListTables

#pragma once

#include "core/logic/ListTables.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the list windows do to the tables behind the pick lists: the checks of a typed entry,
// adding a row, deleting rows, and the text that the activities list inserts. Lists are told
// apart by the lookup list's index (MainLists::Clients ... MainLists::Activities). Engine
// failures raise an AppError.
namespace ListEditing {

// Why a typed entry is refused, in the window's own words, or "" when it may be added. For
// names, typed is the first name and typedLast the last name.
QString refusal(int list, const QString& typed, const QString& typedLast = {});
// The item a typed entry becomes: its texts without leading and trailing blanks.
ListItem entryOf(int list, const QString& typed, const QString& typedLast = {});

// The items of the list's table, in table order.
QList<ListItem> load(const QString& path, int list);
// Appends the item's row. A client whose last and first name another client has already
// (capital and small letters count as the same) is refused with a message that says so.
void add(const QString& path, int list, const ListItem& item);
// For each item in turn, deletes the first row in table order whose fields equal the item's
// exactly (case counts); an item that no row matches deletes nothing. All or nothing.
void remove(const QString& path, int list, const QList<ListItem>& items);

// The text that the activities list inserts for the items selected, given in list order: the
// items in reverse order, each followed by one blank, and one blank more.
QString insertionText(const QStringList& selected);

} // namespace ListEditing

#pragma once

#include "ToDoItems.h"

#include <QList>

// The rows of the to-do window in the order shown: sorting by a column, re-ranking, deleting,
// and the rows the dialogs add and change. Nothing here touches the file.
class ToDoList {
public:
    enum Column { Priority, Name, Text, StartDate, Deadline, ColumnCount };

    ToDoList() = default;
    explicit ToDoList(QList<ToDoItem> items) : m_items(std::move(items)) {}

    const QList<ToDoItem>& items() const { return m_items; }
    int count() const { return int(m_items.size()); }
    const ToDoItem& at(int row) const { return m_items.at(row); }
    // The texts of a row, by column, as the list shows them.
    static QString text(const ToDoItem& item, int column);

    // A click on a column's header: a new sort column sorts ascending, the sort column again
    // reverses the order. The list starts unsorted with Priority ascending as its sort, so the
    // first click on Priority sorts descending. Priorities, names and texts compare as text
    // without regard to case, dates as dates (no date first); equal rows keep their order.
    void columnClick(int column);
    bool isSorted() const { return m_sorted; }
    int sortColumn() const { return m_sortColumn; }
    bool ascending() const { return m_ascending; }

    // Pressing on one row and releasing over another: the two items exchange places, while
    // the priorities stay with the places, so the items exchange their priorities.
    void exchange(int from, int to);
    void remove(int row);
    // The items removed from the list, which Done drops from the file.
    const QList<ToDoItem>& removed() const { return m_removed; }
    // A new row: last, or in its place once the list is sorted. Returns its row.
    int add(const ToDoItem& item);
    // A changed item leaves its row and is added as a new one. Returns its row, or -1 when
    // there is no such row.
    int replace(int row, const ToDoItem& item);

private:
    bool less(const ToDoItem& a, const ToDoItem& b) const;

    QList<ToDoItem> m_items;
    QList<ToDoItem> m_removed;
    bool m_sorted = false;
    int m_sortColumn = Priority;
    bool m_ascending = true;
};

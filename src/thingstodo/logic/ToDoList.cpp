#include "ToDoList.h"

#include <algorithm>

namespace {

// No date sorts before every date.
int compareDates(const QDate& a, const QDate& b) {
    if (a.isValid() != b.isValid())
        return a.isValid() ? 1 : -1;
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compare(const ToDoItem& a, const ToDoItem& b, int column) {
    switch (column) {
    case ToDoList::StartDate:
        return compareDates(a.startDate, b.startDate);
    case ToDoList::Deadline:
        return compareDates(a.deadline, b.deadline);
    default:
        return ToDoList::text(a, column).compare(ToDoList::text(b, column), Qt::CaseInsensitive);
    }
}

} // namespace

QString ToDoList::text(const ToDoItem& item, int column) {
    switch (column) {
    case Priority:
        return item.priority;
    case Name:
        return item.name();
    case Text:
        return item.thingToDo;
    case StartDate:
        return ToDoItems::dateText(item.startDate);
    case Deadline:
        return ToDoItems::dateText(item.deadline);
    default:
        return {};
    }
}

bool ToDoList::less(const ToDoItem& a, const ToDoItem& b) const {
    const int order = compare(a, b, m_sortColumn);
    return m_ascending ? order < 0 : order > 0;
}

void ToDoList::columnClick(int column) {
    if (column < 0 || column >= ColumnCount)
        return;
    if (column != m_sortColumn) {
        m_sortColumn = column;
        m_ascending = true;
    } else {
        m_ascending = !m_ascending;
    }
    m_sorted = true;
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const ToDoItem& a, const ToDoItem& b) { return less(a, b); });
}

void ToDoList::exchange(int from, int to) {
    if (from < 0 || to < 0 || from >= count() || to >= count() || from == to)
        return;
    std::swap(m_items[from], m_items[to]);
    std::swap(m_items[from].priority, m_items[to].priority);
}

void ToDoList::remove(int row) {
    if (row >= 0 && row < count())
        m_removed << m_items.takeAt(row);
}

int ToDoList::add(const ToDoItem& item) {
    if (!m_sorted) {
        m_items.append(item);
        return count() - 1;
    }
    const auto place =
        std::upper_bound(m_items.begin(), m_items.end(), item,
                         [this](const ToDoItem& a, const ToDoItem& b) { return less(a, b); });
    const int row = int(place - m_items.begin());
    m_items.insert(row, item);
    return row;
}

int ToDoList::replace(int row, const ToDoItem& item) {
    if (row < 0 || row >= count())
        return -1;
    m_items.removeAt(row);
    return add(item);
}

#pragma once

#include <QString>
#include <QStringList>
#include <array>

// A list box's items: kept in insertion order, or sorted without regard to case.
class LookupList {
public:
    explicit LookupList(bool sorted = false) : m_sorted(sorted) {}

    void clear() { m_items.clear(); }
    void addItem(const QString& item);
    int listCount() const { return int(m_items.size()); }
    QString list(int index) const { return m_items.value(index); }
    const QStringList& items() const { return m_items; }
    bool isSorted() const { return m_sorted; }

private:
    bool m_sorted;
    QStringList m_items;
};

// The lists the main window caches: List1 holds the five lookup lists (0 clients, 1 employees,
// 2 projects, 3 rates, 4 activities), List2 the recent database files, newest first.
struct MainLists {
    enum { Clients = 0, Employees = 1, Projects = 2, Rates = 3, Activities = 4 };
    std::array<LookupList, 5> List1{LookupList(true), LookupList(), LookupList(), LookupList(),
                                    LookupList()};
    QStringList List2;
};

// The one set of cached lists of the running program.
MainLists& mainLists();

// Gives the shared lookup list these items (the windows' boxes: see ListRefill).
void refillSharedList(int list, const QStringList& items);

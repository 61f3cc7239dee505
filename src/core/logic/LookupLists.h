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

// Gives the shared lookup list these items, and the same to the box of the current Data entry
// window when a Data entry window ran the command. Other Data entry windows keep theirs until
// they fill them again.
void refillLookupList(int list, const QStringList& items);

// After a command that changed a list of a file behind the windows' backs (an import of
// clients): gives the shared lookup list these items, and the same to the box of every open
// Data entry window on that file, which keeps the text it shows.
void refillLookupListOfFile(const QString& path, int list, const QStringList& items);

#include "LookupLists.h"

#include "ChildWindows.h"
#include "SharedState.h"
#include "platform/SortedItems.h"

void LookupList::addItem(const QString& item) {
    if (m_sorted)
        m_items.insert(sortedInsertPosition(m_items, item), item);
    else
        m_items.append(item);
}

MainLists& mainLists() {
    static MainLists lists;
    return lists;
}

void refillLookupList(int list, const QStringList& items) {
    LookupList& lookup = mainLists().List1[std::size_t(list)];
    lookup.clear();
    for (const QString& item : items)
        lookup.addItem(item);
    if (gblnEntryActive)
        if (ChildWindow* entry = currentEntryWindow())
            entry->refillList(list, items);
}

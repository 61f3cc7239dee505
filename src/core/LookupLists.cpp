#include "LookupLists.h"

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

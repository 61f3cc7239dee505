#include "LookupLists.h"

#include "platform/data/TextOrder.h"

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

void refillSharedList(int list, const QStringList& items) {
    LookupList& lookup = mainLists().List1[std::size_t(list)];
    lookup.clear();
    for (const QString& item : items)
        lookup.addItem(item);
}

#include "LookupLists.h"

#include "SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/FileOps.h"
#include "platform/widgets/SortedItems.h"

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

namespace {
void refillShared(int list, const QStringList& items) {
    LookupList& lookup = mainLists().List1[std::size_t(list)];
    lookup.clear();
    for (const QString& item : items)
        lookup.addItem(item);
}
} // namespace

void refillLookupList(int list, const QStringList& items) {
    refillShared(list, items);
    if (gblnEntryActive)
        if (ChildWindow* entry = currentEntryWindow())
            entry->refillList(list, items, ChildWindow::BoxText::Cleared);
}

void refillLookupListOfFile(const QString& path, int list, const QStringList& items) {
    refillShared(list, items);
    for (ChildWindow* window : openChildWindows())
        if (window->kind() == ChildWindow::Kind::Entry && !window->isClosed() &&
            FileOps::sameFile(window->path(), path))
            window->refillList(list, items, ChildWindow::BoxText::Kept);
}

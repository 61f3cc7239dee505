#include "ListRefill.h"

#include "ChildWindows.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "platform/data/FileOps.h"

void refillLookupList(int list, const QStringList& items) {
    refillSharedList(list, items);
    if (gblnEntryActive)
        if (ChildWindow* entry = currentEntryWindow())
            entry->refillList(list, items, ChildWindow::BoxText::Cleared);
}

void refillLookupListOfFile(const QString& path, int list, const QStringList& items) {
    refillSharedList(list, items);
    for (ChildWindow* window : openChildWindows())
        if (window->kind() == ChildWindow::Kind::Entry && !window->isClosed() &&
            FileOps::sameFile(window->path(), path))
            window->refillList(list, items, ChildWindow::BoxText::Kept);
}

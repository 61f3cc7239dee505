#pragma once

#include <QString>
#include <QStringList>

// The order of sorted lists: ascending, without regard to case (Qt's own sorting heeds case).
bool textLessIgnoringCase(const QString& a, const QString& b);
// Where a sorted list puts a new item: after every item that does not sort after it.
int sortedInsertPosition(const QStringList& items, const QString& item);

#include "TextOrder.h"

#include <algorithm>

bool textLessIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

int sortedInsertPosition(const QStringList& items, const QString& item) {
    return int(std::upper_bound(items.begin(), items.end(), item, textLessIgnoringCase) -
               items.begin());
}

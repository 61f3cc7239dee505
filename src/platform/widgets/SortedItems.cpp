#include "SortedItems.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QListWidget>
#include <algorithm>
#include <numeric>

namespace {

// The items in the order that adding them one by one to a sorted list gives.
QStringList sortedCopy(const QStringList& items) {
    QStringList sorted = items;
    std::stable_sort(sorted.begin(), sorted.end(), textLessIgnoringCase);
    return sorted;
}

} // namespace

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items.append(list->item(i)->text());
    return items;
}

QList<int> selectedRowsOf(const QListWidget* list) {
    // From the selection ranges: asking each item would take long in a long list.
    QList<int> rows;
    for (const QItemSelectionRange& range : list->selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            rows << row;
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList selectedItemsOf(const QListWidget* list) {
    QStringList texts;
    for (int row : selectedRowsOf(list))
        texts << list->item(row)->text();
    return texts;
}

void fillSorted(QComboBox* box, const QStringList& items) {
    box->clear();
    box->addItems(sortedCopy(items));
    box->setCurrentIndex(-1);
    box->clearEditText();
}

void addSorted(QComboBox* box, const QString& item) {
    const int index = box->currentIndex();
    const QString text = box->currentText();
    box->insertItem(sortedInsertPosition(itemsOf(box), item), item);
    if (index < 0 && box->currentIndex() >= 0) {
        box->setCurrentIndex(-1);
        box->setEditText(text);
    }
}

void fillSorted(QListWidget* list, const QStringList& items) {
    list->clear();
    list->addItems(sortedCopy(items));
}

void addSorted(QListWidget* list, const QString& item) {
    list->insertItem(sortedInsertPosition(itemsOf(list), item), item);
}

void fillSorted(QListWidget* list, const QStringList& items, const QVariantList& values) {
    QList<int> order(items.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return textLessIgnoringCase(items[a], items[b]); });
    list->clear();
    for (int i : order) {
        auto* item = new QListWidgetItem(items[i]);
        item->setData(Qt::UserRole, values.value(i));
        list->addItem(item);
    }
}

QListWidgetItem* addSorted(QListWidget* list, const QString& item, const QVariant& value) {
    auto* added = new QListWidgetItem(item);
    added->setData(Qt::UserRole, value);
    list->insertItem(sortedInsertPosition(itemsOf(list), item), added);
    return added;
}

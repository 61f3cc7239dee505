#pragma once

#include "platform/data/TextOrder.h"

#include <QStringList>
#include <QVariantList>

class QComboBox;
class QListWidget;
class QListWidgetItem;

// Sorted lists: items in ascending text order without regard to case, whatever order they
// come in (Qt's own sorting heeds case). Filling an empty combo box never puts its first item
// into the box's text.

// The items of a combo box or a list box, in order.
QStringList itemsOf(const QComboBox* box);
QStringList itemsOf(const QListWidget* list);
// The rows of the selected items of a list box, and their texts, in list order.
QList<int> selectedRowsOf(const QListWidget* list);
QStringList selectedItemsOf(const QListWidget* list);

// Replaces the items; the combo box's text is left empty.
void fillSorted(QComboBox* box, const QStringList& items);
// Adds one item in its place; the combo box's text stays as it was.
void addSorted(QComboBox* box, const QString& item);
// Replaces the items of a list box.
void fillSorted(QListWidget* list, const QStringList& items);
// Adds one item of a list box in its place.
void addSorted(QListWidget* list, const QString& item);
// The same for items that carry a value each along (as their Qt::UserRole data): the value of
// items[i] is values[i].
void fillSorted(QListWidget* list, const QStringList& items, const QVariantList& values);
QListWidgetItem* addSorted(QListWidget* list, const QString& item, const QVariant& value);

#pragma once

#include "ClientBoxes.h"

#include <QList>
#include <QString>
#include <span>

class DataControl;
class DataNavigator;
class QTabWidget;
class QWidget;
class RecordScrollBar;

// The record part that the client windows share: a data control, the framed boxes bound to it
// on the pages of a tab strip, and under them a record scroll bar and a navigator.
namespace ClientRecord {

struct Parts {
    DataControl* control;
    BoxTable::Built boxes;
    RecordScrollBar* scrollBar;
    DataNavigator* navigator;
};

// A page of the tab strip for each caption, with an empty grid for its boxes.
QList<QWidget*> addPages(QTabWidget* tabs, std::span<const char* const> captions);

// Makes the control (a child of window) and the boxes of the table on the pages of their tabs,
// then the scroll bar, running up to scrollMaximum, and the navigator (children of barsParent,
// so that they follow the boxes in the focus order). The navigator leaves its errors to the
// window's own handler. A write that holds a text too long for its field of the table is
// refused: the box's tab is shown and the box says so.
Parts build(QWidget* window, QWidget* barsParent, const QString& table,
            std::span<const BoxTable::Part> boxes, QTabWidget* tabs, const QList<QWidget*>& pages,
            int scrollMaximum, const QString& navigatorCaption);

// Points the control at the current file, with the user's name, and its rows.
void open(DataControl* control, const QString& recordSource);

} // namespace ClientRecord

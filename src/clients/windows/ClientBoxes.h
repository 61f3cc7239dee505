#pragma once

#include "platform/widgets/BoxTable.h"

#include <QList>
#include <QString>
#include <QVariantMap>
#include <span>

class DataControl;
class QGroupBox;
class QTabWidget;
class QWidget;

// The framed, bound boxes of the client record windows: each box sits in a captioned frame at
// its place in its tab's grid and shows one field of the window's data control.
namespace ClientBoxes {

// Makes every row of the table on the grid pages of its tabs, keeps each frame wide enough for
// its caption whole, and binds the boxes to the control. The date pickers show the present
// until a row is current.
BoxTable::Built build(std::span<const BoxTable::Part> table, const QList<QWidget*>& pages,
                      DataControl* control);

// The least width of a frame that shows the caption whole.
int captionWidth(const QGroupBox* frame, const QString& caption);

// Refuses a write that holds a text too long for its field of the table: shows the box's tab,
// says which box and how long, and gives it the focus. True when nothing is too long.
bool refuseTooLong(const QString& table, const BoxTable::Built& boxes, QTabWidget* tabs,
                   const QVariantMap& changes);

} // namespace ClientBoxes

#pragma once

#include <QList>
#include <QString>
#include <QVariantMap>
#include <span>

class DataControl;
class QGridLayout;
class QGroupBox;
class QTabWidget;
class QWidget;

// The framed, bound boxes of the client record windows: each box sits in a captioned frame at
// its place in its tab's grid and shows one field of the window's data control.
namespace ClientBoxes {

// A line, a multi-line box one line high, a multi-line box that takes the height its row gets,
// a masked line, a date picker.
enum class Shape { Line, ShortText, Text, Mask, Picker };

// One row of a window's table of boxes.
struct FramedBox {
    int tab; // 1-based
    const char* frame;
    const char* caption;
    const char* box;
    Shape shape;
    const char* field;
    const char* format; // the mask, or the picker's date format
    int row;
    int column;
    int rowSpan;
    int columnSpan;
};

// A box as built: its tab, field and caption, its frame and the box itself.
struct Built {
    int tab;
    QString field;
    QString caption;
    QGroupBox* frame;
    QWidget* box;
};

// Makes every box of the table in the grid of its tab (grids[tab - 1]), gives every column
// of the grids an equal share, keeps each frame wide enough for its caption whole, and binds
// the boxes to the control. The date pickers show the
// present until a row is current.
QList<Built> build(std::span<const FramedBox> table, const QList<QGridLayout*>& grids,
                   DataControl* control);

// The least width of a frame that shows the caption whole.
int captionWidth(const QGroupBox* frame, const QString& caption);

// The built box of a field (names compared without regard to case), or nullptr.
const Built* find(const QList<Built>& boxes, const QString& field);
// Its box and its frame, or nullptr.
QWidget* boxOf(const QList<Built>& boxes, const QString& field);
QGroupBox* frameOf(const QList<Built>& boxes, const QString& field);

// Refuses a write that holds a text too long for its field of the table: shows the box's tab,
// says which box and how long, and gives it the focus. True when nothing is too long.
bool refuseTooLong(const QString& table, const QList<Built>& boxes, QTabWidget* tabs,
                   const QVariantMap& changes);

} // namespace ClientBoxes

#pragma once

#include "BoundField.h"

#include <QList>
#include <QMargins>
#include <QSize>
#include <QString>
#include <optional>
#include <span>

class DataControl;
class QGroupBox;
class QTabWidget;
class QWidget;

// A window's boxes as a table. Each row makes a frame, a box, or a frame and the one box it
// holds; names the field the box shows; and says where the part stands on its page: in a cell
// of the page's grid, next in the page's row or column, or at a rectangle in twips that follows
// the window's size. A window lists its rows, builds them once and keeps its handlers.
namespace BoxTable {

enum class Shape {
    None,         // no box: the row makes its frame only
    Line,         // a line box
    Mask,         // a line box for a masked text; the row's format is the mask
    ShortText,    // a plain-text box one line high, scrolling its further lines; Tab moves on
    Text,         // a plain-text box; Tab moves on; in a grid its row takes the height left
    PlainText,    // a plain-text box that takes Tab as text, as a notes box does
    RichText,     // a formatted-text box that also takes pictures (RichTextBox)
    Combo,        // an editable list box; a typed text is not added to the list
    ComboAsTyped, // the same, without completion from the list: the text counts as typed
    Picker,       // a date box that may hold no date, as a record's date field may
    PickerAlways, // a date box that always holds a date
    Option,       // a radio button
    List,         // a list of which several items may be chosen
    Label,        // a text
    Toolbar,      // a toolbar of small icon buttons, which the window adds
    Stretch,      // the room left over in its frame, or its row or column page
    Placed,       // a part the window makes itself: the table only places it, found by name
};

// A length in twips that may follow the window's width (across) or height (down): fixed twips
// and a share of the window's length. `(Full - 500) / 2` is half the window less 250 twips.
struct Length {
    double fixed = 0;
    double share = 0;
    constexpr Length(double twips = 0) : fixed(twips) {}
    constexpr Length(double twips, double ofWindow) : fixed(twips), share(ofWindow) {}
};
constexpr Length operator+(Length a, double b) {
    return {a.fixed + b, a.share};
}
constexpr Length operator-(Length a, double b) {
    return {a.fixed - b, a.share};
}
constexpr Length operator/(Length a, double b) {
    return {a.fixed / b, a.share / b};
}
// The window's whole width or height.
constexpr Length Full{0, 1};

// Where a part stands on its page.
struct Place {
    enum class Kind {
        Next,       // next in the page's row or column
        Cell,       // in a cell of the page's grid
        Rect,       // at a rectangle in twips, in its frame or on its page
        RectAtLeast // the same, never less high than the part needs to show itself
    };
    Kind kind = Kind::Next;
    int row = 0;
    int column = 0;
    int rowSpan = 1;
    int columnSpan = 1;
    Length left, top, width, height;
};
constexpr Place next() {
    return {};
}
constexpr Place cell(int row, int column, int rowSpan = 1, int columnSpan = 1) {
    return {Place::Kind::Cell, row, column, rowSpan, columnSpan, {}, {}, {}, {}};
}
constexpr Place rect(Length left, Length top, Length width, Length height) {
    return {Place::Kind::Rect, 0, 0, 1, 1, left, top, width, height};
}
constexpr Place rectAtLeast(Length left, Length top, Length width, Length height) {
    return {Place::Kind::RectAtLeast, 0, 0, 1, 1, left, top, width, height};
}

// One row of a window's table. A row that names a frame not made yet makes it, on the row's
// page; a row that names a made frame puts its box in it. A frame lays out its boxes one after
// another (one alone fills it), unless it stands at a rectangle: then every part in it is
// placed by its own row's rectangle, as is every part on a page without a layout. A part on
// such a page that has no rectangle is left for the window to place.
struct Part {
    int page = 1;                  // the page, from 1, as build() is given them
    const char* frame = nullptr;   // the frame it makes or stands in; none: on the page
    const char* caption = nullptr; // the frame's caption when it makes the frame (a picker in
                                   // it is named by it too), else the box's own caption
    const char* box = nullptr;     // the box's name
    Shape shape = Shape::None;
    Place at = {};                // where the frame stands, or the box when it makes none
    const char* field = nullptr;  // the field the box shows (see bind())
    const char* format = nullptr; // the Format pattern, the mask, or a picker's date format
    std::optional<BoundField::Kind> kind = {}; // the value's kind, when not its shape's own
};

// How a window's frames hold their boxes: one under another or side by side, within margins
// (the style's own when none are given).
struct FrameStyle {
    Qt::Orientation boxes = Qt::Vertical;
    std::optional<QMargins> margins = {};
};

// A page of a tab strip: a grid, or a column of frames.
struct PageStyle {
    enum class Arrangement { Grid, Column } arrangement = Arrangement::Grid;
    QMargins margins;
    int spacing = 0;
};

// A made row: its page, field and caption, its frame (when it stands in one) and its box.
struct Made {
    int page;
    QString name;
    QString field;
    QString caption;
    QGroupBox* frame;
    QWidget* box;
};

class Built {
public:
    // The box or the frame of that name, or nullptr.
    template <class Box = QWidget>
    Box* box(const char* name) const {
        return qobject_cast<Box*>(find(name));
    }
    QGroupBox* frame(const char* name) const;
    // The frames made on a page, in their order.
    QList<QGroupBox*> frames(int page) const;
    // The boxes in the frame, in their order.
    QList<QWidget*> boxesIn(const QGroupBox* frame) const;
    // The row that shows the field (compared without regard to case), or nullptr.
    const Made* ofField(const QString& field) const;

    // Binds the boxes of the page's rows (every page's: 0) that name a field to the control.
    QList<BoundField*> bind(DataControl* control, int page = 0) const;

    // Places the parts of the rows placed by rectangles for the size of their page.
    void layOut(const QSize& page) const;

private:
    friend Built build(std::span<const Part>, const QList<QWidget*>&, const FrameStyle&,
                       const QList<QWidget*>&);
    QWidget* find(const char* name) const;

    struct Row {
        const Part* part;
        Made made;
        QWidget* page;
        bool makesFrame;
        // What the row's place places: its frame when it makes one, else its box (found by
        // the first layOut() for a part the window makes after the build).
        mutable QWidget* placed;
    };
    QList<Row> m_rows;
};

// Makes the rows of the table, in their order, on the pages (pages[page - 1]): a page with a
// grid takes its parts in their cells and gives every column an equal share; a page with a row
// or column layout takes them in order; the parts of a page without a layout are placed by
// layOut(). A part the window makes is one of `placed`, else found on its page by its name.
// The table must outlive what is built.
Built build(std::span<const Part> table, const QList<QWidget*>& pages,
            const FrameStyle& frames = {}, const QList<QWidget*>& placed = {});

// Adds a page to the tab strip for each caption, laid out as the style says.
QList<QWidget*> addPages(QTabWidget* tabs, std::span<const char* const> captions,
                         const PageStyle& style);

} // namespace BoxTable

#include "BoxTable.h"

#include "DateBox.h"
#include "RichTextBox.h"
#include "Twips.h"
#include "WindowParts.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

namespace BoxTable {

namespace {

QString text(const char* s) {
    return s ? QLatin1String(s) : QString();
}

QTextEdit* newPlainText(QWidget* parent) {
    auto* box = new QTextEdit(parent);
    box->setAcceptRichText(false);
    return box;
}

QWidget* makeBox(const Part& part, QWidget* parent, const QList<QWidget*>& placed) {
    const QString caption = text(part.caption);
    switch (part.shape) {
    case Shape::None:
    case Shape::Stretch:
        return nullptr;
    case Shape::Line:
    case Shape::Mask:
        return new QLineEdit(parent);
    case Shape::ShortText:
    case Shape::Text: {
        QTextEdit* box = newPlainText(parent);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (part.shape == Shape::ShortText) // as high as a line box
            box->setFixedHeight(QLineEdit().sizeHint().height());
        return box;
    }
    case Shape::PlainText:
        return newPlainText(parent);
    case Shape::RichText:
        return new RichTextBox(parent);
    case Shape::Combo:
    case Shape::ComboAsTyped: {
        auto* box = new QComboBox(parent);
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        if (part.shape == Shape::ComboAsTyped)
            box->setCompleter(nullptr);
        return box;
    }
    case Shape::Picker:
    case Shape::PickerAlways: {
        auto* picker = new DateBox(parent);
        picker->setAccessibleName(caption); // its messages name it
        if (part.shape == Shape::PickerAlways)
            picker->setNullable(false);
        if (part.format)
            picker->setDisplayFormat(QLatin1String(part.format));
        return picker;
    }
    case Shape::Option:
        return new QRadioButton(caption, parent);
    case Shape::List: {
        auto* list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        return list;
    }
    case Shape::Label:
        return new QLabel(caption, parent);
    case Shape::Toolbar:
        return newToolbar(parent, part.box);
    case Shape::Placed:
        for (QWidget* made : placed)
            if (made->objectName() == QLatin1String(part.box))
                return made;
        return parent->findChild<QWidget*>(QLatin1String(part.box));
    }
    return nullptr;
}

BoundField::Kind kindOf(const Part& part) {
    if (part.kind)
        return *part.kind;
    switch (part.shape) {
    case Shape::Mask:
        return BoundField::Masked;
    case Shape::Picker:
    case Shape::PickerAlways:
        return BoundField::Date;
    case Shape::RichText:
        return BoundField::RichText;
    default:
        return BoundField::Text;
    }
}

// Puts a part in its place on a page with a layout.
void put(QLayout* layout, QWidget* part, const Place& at) {
    if (auto* grid = qobject_cast<QGridLayout*>(layout))
        grid->addWidget(part, at.row, at.column, at.rowSpan, at.columnSpan);
    else
        layout->addWidget(part);
}

bool byRectangle(const Place& at) {
    return at.kind == Place::Kind::Rect || at.kind == Place::Kind::RectAtLeast;
}

QGroupBox* newFrame(const Part& part, QWidget* page, const FrameStyle& style) {
    auto* frame = new QGroupBox(text(part.caption), page);
    frame->setObjectName(QLatin1String(part.frame));
    if (byRectangle(part.at)) // its boxes are placed by their own rectangles
        return frame;
    QBoxLayout* inside = style.boxes == Qt::Vertical
                             ? static_cast<QBoxLayout*>(new QVBoxLayout(frame))
                             : new QHBoxLayout(frame);
    if (style.margins)
        inside->setContentsMargins(*style.margins);
    if (QLayout* layout = page->layout())
        put(layout, frame, part.at);
    return frame;
}

double along(const Length& length, double window) {
    return length.fixed + length.share * window;
}

} // namespace

QWidget* Built::find(const char* name) const {
    const QLatin1String wanted(name);
    for (const Row& row : m_rows) {
        if (row.made.box && row.made.name == wanted)
            return row.made.box;
        if (row.makesFrame && row.made.frame->objectName() == wanted)
            return row.made.frame;
    }
    return nullptr;
}

QGroupBox* Built::frame(const char* name) const {
    return qobject_cast<QGroupBox*>(find(name));
}

QList<QGroupBox*> Built::frames(int page) const {
    QList<QGroupBox*> found;
    for (const Row& row : m_rows)
        if (row.makesFrame && row.made.page == page)
            found << row.made.frame;
    return found;
}

QList<QWidget*> Built::boxesIn(const QGroupBox* frame) const {
    QList<QWidget*> found;
    for (const Row& row : m_rows)
        if (row.made.box && row.made.frame == frame)
            found << row.made.box;
    return found;
}

const Made* Built::ofField(const QString& field) const {
    for (const Row& row : m_rows)
        if (!row.made.field.isEmpty() && row.made.field.compare(field, Qt::CaseInsensitive) == 0)
            return &row.made;
    return nullptr;
}

QList<BoundField*> Built::bind(DataControl* control, int page) const {
    QList<FieldBinding> bindings;
    for (const Row& row : m_rows)
        if (row.part->field && (page == 0 || row.made.page == page))
            bindings << FieldBinding{row.made.box, row.made.field, kindOf(*row.part),
                                     text(row.part->format)};
    return bindFields(control, bindings);
}

void Built::layOut(const QSize& page) const {
    const double width = Twips::fromPixels(page.width());
    const double height = Twips::fromPixels(page.height());
    for (const Row& row : m_rows) {
        const Place& at = row.part->at;
        if (!byRectangle(at))
            continue;
        if (!row.placed) // made by the window after the build
            row.placed = row.page->findChild<QWidget*>(row.made.name);
        if (!row.placed)
            continue;
        const auto place = at.kind == Place::Kind::Rect ? Twips::place : Twips::placeAtLeast;
        place(row.placed, along(at.left, width), along(at.top, height), along(at.width, width),
              along(at.height, height));
    }
}

Built build(std::span<const Part> table, const QList<QWidget*>& pages, const FrameStyle& frames,
            const QList<QWidget*>& placed) {
    Built built;
    QHash<QString, QGroupBox*> made;
    for (const Part& part : table) {
        QWidget* page = pages.at(part.page - 1);
        QGroupBox* frame = nullptr;
        bool makesFrame = false;
        if (part.frame) {
            frame = made.value(QLatin1String(part.frame));
            if (!frame) {
                frame = newFrame(part, page, frames);
                made.insert(frame->objectName(), frame);
                makesFrame = true;
            }
        }
        QWidget* box = makeBox(part, frame ? frame : page, placed);
        if (box) {
            box->setObjectName(QLatin1String(part.box));
            if (frame && frame->layout())
                frame->layout()->addWidget(box);
            else if (!frame && page->layout())
                put(page->layout(), box, part.at);
        }
        if (auto* grid = qobject_cast<QGridLayout*>(page->layout());
            grid && part.shape == Shape::Text)
            grid->setRowStretch(part.at.row, 1);
        if (auto* line = qobject_cast<QBoxLayout*>(frame ? frame->layout() : page->layout());
            line && part.shape == Shape::Stretch)
            line->addStretch(1);
        built.m_rows << Built::Row{
            &part,
            {part.page, text(part.box), text(part.field), text(part.caption), frame, box},
            page,
            makesFrame,
            makesFrame ? frame : box};
    }
    for (QWidget* page : pages)
        if (auto* grid = qobject_cast<QGridLayout*>(page->layout()))
            for (int c = 0; c < grid->columnCount(); ++c)
                grid->setColumnStretch(c, 1);
    return built;
}

QList<QWidget*> addPages(QTabWidget* tabs, std::span<const char* const> captions,
                         const PageStyle& style) {
    QList<QWidget*> pages;
    for (const char* caption : captions) {
        auto* page = new QWidget;
        QLayout* layout = style.arrangement == PageStyle::Arrangement::Grid
                              ? static_cast<QLayout*>(new QGridLayout(page))
                              : new QVBoxLayout(page);
        layout->setContentsMargins(style.margins);
        layout->setSpacing(style.spacing);
        tabs->addTab(page, QLatin1String(caption));
        pages << page;
    }
    return pages;
}

} // namespace BoxTable

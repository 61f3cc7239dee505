#include "ClientBoxes.h"

#include "core/logic/FieldLimits.h"
#include "platform/data/Clock.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/DateBox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace ClientBoxes {

namespace {

QWidget* makeBox(Shape shape, QWidget* parent) {
    switch (shape) {
    case Shape::Line:
    case Shape::Mask:
        return new QLineEdit(parent);
    case Shape::Picker:
        return new DateBox(parent);
    case Shape::ShortText:
    case Shape::Text: {
        auto* box = new QTextEdit(parent);
        box->setAcceptRichText(false);
        box->setTabChangesFocus(true);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (shape == Shape::ShortText) // as high as a line box, scrolling its further lines
            box->setFixedHeight(QLineEdit().sizeHint().height());
        return box;
    }
    }
    return nullptr;
}

BoundField::Kind kindOf(Shape shape) {
    switch (shape) {
    case Shape::Mask:
        return BoundField::Masked;
    case Shape::Picker:
        return BoundField::Date;
    default:
        return BoundField::Text;
    }
}

} // namespace

QList<Built> build(std::span<const FramedBox> table, const QList<QGridLayout*>& grids,
                   DataControl* control) {
    QList<Built> built;
    QList<FieldBinding> bindings;
    for (const FramedBox& b : table) {
        QGridLayout* grid = grids[b.tab - 1];
        auto* frame = new QGroupBox(QLatin1String(b.caption));
        frame->setObjectName(QLatin1String(b.frame));
        frame->setMinimumWidth(captionWidth(frame, frame->title()));
        auto* inside = new QVBoxLayout(frame);
        inside->setContentsMargins(4, 2, 4, 4);
        QWidget* box = makeBox(b.shape, frame);
        box->setObjectName(QLatin1String(b.box));
        inside->addWidget(box);
        grid->addWidget(frame, b.row, b.column, b.rowSpan, b.columnSpan);
        if (b.shape == Shape::Text)
            grid->setRowStretch(b.row, 1);
        if (b.shape == Shape::Picker) { // the present until a row is current
            auto* picker = static_cast<DateBox*>(box);
            picker->setAccessibleName(QLatin1String(b.caption));
            picker->setDisplayFormat(QLatin1String(b.format));
            picker->setValue(Clock::now());
        }
        bindings << FieldBinding{box, QLatin1String(b.field), kindOf(b.shape),
                                 QLatin1String(b.format)};
        built << Built{b.tab, QLatin1String(b.field), QLatin1String(b.caption), frame, box};
    }
    for (QGridLayout* grid : grids)
        for (int c = 0; c < grid->columnCount(); ++c)
            grid->setColumnStretch(c, 1);
    bindFields(control, bindings);
    return built;
}

int captionWidth(const QGroupBox* frame, const QString& caption) {
    // As the frame measures its own caption, whatever its present one.
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = caption;
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QFontMetrics metrics(frame->font());
    const QSize text(metrics.horizontalAdvance(caption + QLatin1Char(' ')), metrics.height());
    return frame->style()->sizeFromContents(QStyle::CT_GroupBox, &option, text, frame).width();
}

const Built* find(const QList<Built>& boxes, const QString& field) {
    for (const Built& b : boxes)
        if (b.field.compare(field, Qt::CaseInsensitive) == 0)
            return &b;
    return nullptr;
}

QWidget* boxOf(const QList<Built>& boxes, const QString& field) {
    const Built* b = find(boxes, field);
    return b ? b->box : nullptr;
}

QGroupBox* frameOf(const QList<Built>& boxes, const QString& field) {
    const Built* b = find(boxes, field);
    return b ? b->frame : nullptr;
}

bool refuseTooLong(const QString& table, const QList<Built>& boxes, QTabWidget* tabs,
                   const QVariantMap& changes) {
    const std::optional<FieldLimits::TooLong> tooLong = FieldLimits::firstTooLong(table, changes);
    if (!tooLong)
        return true;
    if (const Built* b = find(boxes, tooLong->field)) {
        tabs->setCurrentIndex(b->tab - 1);
        Dialogs::msgBox(FieldLimits::message(b->caption, *tooLong));
        b->box->setFocus();
    }
    return false;
}

} // namespace ClientBoxes

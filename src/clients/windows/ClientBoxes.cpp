#include "ClientBoxes.h"

#include "core/logic/FieldLimits.h"
#include "platform/data/Clock.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/DateBox.h"

#include <QGroupBox>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTabWidget>

namespace ClientBoxes {

BoxTable::Built build(std::span<const BoxTable::Part> table, const QList<QWidget*>& pages,
                      DataControl* control) {
    const BoxTable::Built built =
        BoxTable::build(table, pages, {Qt::Vertical, QMargins(4, 2, 4, 4)});
    for (const BoxTable::Part& part : table) {
        QGroupBox* frame = built.frame(part.frame);
        frame->setMinimumWidth(captionWidth(frame, frame->title()));
        if (auto* picker = built.box<DateBox>(part.box)) // the present until a row is current
            picker->setValue(Clock::now());
    }
    built.bind(control);
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

bool refuseTooLong(const QString& table, const BoxTable::Built& boxes, QTabWidget* tabs,
                   const QVariantMap& changes) {
    const std::optional<FieldLimits::TooLong> tooLong = FieldLimits::firstTooLong(table, changes);
    if (!tooLong)
        return true;
    if (const BoxTable::Made* b = boxes.ofField(tooLong->field)) {
        tabs->setCurrentIndex(b->page - 1);
        Dialogs::msgBox(FieldLimits::message(b->caption, *tooLong));
        b->box->setFocus();
    }
    return false;
}

} // namespace ClientBoxes

#include "RecordScrollBar.h"

#include "platform/data/DataControl.h"
#include "platform/data/RecordScroll.h"

#include <QSignalBlocker>

RecordScrollBar::RecordScrollBar(DataControl* control, int maximum, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), m_control(control) {
    {
        const QSignalBlocker quiet(this);
        setRange(0, maximum);
        setSingleStep(1);
        setPageStep(qMax(1, maximum / 10));
    }
    connect(control, &DataControl::moveComplete, this, [this] {
        if (!m_moving)
            mirror();
    });
    connect(this, &QAbstractSlider::valueChanged, this, &RecordScrollBar::userMoved);
}

void RecordScrollBar::mirror() {
    if (!m_control)
        return;
    const DataControl& dc = *m_control;
    int value = 0;
    if (dc.hasCurrentRow())
        value = RecordScroll::valueForRow(dc.AbsolutePosition(), dc.RecordCount(), maximum());
    else if (dc.isEOF() && !dc.isBOF())
        value = maximum();
    const QSignalBlocker quiet(this);
    setValue(value);
}

void RecordScrollBar::userMoved(int value) {
    if (!m_control || m_moving)
        return;
    DataControl& dc = *m_control;
    if (dc.RecordCount() == 0) {
        mirror();
        return;
    }
    const std::optional<int> pointed =
        RecordScroll::rowForValue(value, maximum(), dc.RecordCount());
    if (!pointed && dc.isBOF())
        return;
    const int row = qMin(pointed.value_or(1), dc.RecordCount());
    m_moving = true;
    const bool moved = dc.setAbsolutePosition(row);
    m_moving = false;
    if (!moved || dc.AbsolutePosition() != row)
        mirror();
}

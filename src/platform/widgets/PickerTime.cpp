#include "PickerTime.h"

#include <QDateTimeEdit>
#include <QSignalBlocker>

QDateTime shownDateTime(const QDateTimeEdit& picker) {
    QDateTime value = picker.dateTime();
    const QDateTimeEdit::Sections shown = picker.displayedSections();
    const QTime time = value.time();
    value.setTime(QTime(time.hour(), time.minute(),
                        shown.testFlag(QDateTimeEdit::SecondSection) ? time.second() : 0,
                        shown.testFlag(QDateTimeEdit::MSecSection) ? time.msec() : 0));
    return value;
}

void setPickerTime(QDateTimeEdit& picker, const QDateTime& value) {
    const QSignalBlocker blocker(picker);
    picker.setDateTime(value);
    picker.setDateTime(shownDateTime(picker));
}

#include "DateBox.h"

#include "Clock.h"
#include "DateTyping.h"

#include <QKeyEvent>

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    // The lowest date stands for Null and shows blank (an empty special text would show it).
    setSpecialValueText(QStringLiteral(" "));
    setCalendarPopup(true);
    typeSeparatorsOnce(this);
}

bool DateBox::isNull() const {
    return dateTime() == minimumDateTime();
}

void DateBox::setNull() {
    setDateTime(minimumDateTime());
}

QVariant DateBox::value() const {
    return isNull() ? QVariant() : QVariant(dateTime());
}

void DateBox::setValue(const QVariant& value) {
    const QDateTime date =
        value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
    if (value.isNull() || !date.isValid() || date <= minimumDateTime())
        setNull();
    else
        setDateTime(date);
}

void DateBox::startFromNow() {
    if (!isNull())
        return;
    setDateTime(Clock::now());
    setCurrentSectionIndex(0);
    setSelectedSection(currentSection());
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        setNull();
        event->accept();
        return;
    }
    // A digit typed into an empty box goes into the present's first part.
    if (!event->text().isEmpty() && event->text().at(0).isDigit())
        startFromNow();
    QDateTimeEdit::keyPressEvent(event);
}

void DateBox::mousePressEvent(QMouseEvent* event) {
    startFromNow();
    QDateTimeEdit::mousePressEvent(event);
}

void DateBox::stepBy(int steps) {
    // The arrow keys, the arrow buttons and the wheel of an empty box give the present.
    if (isNull()) {
        startFromNow();
        return;
    }
    QDateTimeEdit::stepBy(steps);
}

#pragma once

#include <QDateTimeEdit>
#include <QVariant>

// A date picker that can hold no date (Null), as a date field of a record can. It shows blank
// then. Delete empties it; typing, the arrow keys or a click give it a date again, starting
// from the present, so that the user edits a date rather than the picker's lowest one.
class DateBox : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    bool isNull() const;
    void setNull();
    // The date and time, or a null QVariant when the box holds none.
    QVariant value() const;
    // A QDateTime (or QDate) shows it; a null or invalid value empties the box.
    void setValue(const QVariant& value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void stepBy(int steps) override;

private:
    // An empty box takes the present before the user edits it.
    void startFromNow();
};

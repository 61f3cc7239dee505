#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <optional>

class DataControl;
class QDateTimeEdit;
class QLineEdit;
class QTextEdit;
class QWidget;

// Binds a box to a field of a data control: the box shows the field of the current row after
// every move (empty when there is no current row), and a box that the user edited hands its
// value to the control when the row is left, so that the move writes it. A value that does
// not convert to the field's kind is refused with a message, the row is not left and the
// stored value stays. The binding lives as long as its box.
class BoundField : public QObject {
    Q_OBJECT
public:
    enum Kind {
        Text,     // text as typed ("" stays "")
        Memo,     // long plain text
        RichText, // formatted text, stored as Qt's HTML (a QTextEdit only)
        Date,     // stored "yyyy-MM-dd HH:mm:ss", shown as CStr shows a date
        Number,   // a number (REAL), shown as CStr shows it
        Currency  // an amount, rounded to 4 decimals when written
    };

    BoundField(QLineEdit* box, DataControl* control, const QString& field, Kind kind = Text);
    BoundField(QTextEdit* box, DataControl* control, const QString& field, Kind kind = Memo);
    // A date picker; a row without a date shows it blank, and no current row leaves it as is.
    BoundField(QDateTimeEdit* box, DataControl* control, const QString& field);
    ~BoundField() override;

    // A Format pattern to show the value with (a bound box's data format), as
    // "\"$\"#,##0.00" or "M/d/yyyy"; "" shows it as CStr does.
    void setFormat(const QString& pattern);
    QString field() const { return m_field; }
    Kind kind() const { return m_kind; }
    // Whether the user changed the box since the current row was shown.
    bool isEdited() const;
    // Shows the current row's value again; a typed edit is dropped.
    void load();

private:
    BoundField(QWidget* box, DataControl* control, const QString& field, Kind kind);
    bool collect(QVariantMap& changes);
    std::optional<QVariant> typedValue(QString* refusal) const;
    QString shownText(const QVariant& value) const;

    QPointer<DataControl> m_control;
    QString m_field;
    Kind m_kind;
    QString m_format;
    QLineEdit* m_line = nullptr;
    QTextEdit* m_text = nullptr;
    QDateTimeEdit* m_date = nullptr;
    int m_hookId = 0;
    bool m_loading = false;
    bool m_dateEdited = false;
};

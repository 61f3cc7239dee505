#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class DataControl;
class DateBox;
class InputMask;
class QComboBox;
class QLineEdit;
class QTextEdit;
class QWidget;

// Binds a box to a field of a data control: the box shows the field of the current row after
// every move (empty when there is no current row), and a box that the user edited hands its
// value to the control when the row is left, so that the move writes it. A value that does
// not convert to the field's kind is refused with a message, the row is not left and the
// stored value stays. Without a current row (no rows, or past either end) the box takes no
// typing, as there is no row to write it to. The binding lives as long as its box.
//
// Boxes: a QLineEdit, an editable QComboBox (its text) and a QTextEdit for text; a QLineEdit
// for masked text, numbers, amounts and dates typed as text; a DateBox for a date picked.
class BoundField : public QObject {
    Q_OBJECT
public:
    enum Kind {
        Text,     // text as typed ("" stays "")
        Memo,     // long plain text
        RichText, // formatted text, stored as Qt's HTML (a QTextEdit only)
        Masked,   // text in the places of a mask, the binding's format (see InputMask)
        Date,     // stored "yyyy-MM-dd HH:mm:ss"; a line edit shows it as CStr shows a date
        Number,   // a number (REAL), shown as CStr shows it
        Money     // an amount in the money type (Currency), written rounded to 4 decimals
    };

    // `format` is the Format pattern the box shows its value with (the box's data format:
    // "\"$\"#,##0.00", "M/d/yyyy"; "" shows it as CStr does), or a Masked box's mask.
    BoundField(QWidget* box, DataControl* control, const QString& field, Kind kind = Text,
               const QString& format = {});
    ~BoundField() override;

    QString field() const { return m_field; }
    Kind kind() const { return m_kind; }
    // Whether the user changed the box since the current row was shown.
    bool isEdited() const;
    // Shows the current row's value again; a typed edit is dropped.
    void load();

private:
    bool collect(QVariantMap& changes);
    std::optional<QVariant> typedValue(QString* refusal) const;
    QString typedText() const;
    QString shownText(const QVariant& value) const;
    void show(const QString& text);
    bool isReadOnly() const;
    void setReadOnly(bool readOnly);
    // Locks the box while there is no current row; a box that was read-only when it was bound
    // stays so.
    void followRow(bool current);

    QPointer<DataControl> m_control;
    QString m_field;
    Kind m_kind;
    QString m_format;
    std::unique_ptr<InputMask> m_mask;
    QLineEdit* m_line = nullptr;
    QComboBox* m_combo = nullptr;
    QTextEdit* m_text = nullptr;
    DateBox* m_date = nullptr;
    int m_hookId = 0;
    bool m_loading = false;
    bool m_edited = false;   // combo and date boxes, which keep no modified flag of their own
    bool m_locked = false;   // read-only for want of a current row
    bool m_showsRow = false; // a date box: it shows a row's value
    QDateTime m_dateShown;   // what a date box showed of the row
};

// One row of a window's binding table: the box, the field it shows, the kind of value and the
// format (or mask). A window lists its rows and calls bindFields; it writes no binding code.
struct FieldBinding {
    QWidget* box;
    QString field;
    BoundField::Kind kind = BoundField::Text;
    QString format = {};
};

// Binds every box of the table to its field of the control.
QList<BoundField*> bindFields(DataControl* control, const QList<FieldBinding>& table);

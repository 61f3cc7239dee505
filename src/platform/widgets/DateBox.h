#pragma once

#include <QDateTimeEdit>
#include <QVariant>
#include <optional>

// The program's date and time box: a date picker with its calendar that takes a date as the
// user writes it. A whole date typed over a selection (everything selected, or a section
// clicked into) or over a section, typed section by section, or pasted, is the date it holds;
// a whole text that is no date is refused with a message naming the box (its accessible name)
// and the box keeps what it held. A click into a section selects that section.
//
// A box may hold no date (Null), as a date field of a record can: it shows blank then. Delete
// empties it; typing, the arrow keys or a click give it a date again, starting from the present,
// so that the user edits a date rather than the picker's lowest one. A box that must always
// hold a date (setNullable(false)) leaves Delete to the picker.
class DateBox : public QDateTimeEdit {
    Q_OBJECT
public:
    explicit DateBox(QWidget* parent = nullptr);

    void setNullable(bool nullable);
    bool isNull() const;
    void setNull();
    // The date and time, or a null QVariant when the box holds none.
    QVariant value() const;
    // A QDateTime (or QDate) shows it; a null or invalid value empties the box.
    void setValue(const QVariant& value);

    // Takes a whole date the user has typed and not yet finished (no Tab or Enter since).
    // False when it is no date: the message has been shown and the box holds what it held
    // before the typing. Windows call it before they read the box.
    bool commitTyping();
    // Takes a text as the box's whole value, as a paste does; false when it is no date (said
    // so) or blank (nothing to take).
    bool takeText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void stepBy(int steps) override;

private:
    // An empty box takes the present before the user edits it.
    void startFromNow();
    void startTyping();
    // A separator typed where the box has moved on past one by itself.
    bool typedAgain(const QString& text) const;
    // "A" or "P" typed into the AM/PM section.
    bool typedMark(const QString& text);
    std::optional<QDateTime> reading(const QString& text) const;
    void showDate(const QDateTime& value);
    void refuse(const QString& text);

    bool m_nullable = true;
    QString m_typed;        // what the user has typed since the typing began
    QDateTime m_before;     // what the box held then
    bool m_passing = false; // a typed key is with the picker, which moves on by itself
};

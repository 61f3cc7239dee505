#include "DateBox.h"

#include "platform/data/Clock.h"
#include "platform/data/DateTyping.h"
#include "platform/data/Dialogs.h"
#include "platform/data/VbFormat.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <utility>

namespace {

bool isModifier(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

} // namespace

DateBox::DateBox(QWidget* parent) : QDateTimeEdit(parent) {
    // Month/day/year and AM/PM whatever the language of the desktop.
    setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
    // The lowest date stands for Null and shows blank (an empty special text would show it).
    setSpecialValueText(QStringLiteral(" "));
    setCalendarPopup(true);
    lineEdit()->installEventFilter(this);
}

void DateBox::setNullable(bool nullable) {
    m_nullable = nullable;
    setSpecialValueText(nullable ? QStringLiteral(" ") : QString());
}

bool DateBox::isNull() const {
    return m_nullable && dateTime() == minimumDateTime();
}

void DateBox::setNull() {
    if (m_nullable)
        setDateTime(minimumDateTime());
}

QVariant DateBox::value() const {
    return isNull() ? QVariant() : QVariant(dateTime());
}

void DateBox::setValue(const QVariant& value) {
    m_typed.clear();
    const QDateTime date =
        value.typeId() == QMetaType::QDate ? value.toDate().startOfDay() : value.toDateTime();
    if (value.isNull() || !date.isValid() || date <= minimumDateTime())
        setNull();
    else
        setDateTime(date);
}

bool DateBox::commitTyping() {
    const QString typed = std::exchange(m_typed, QString());
    if (typed.isEmpty() ||
        DateTyping::progress(typed, displayFormat()) == DateTyping::Progress::Partial)
        return true; // a section or two typed: the picker's own sections took them
    if (const std::optional<QDateTime> date = reading(typed)) {
        showDate(*date);
        return true;
    }
    setDateTime(m_before);
    refuse(typed);
    return false;
}

bool DateBox::takeText(const QString& text) {
    // Nothing to paste is no date to refuse.
    if (isReadOnly() || !commitTyping() || text.trimmed().isEmpty())
        return false;
    if (const std::optional<QDateTime> date = reading(text)) {
        showDate(*date);
        return true;
    }
    refuse(text.trimmed());
    return false;
}

std::optional<QDateTime> DateBox::reading(const QString& text) const {
    std::optional<QDateTime> date = DateTyping::read(text, displayFormat());
    if (!date)
        date = VbFormat::parseDate(text); // the program's other forms, pasted
    // The lowest date of a box that may be empty stands for Null.
    if (!date || *date < minimumDateTime() || (m_nullable && *date == minimumDateTime()) ||
        *date > maximumDateTime())
        return std::nullopt;
    return date;
}

void DateBox::showDate(const QDateTime& value) {
    // A box without a time of day changes its day only.
    if (displayedSections() & QDateTimeEdit::TimeSections_Mask)
        setDateTime(value);
    else
        setDate(value.date());
}

void DateBox::refuse(const QString& text) {
    QString name = accessibleName();
    if (name.isEmpty())
        name = objectName();
    const bool withTime = displayedSections() & QDateTimeEdit::TimeSections_Mask;
    const QString example =
        locale().toString(QDateTime(QDate(2026, 3, 15), QTime(9, 5)), displayFormat());
    Dialogs::msgBox(QStringLiteral("The %1 box takes a %2 such as %3: \"%4\" is not one.")
                        .arg(name,
                             withTime ? QStringLiteral("date and time") : QStringLiteral("date"),
                             example, text));
}

void DateBox::startFromNow() {
    if (!isNull())
        return;
    setDateTime(Clock::now());
    setCurrentSectionIndex(0);
    setSelectedSection(currentSection());
}

void DateBox::startTyping() {
    const QLineEdit* line = lineEdit();
    // Typing over everything writes the whole date, from its first section.
    if (line->hasSelectedText() && line->selectedText() == line->text()) {
        setCurrentSectionIndex(0);
        setSelectedSection(currentSection());
    }
}

bool DateBox::typedAgain(const QString& text) const {
    // A full section moves on to the next by itself, past the separator the user types next.
    if (text.size() != 1 || text.at(0).isLetterOrNumber())
        return false;
    const QLineEdit* line = lineEdit();
    const int at = line->cursorPosition();
    return at > 0 && line->text().at(at - 1) == text.at(0);
}

bool DateBox::typedMark(const QString& text) {
    // The picker keeps a lone "A" or "P" as an unfinished mark and puts the old one back when
    // the box is left; the letter alone is the mark.
    const QChar letter = text.at(0).toLower();
    if (currentSection() != QDateTimeEdit::AmPmSection ||
        (letter != QLatin1Char('a') && letter != QLatin1Char('p')))
        return false;
    const QTime now = time();
    setTime(
        QTime(now.hour() % 12 + (letter == QLatin1Char('p') ? 12 : 0), now.minute(), now.second()));
    setSelectedSection(QDateTimeEdit::AmPmSection);
    return true;
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    if (isReadOnly()) {
        QDateTimeEdit::keyPressEvent(event);
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        takeText(QGuiApplication::clipboard()->text());
        event->accept();
        return;
    }
    const QString text = event->text();
    const bool typing =
        text.size() == 1 && text.at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!typing) {
        if (isModifier(event->key())) {
            // Shift pressed for a capital or a colon: the typing goes on.
        } else if (event->key() == Qt::Key_Backspace && !m_typed.isEmpty()) {
            m_typed.chop(1);
        } else if (!commitTyping()) {
            event->accept(); // the key does not go on with a date refused
            return;
        }
        if (m_nullable && event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
            setNull();
            event->accept();
            return;
        }
        QDateTimeEdit::keyPressEvent(event);
        return;
    }
    if (m_typed.isEmpty()) {
        m_before = dateTime();
        // A digit typed into an empty box goes into the present's first part.
        if (text.at(0).isDigit())
            startFromNow();
        startTyping();
    }
    m_typed += text;
    if (typedAgain(text) || typedMark(text)) {
        event->accept();
    } else {
        m_passing = true;
        QDateTimeEdit::keyPressEvent(event);
        m_passing = false;
    }
    if (DateTyping::progress(m_typed, displayFormat()) == DateTyping::Progress::Finished)
        commitTyping();
}

void DateBox::mousePressEvent(QMouseEvent* event) {
    commitTyping();
    startFromNow();
    QDateTimeEdit::mousePressEvent(event);
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    commitTyping();
    QDateTimeEdit::focusOutEvent(event);
}

bool DateBox::focusNextPrevChild(bool next) {
    // A separator typed moves to the next section this way, and the typing goes on.
    if (!m_passing)
        commitTyping();
    return QDateTimeEdit::focusNextPrevChild(next);
}

void DateBox::contextMenuEvent(QContextMenuEvent* event) {
    commitTyping();
    // The line's own menu, whose Paste takes the text as the box's whole value.
    QMenu* menu = lineEdit()->createStandardContextMenu();
    const QString pasteKeys =
        QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (!action->text().endsWith(pasteKeys))
            continue;
        disconnect(action, &QAction::triggered, lineEdit(), nullptr);
        connect(action, &QAction::triggered, this,
                [this] { takeText(QGuiApplication::clipboard()->text()); });
    }
    menu->exec(event->globalPos());
    delete menu;
    event->accept();
}

bool DateBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched != lineEdit())
        return QDateTimeEdit::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        commitTyping();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QClipboard* clipboard = QGuiApplication::clipboard();
        if (mouse->button() == Qt::MiddleButton && clipboard->supportsSelection()) {
            if (!isReadOnly())
                takeText(clipboard->text(QClipboard::Selection));
            return true;
        }
        if (mouse->button() == Qt::LeftButton) {
            // The line places the caret first; the section it stands in is then selected, so
            // that what is typed replaces it.
            static_cast<QObject*>(lineEdit())->event(event);
            if (!lineEdit()->hasSelectedText())
                setSelectedSection(currentSection());
            return true;
        }
    }
    return QDateTimeEdit::eventFilter(watched, event);
}

void DateBox::stepBy(int steps) {
    // The arrow keys, the arrow buttons and the wheel of an empty box give the present.
    if (isNull()) {
        startFromNow();
        return;
    }
    QDateTimeEdit::stepBy(steps);
}

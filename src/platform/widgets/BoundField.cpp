#include "BoundField.h"

#include "DateBox.h"
#include "RichText.h"
#include "platform/data/AppError.h"
#include "platform/data/Currency.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/data/InputMask.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>

BoundField::BoundField(QWidget* box, DataControl* control, const QString& field, Kind kind,
                       const QString& format)
    : QObject(box), m_control(control), m_field(field), m_kind(kind), m_format(format) {
    const auto edited = [this] {
        if (!m_loading)
            m_edited = true;
    };
    if ((m_date = qobject_cast<DateBox*>(box))) {
        m_kind = Date;
        connect(m_date, &QDateTimeEdit::dateTimeChanged, this, edited);
    } else if ((m_combo = qobject_cast<QComboBox*>(box))) {
        // Only the user's choices and typing count: refilling the list is no edit.
        connect(m_combo, &QComboBox::activated, this, edited);
        if (QLineEdit* line = m_combo->lineEdit())
            connect(line, &QLineEdit::textEdited, this, edited);
    } else if ((m_line = qobject_cast<QLineEdit*>(box))) {
        if (m_kind == RichText)
            m_kind = Memo;
        if (m_kind == Masked) {
            m_mask = std::make_unique<InputMask>(format);
            m_line->setInputMask(m_mask->qtMask());
        }
    } else if (!(m_text = qobject_cast<QTextEdit*>(box))) {
        qFatal("A %s cannot be bound to a field", box->metaObject()->className());
    }
    if (control) {
        m_hookId = control->addFieldHook([this](QVariantMap& changes) { return collect(changes); });
        connect(control, &DataControl::fieldsChanged, this, &BoundField::load);
    }
    load();
}

BoundField::~BoundField() {
    if (m_control)
        m_control->removeFieldHook(m_hookId);
}

bool BoundField::isEdited() const {
    if (m_line)
        return m_line->isModified();
    if (m_text)
        return m_text->document()->isModified();
    // A date typed and then refused, or typed back, is no change.
    if (m_date)
        return m_edited && m_date->dateTime() != m_dateShown;
    return m_edited;
}

QString BoundField::shownText(const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    QVariant shown = value;
    switch (m_kind) {
    case Masked:
        return value.toString();
    case Money:
        try {
            if (const std::optional<Currency> amount = Currency::fromSqlValue(value))
                shown = QVariant::fromValue(*amount);
        } catch (const AppError&) {
            return VbFormat::cstr(value); // beyond the money range: shown as it is stored
        }
        break;
    case Date: {
        const QDateTime date = StoredDate::fromStored(value);
        if (!date.isValid())
            return value.toString(); // not a date: shown as it is
        shown = date;
        break;
    }
    default:
        break;
    }
    if (!m_format.isEmpty())
        return VbFormat::format(shown, m_format);
    if (m_kind == Text || m_kind == Memo || m_kind == RichText)
        return value.toString();
    return VbFormat::cstr(shown);
}

void BoundField::show(const QString& text) {
    if (m_line) {
        m_line->setText(m_mask ? m_mask->forBox(text) : text);
        m_line->setCursorPosition(0);
    } else if (m_combo) {
        m_combo->setCurrentIndex(m_combo->findText(text));
        m_combo->setEditText(text);
    } else if (m_text) {
        m_text->setPlainText(text);
    }
}

bool BoundField::isReadOnly() const {
    if (m_line)
        return m_line->isReadOnly();
    if (m_text)
        return m_text->isReadOnly();
    if (m_date)
        return m_date->isReadOnly();
    return m_combo && !m_combo->isEnabled(); // a combo box's list would still choose
}

void BoundField::setReadOnly(bool readOnly) {
    if (m_line)
        m_line->setReadOnly(readOnly);
    else if (m_text)
        m_text->setReadOnly(readOnly);
    else if (m_date)
        m_date->setReadOnly(readOnly);
    else if (m_combo)
        m_combo->setEnabled(!readOnly);
}

void BoundField::followRow(bool current) {
    if (!current && !m_locked && !isReadOnly()) {
        setReadOnly(true);
        m_locked = true;
    } else if (current && m_locked) {
        setReadOnly(false);
        m_locked = false;
    }
}

void BoundField::load() {
    if (!m_control)
        return;
    const bool current = m_control->hasCurrentRow();
    followRow(current);
    const QVariant value = current ? m_control->value(m_field) : QVariant();
    m_loading = true;
    if (m_date) {
        // Without a row the picker keeps what its window gave it (the present), but never the
        // date of a row it no longer shows (one deleted, or left past either end).
        if (current)
            m_date->setValue(StoredDate::fromStored(value));
        else if (m_showsRow)
            m_date->setNull();
        m_showsRow = current;
    } else {
        const QString text = shownText(value);
        if (m_text && m_kind == RichText && Qt::mightBeRichText(text)) {
            RichText::loadStoredHtml(*m_text->document(), text);
            m_text->document()->setModified(false);
        } else {
            show(text);
        }
    }
    if (m_date)
        m_dateShown = m_date->dateTime();
    m_edited = false;
    m_loading = false;
}

QString BoundField::typedText() const {
    if (m_line)
        return m_mask ? m_mask->stored(m_line->displayText()) : m_line->text();
    if (m_combo)
        return m_combo->currentText();
    return m_text ? m_text->toPlainText() : QString();
}

std::optional<QVariant> BoundField::typedValue(QString* refusal) const {
    if (m_date) {
        if (m_date->isNull())
            return QVariant();
        // A picker that shows no time of day keeps the day alone: what it shows is what is kept.
        QDateTime shown = m_date->dateTime();
        if (!(m_date->displayedSections() & QDateTimeEdit::TimeSections_Mask))
            shown = shown.date().startOfDay();
        return StoredDate::toStored(shown);
    }
    if (m_text && m_kind == RichText)
        return m_text->document()->isEmpty() ? QString()
                                             : RichText::toStoredHtml(*m_text->document());
    const QString text = typedText();
    const auto refuse = [&](const char* what) {
        *refusal = QStringLiteral("The value \"%1\" is not a valid %2 for %3.")
                       .arg(text, QLatin1String(what), m_field);
        return std::nullopt;
    };
    switch (m_kind) {
    case Text:
    case Memo:
    case RichText:
    case Masked:
        return text;
    case Date:
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto date = VbFormat::parseDate(text))
            return StoredDate::toStored(*date);
        return refuse("date");
    case Number:
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto number = VbFormat::parseNumber(text))
            return *number;
        return refuse("number");
    case Money:
        if (text.trimmed().isEmpty())
            return QVariant();
        // Read as an exact decimal: no binary fraction comes between the text and the amount.
        if (const std::optional<Currency> amount = Currency::parse(text))
            return amount->toSqlValue();
        return refuse("amount");
    }
    return text;
}

bool BoundField::collect(QVariantMap& changes) {
    // A date still being typed is taken, or refused, before the row is left.
    if (m_date && !m_date->commitTyping())
        return false;
    if (!isEdited())
        return true;
    QString refusal;
    const std::optional<QVariant> value = typedValue(&refusal);
    if (!value) {
        Dialogs::msgBox(refusal);
        if (QWidget* box = qobject_cast<QWidget*>(parent()))
            box->setFocus();
        return false;
    }
    changes.insert(m_field, *value);
    return true;
}

QList<BoundField*> bindFields(DataControl* control, const QList<FieldBinding>& table) {
    QList<BoundField*> bound;
    for (const FieldBinding& row : table)
        bound << new BoundField(row.box, control, row.field, row.kind, row.format);
    return bound;
}

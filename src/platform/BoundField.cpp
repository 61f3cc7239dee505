#include "BoundField.h"

#include "DataControl.h"
#include "Dialogs.h"
#include "RichText.h"
#include "StoredDate.h"
#include "VbFormat.h"

#include <QDateTimeEdit>
#include <QLineEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <cmath>

BoundField::BoundField(QWidget* box, DataControl* control, const QString& field, Kind kind)
    : QObject(box), m_control(control), m_field(field), m_kind(kind) {
    if (!control)
        return;
    m_hookId = control->addFieldHook([this](QVariantMap& changes) { return collect(changes); });
    connect(control, &DataControl::fieldsChanged, this, &BoundField::load);
}

BoundField::BoundField(QLineEdit* box, DataControl* control, const QString& field, Kind kind)
    : BoundField(static_cast<QWidget*>(box), control, field, kind == RichText ? Memo : kind) {
    m_line = box;
    load();
}

BoundField::BoundField(QTextEdit* box, DataControl* control, const QString& field, Kind kind)
    : BoundField(static_cast<QWidget*>(box), control, field, kind) {
    m_text = box;
    load();
}

BoundField::BoundField(QDateTimeEdit* box, DataControl* control, const QString& field)
    : BoundField(static_cast<QWidget*>(box), control, field, Date) {
    m_date = box;
    // The lowest date stands for "no date" and shows blank.
    if (box->specialValueText().isEmpty())
        box->setSpecialValueText(QStringLiteral(" "));
    connect(box, &QDateTimeEdit::dateTimeChanged, this, [this] {
        if (!m_loading)
            m_dateEdited = true;
    });
    load();
}

BoundField::~BoundField() {
    if (m_control)
        m_control->removeFieldHook(m_hookId);
}

void BoundField::setFormat(const QString& pattern) {
    m_format = pattern;
    load();
}

bool BoundField::isEdited() const {
    if (m_line)
        return m_line->isModified();
    if (m_text)
        return m_text->document()->isModified();
    return m_dateEdited;
}

QString BoundField::shownText(const QVariant& value) const {
    if (!value.isValid() || value.isNull())
        return {};
    QVariant shown = value;
    if (m_kind == Date) {
        const QDateTime date = StoredDate::fromStored(value);
        if (!date.isValid())
            return value.toString(); // not a date: shown as it is
        shown = date;
    }
    if (!m_format.isEmpty())
        return VbFormat::format(shown, m_format);
    if (m_kind == Text || m_kind == Memo || m_kind == RichText)
        return value.toString();
    return VbFormat::cstr(shown);
}

void BoundField::load() {
    if (!m_control)
        return;
    const bool current = m_control->hasCurrentRow();
    const QVariant value = current ? m_control->value(m_field) : QVariant();
    m_loading = true;
    if (m_line) {
        m_line->setText(shownText(value));
        m_line->setCursorPosition(0);
    } else if (m_text) {
        const QString text = shownText(value);
        if (m_kind == RichText && Qt::mightBeRichText(text)) {
            RichText::loadStoredHtml(*m_text->document(), text);
            m_text->document()->setModified(false);
        } else
            m_text->setPlainText(text);
    } else if (m_date && current) {
        const QDateTime date = StoredDate::fromStored(value);
        m_date->setDateTime(date.isValid() ? date : m_date->minimumDateTime());
    }
    m_dateEdited = false;
    m_loading = false;
}

std::optional<QVariant> BoundField::typedValue(QString* refusal) const {
    if (m_date) {
        const QDateTime value = m_date->dateTime();
        if (value == m_date->minimumDateTime())
            return QVariant();
        return StoredDate::toStored(value);
    }
    QString text;
    if (m_line)
        text = m_line->text();
    else if (m_kind == RichText)
        return m_text->document()->isEmpty() ? QString()
                                             : RichText::toStoredHtml(*m_text->document());
    else
        text = m_text->toPlainText();

    switch (m_kind) {
    case Text:
    case Memo:
    case RichText:
        return text;
    case Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        if (const auto date = VbFormat::parseDate(text))
            return StoredDate::toStored(*date);
        *refusal =
            QStringLiteral("The value \"%1\" is not a valid date for %2.").arg(text, m_field);
        return std::nullopt;
    }
    case Number:
    case Currency: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const auto number = VbFormat::parseNumber(text);
        if (!number) {
            *refusal =
                QStringLiteral("The value \"%1\" is not a valid %2 for %3.")
                    .arg(text,
                         m_kind == Currency ? QStringLiteral("amount") : QStringLiteral("number"),
                         m_field);
            return std::nullopt;
        }
        if (m_kind == Currency)
            return std::round(*number * 10000.0) / 10000.0;
        return *number;
    }
    }
    return text;
}

bool BoundField::collect(QVariantMap& changes) {
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

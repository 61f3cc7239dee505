#pragma once

#include "platform/data/TextLimits.h"

#include <QString>
#include <QVariantMap>
#include <optional>

// The sizes of the file's text fields, as the schema gives them, checked before a write so
// that a text too long for its field is refused with a message that names where it was typed,
// and what was typed stays there (the engine would refuse the write too, naming only the
// column).
namespace FieldLimits {

using TooLong = TextLimits::TooLong;

// The width of a text field of a table, in characters; 0 for a field that is no text field of
// the table.
int width(const QString& table, const QString& field);
// A value too long for a text field of the table; nothing when it fits.
std::optional<TooLong> tooLong(const QString& table, const QString& field, const QString& value);

// The first value to write (by field name, as a data control hands its changes over) that is
// longer than its text field of the table allows.
std::optional<TooLong> firstTooLong(const QString& table, const QVariantMap& changes);

// What the user is told of a record window's write, naming the box by its caption.
QString message(const QString& caption, const TooLong& tooLong);

} // namespace FieldLimits

#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

// The sizes of the file's text fields, checked before a record window writes a row, so that a
// text too long for its field is refused with a message that names its box, and what was typed
// stays in the box (the engine would refuse the write too, naming only the column).
namespace FieldLimits {

struct TooLong {
    QString field;
    int limit = 0;        // characters
    qsizetype length = 0; // characters, as the engine counts them
};

// The first value to write (by field name, as a data control hands its changes over) that is
// longer than its text field of the table allows.
std::optional<TooLong> firstTooLong(const QString& table, const QVariantMap& changes);

// What the user is told, naming the box by its caption.
QString message(const QString& caption, const TooLong& tooLong);

} // namespace FieldLimits

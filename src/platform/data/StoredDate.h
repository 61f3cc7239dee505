#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Dates in the database file: text "yyyy-MM-dd HH:mm:ss" in local time, whole seconds, always
// with the time part, so that text order is time order. A QDateTime is never bound as it is
// (Qt would write a 'T' form that sorts differently).
namespace StoredDate {

// The stored text of a date; an empty text for an invalid one.
QString toStored(const QDateTime& value);
// The value to bind: the stored text, or a NULL text for an invalid date.
QVariant toSqlValue(const QDateTime& value);
// The same for a day alone, which is kept as its midnight (a list writes thousands at once).
QVariant toSqlValue(const QDate& day);
// The day and time of a text in the file's own form, read at once, without the time zone that
// a QDateTime looks up; nullopt for any other text and for a day or time that does not exist.
struct DayAndTime {
    QDate day;
    QTime time;
};
std::optional<DayAndTime> readOwnForm(QStringView text);
// A date read from a column: the stored text (a date alone means midnight), or any other form
// VbFormat::parseDate reads. Invalid for NULL and for anything that is no date.
QDateTime fromStored(const QVariant& value);

} // namespace StoredDate

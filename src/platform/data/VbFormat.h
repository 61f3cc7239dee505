#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>

// Text forms of values as the original program produced them: the Format function for the
// patterns the program uses, CStr, and the reverse conversions. English month and day names
// and the M/d/yyyy date order, whatever the machine's locale.
namespace VbFormat {

// Format(value, pattern): numbers with "0", "#", ".", "," and literals ("##.0",
// "#,###.0 hours", "\"$\"#,##0.00", "(###) ###-####"), up to four sections
// positive;negative;zero;null; dates with d/m/y/h/n/s and AM/PM ("M/d/yyyy", "mmmm d, yyyy",
// "m/d/yy h:nn AM/PM"). A double is taken at 15 significant digits (a single at 7), a Currency
// exactly, then rounded to the pattern's decimals with halves away from zero; a negative value
// without a negative section gets a leading "-" (also when it rounds to zero: "-.0"). A null
// value gives "". Text that reads as a number or a date is formatted as one; other text comes
// back unchanged.
QString format(const QVariant& value, const QString& pattern);

// CStr(value): numbers in their shortest form with at most 15 significant digits (7 for a
// float, all of a Currency) ("112.5", "0.4", "-3", "1E+16"), dates as "M/d/yyyy", with
// " h:mm:ss AM" when the time of day is not midnight, booleans "True"/"False", null "".
QString cstr(const QVariant& value);

// The date text that CStr gives (used for "#...#" literals in statements).
QString dateText(const QDateTime& value);

// Reads a date the way the program meets them: the stored form "yyyy-MM-dd[ HH:mm[:ss]]",
// ISO with a 'T' (a zone is turned into local time), "M/d/yyyy[ h:mm[:ss][ AM]]", with
// surrounding blanks. Nothing when it is no date or an impossible one ("2/30/2024").
std::optional<QDateTime> parseDate(const QString& text);

// Reads a number the way IsNumeric accepts one: optional blanks, sign, "$", thousands
// separators, decimal point, exponent. Nothing when it is no number.
std::optional<double> parseNumber(const QString& text);

} // namespace VbFormat

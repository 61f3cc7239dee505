#pragma once

#include <QStringView>
#include <optional>
#include <string>

// Decimal digits of numbers, shared by the formatter and the currency type so that both read
// and round numbers the same way.
namespace NumberText {

// A number as a row of decimal digits: the value is 0.digits x 10^point, digits has no leading
// or trailing zeros, and zero has no digits at all.
struct Decimal {
    bool negative = false;
    std::string digits;
    int point = 0;

    bool isZero() const { return digits.empty(); }
};

// A finite double with the given number of significant digits (15 is what the original program
// showed of a double, 7 of a single), rounded to nearest; with 0 the shortest digits that read
// back as the same double.
Decimal fromDouble(double value, int significant);
Decimal fromInteger(long long value);

// Rounds to the given number of decimals, halves away from zero.
void roundHalfAwayFromZero(Decimal& value, int decimals);

// The number in a text, read the way IsNumeric reads one: surrounding blanks, a sign, a "$"
// (before or after the sign), thousands separators in the whole part, a decimal point and an
// exponent. Gives the plain ASCII form ("-1234.50e3"); nothing when the text is no number.
std::optional<std::string> normalize(QStringView text);

} // namespace NumberText

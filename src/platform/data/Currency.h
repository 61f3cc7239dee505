#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <QtGlobal>
#include <compare>
#include <optional>

// Money as the database engine keeps it: whole ten-thousandths in a 64-bit integer. Sums and
// products stay exact; a result beyond the range raises AppError 6 ("Overflow"). A QVariant
// can carry it (QVariant::fromValue), and VbFormat formats it exactly.
class Currency {
public:
    static constexpr qint64 Scale = 10000;

    constexpr Currency() = default;
    constexpr explicit Currency(qint64 tenThousandths) : m_raw(tenThousandths) {}

    // A REAL read from the database: rounded to four decimals, halves away from zero.
    static Currency fromDouble(double value);
    // A decimal text ("$1,234.50", "-12.5", " 7.25 "): more than four decimals are rounded
    // half to even. Nothing for junk, an empty text or a value beyond the range.
    static std::optional<Currency> parse(QStringView text);
    // A value read from a money column: a REAL (fromDouble), an integer or a decimal text.
    // Nothing for NULL and for text that is no number; AppError 6 for a value beyond the range.
    static std::optional<Currency> fromSqlValue(const QVariant& value);
    // The exact product of two decimal texts rounded to four decimals, half to even
    // ("33.33" x "1.1" = 36.663). Nothing when either is no number or the product is too large.
    static std::optional<Currency> product(QStringView a, QStringView b);

    constexpr qint64 raw() const { return m_raw; }
    double toDouble() const { return double(m_raw) / double(Scale); }
    // The value to write into a money column: the REAL nearest the amount, which reads back
    // (fromSqlValue) as the same amount.
    QVariant toSqlValue() const { return toDouble(); }
    constexpr bool isZero() const { return m_raw == 0; }

    // CStr: no thousands separator, no trailing zeros ("112.5", "60", "-0.25").
    QString toString() const;
    // The display "$"#,##0.00: "$1,234.50", "-$12.50"; cents rounded half away from zero.
    QString format() const;
    // The amount format() shows: whole cents, halves away from zero (36.663 gives 36.66).
    Currency roundedToCents() const;

    Currency operator-() const;
    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }
    friend constexpr auto operator<=>(Currency, Currency) = default;
    friend constexpr bool operator==(Currency, Currency) = default;

private:
    qint64 m_raw = 0;
};

Q_DECLARE_METATYPE(Currency)

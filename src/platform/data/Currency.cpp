#include "Currency.h"

#include "AppError.h"
#include "NumberText.h"

#include <climits>
#include <cmath>
#include <limits>

namespace {

using Int128 = __int128;

[[noreturn]] void overflow() {
    throw AppError(AppError::Overflow, QStringLiteral("Overflow"));
}

// A decimal text as mantissa x 10^-scale. Fraction digits beyond what 128 bits hold are
// dropped; `rest` tells whether any of them was not zero (it decides exact halves).
struct Exact {
    Int128 mantissa = 0;
    int scale = 0;
    bool rest = false;
    bool negative = false;
};

std::optional<Exact> exactOf(QStringView text) {
    const auto plain = NumberText::normalize(text);
    if (!plain)
        return std::nullopt;
    constexpr Int128 full = Int128(1000000000000000000LL) * Int128(1000000000000000000LL);
    Exact e;
    bool fraction = false;
    std::size_t i = 0;
    if ((*plain)[0] == '-') {
        e.negative = true;
        ++i;
    }
    for (; i < plain->size(); ++i) {
        const char c = (*plain)[i];
        if (c == '.') {
            fraction = true;
            continue;
        }
        if (c == 'e')
            break;
        const int digit = c - '0';
        if (e.mantissa >= full) {
            if (!fraction)
                return std::nullopt; // a whole part of 37 digits and more: far out of range
            e.rest = e.rest || digit != 0;
            continue;
        }
        e.mantissa = e.mantissa * 10 + digit;
        if (fraction)
            ++e.scale;
    }
    if (i < plain->size()) { // exponent
        ++i;
        const bool minus = (*plain)[i] == '-';
        if ((*plain)[i] == '-' || (*plain)[i] == '+')
            ++i;
        int exponent = 0;
        for (; i < plain->size(); ++i)
            exponent = std::min(exponent * 10 + ((*plain)[i] - '0'), 100000);
        e.scale += minus ? exponent : -exponent;
    }
    return e;
}

Int128 power10(int n) {
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// mantissa x 10^-scale to ten-thousandths, halves to even.
std::optional<Currency> toCurrency(const Exact& e) {
    Int128 m = e.mantissa;
    if (e.scale > 4) {
        const int drop = e.scale - 4;
        if (drop > 38) { // 10^39 / 2 exceeds any mantissa: below half a unit
            m = 0;
        } else {
            const Int128 divisor = power10(drop);
            const Int128 remainder = m % divisor;
            m /= divisor;
            const Int128 above = divisor - remainder; // compared without doubling: no overflow
            if (remainder > above || (remainder == above && (e.rest || m % 2 != 0)))
                ++m;
        }
    } else if (e.scale < 4 && m != 0) {
        const int grow = 4 - e.scale;
        if (grow > 38)
            return std::nullopt;
        if (__builtin_mul_overflow(m, power10(grow), &m))
            return std::nullopt;
    }
    const Int128 value = e.negative ? -m : m;
    if (value > std::numeric_limits<qint64>::max() || value < std::numeric_limits<qint64>::min())
        return std::nullopt;
    return Currency(qint64(value));
}

// Digits of a magnitude with a thousands separator every three digits from the right.
QString grouped(quint64 whole) {
    const QString digits = QString::number(whole);
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return out;
}

quint64 magnitude(qint64 raw) {
    return raw < 0 ? 0ULL - quint64(raw) : quint64(raw);
}

} // namespace

Currency Currency::fromDouble(double value) {
    // Most values are the double nearest a whole number of ten-thousandths (what toSqlValue
    // writes): that number at once. Below 2^31 a double's neighbours lie far closer than half a
    // ten-thousandth, so this is the result the decimal way below gives too.
    if (std::fabs(value) < 2147483648.0) {
        const double scaled = std::nearbyint(value * double(Scale));
        if (scaled / double(Scale) == value)
            return Currency(qint64(scaled));
    }
    // Otherwise through the shortest decimal that reads back as the same double: 36.663
    // stays 36.663 (not 36.66299...), and a four-decimal amount written as REAL comes back exactly.
    NumberText::Decimal d = NumberText::fromDouble(value, 0);
    if (!std::isfinite(value) || d.point > 15)
        overflow();
    NumberText::roundHalfAwayFromZero(d, 4);
    Int128 raw = 0;
    for (const char c : d.digits)
        raw = raw * 10 + (c - '0');
    raw *= power10(d.point + 4 - int(d.digits.size()));
    if (d.negative)
        raw = -raw;
    if (raw > std::numeric_limits<qint64>::max() || raw < std::numeric_limits<qint64>::min())
        overflow();
    return Currency(qint64(raw));
}

std::optional<Currency> Currency::parse(QStringView text) {
    const auto e = exactOf(text);
    return e ? toCurrency(*e) : std::nullopt;
}

std::optional<Currency> Currency::fromSqlValue(const QVariant& value) {
    if (value.typeId() == QMetaType::Double && !value.isNull()) // a REAL: the usual case first
        return fromDouble(value.toDouble());
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    switch (value.typeId()) {
    case QMetaType::QString: {
        const QString text = value.toString();
        if (!NumberText::normalize(text))
            return std::nullopt;
        if (const std::optional<Currency> amount = parse(text))
            return amount;
        overflow();
    }
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong: {
        qint64 raw = 0;
        if (value.typeId() == QMetaType::ULongLong && value.toULongLong() > quint64(LLONG_MAX))
            overflow();
        if (__builtin_mul_overflow(value.toLongLong(), Scale, &raw))
            overflow();
        return Currency(raw);
    }
    default: {
        bool ok = false;
        const double number = value.toDouble(&ok);
        if (!ok)
            return std::nullopt;
        return fromDouble(number);
    }
    }
}

std::optional<Currency> Currency::product(QStringView a, QStringView b) {
    const auto x = exactOf(a);
    const auto y = exactOf(b);
    if (!x || !y)
        return std::nullopt;
    Exact p;
    if (__builtin_mul_overflow(x->mantissa, y->mantissa, &p.mantissa))
        return std::nullopt;
    p.scale = x->scale + y->scale;
    p.rest = p.mantissa != 0 && (x->rest || y->rest);
    p.negative = x->negative != y->negative;
    return toCurrency(p);
}

QString Currency::toString() const {
    const quint64 m = magnitude(m_raw);
    QString text = m_raw < 0 ? QStringLiteral("-") : QString();
    text += QString::number(m / Scale);
    if (quint64 fraction = m % Scale) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        text += u'.' + QString::number(fraction).rightJustified(digits, u'0');
    }
    return text;
}

QString Currency::format() const {
    // The minus stands before the "$", as the original display put it.
    const quint64 cents = magnitude(roundedToCents().m_raw) / 100;
    return (m_raw < 0 ? QStringLiteral("-$") : QStringLiteral("$")) + grouped(cents / 100) + u'.' +
           QString::number(cents % 100).rightJustified(2, u'0');
}

Currency Currency::roundedToCents() const {
    const qint64 cents = qint64((magnitude(m_raw) + 50) / 100);
    return Currency((m_raw < 0 ? -cents : cents) * 100);
}

Currency Currency::operator-() const {
    if (m_raw == std::numeric_limits<qint64>::min())
        overflow();
    return Currency(-m_raw);
}

Currency Currency::operator+(Currency other) const {
    qint64 sum = 0;
    if (__builtin_add_overflow(m_raw, other.m_raw, &sum))
        overflow();
    return Currency(sum);
}

Currency Currency::operator-(Currency other) const {
    qint64 difference = 0;
    if (__builtin_sub_overflow(m_raw, other.m_raw, &difference))
        overflow();
    return Currency(difference);
}

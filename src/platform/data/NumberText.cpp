#include "NumberText.h"

#include <charconv>
#include <cmath>

namespace NumberText {

static void trimZeros(Decimal& d) {
    const auto first = d.digits.find_first_not_of('0');
    if (first == std::string::npos) {
        d.digits.clear();
        d.point = 0;
        return;
    }
    d.digits.erase(0, first);
    d.point -= int(first);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
}

Decimal fromDouble(double value, int significant) {
    Decimal d;
    if (!std::isfinite(value) || value == 0.0)
        return d;
    d.negative = value < 0;
    // Scientific form "d.ddde+XX" gives the digits and the exponent in one step, locale-free.
    char buf[64];
    const auto res = significant > 0 ? std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                                     std::chars_format::scientific, significant - 1)
                                     : std::to_chars(buf, buf + sizeof buf, std::fabs(value),
                                                     std::chars_format::scientific);
    const std::string_view text(buf, std::size_t(res.ptr - buf));
    const auto e = text.find('e');
    for (const char c : text.substr(0, e))
        if (c != '.')
            d.digits.push_back(c);
    int exponent = 0;
    const std::string_view exp = text.substr(e + 1);
    std::from_chars(exp.data() + (exp.front() == '+' ? 1 : 0), exp.data() + exp.size(), exponent);
    d.point = exponent + 1;
    trimZeros(d);
    return d;
}

Decimal fromInteger(long long value) {
    Decimal d;
    d.negative = value < 0;
    // Through unsigned so that the most negative value has a magnitude too.
    unsigned long long magnitude = d.negative ? 0ULL - static_cast<unsigned long long>(value)
                                              : static_cast<unsigned long long>(value);
    d.digits = std::to_string(magnitude);
    d.point = int(d.digits.size());
    trimZeros(d);
    return d;
}

void roundHalfAwayFromZero(Decimal& value, int decimals) {
    const int keep = value.point + decimals; // digits that stay
    if (keep >= int(value.digits.size()))
        return;
    if (keep < 0) { // the first digit lies at least two places beyond the last kept one
        value.digits.clear();
        value.point = 0;
        return;
    }
    const bool up = value.digits[std::size_t(keep)] >= '5';
    value.digits.resize(std::size_t(keep));
    if (up) {
        int i = keep - 1;
        while (i >= 0 && value.digits[std::size_t(i)] == '9')
            value.digits[std::size_t(i--)] = '0';
        if (i >= 0) {
            ++value.digits[std::size_t(i)];
        } else {
            value.digits.insert(value.digits.begin(), '1');
            ++value.point;
        }
    }
    trimZeros(value);
}

std::optional<std::string> normalize(QStringView text) {
    text = text.trimmed();
    qsizetype i = 0;
    const qsizetype n = text.size();
    std::string out;
    out.reserve(std::size_t(n));
    auto sign = [&] {
        if (i < n && (text[i] == u'-' || text[i] == u'+')) {
            if (text[i] == u'-')
                out.push_back('-');
            ++i;
            return true;
        }
        return false;
    };
    const bool signed_ = sign();
    if (i < n && text[i] == u'$') {
        ++i;
        if (!signed_)
            sign();
    }
    auto isDigit = [&](qsizetype k) {
        return k < n && text[k] >= u'0' && text[k] <= u'9';
    };
    bool anyDigit = false;
    while (i < n) {
        if (isDigit(i)) {
            out.push_back(char(text[i].unicode()));
            anyDigit = true;
        } else if (text[i] != u',' || !anyDigit) { // separators only after a first digit
            break;
        }
        ++i;
    }
    if (i < n && text[i] == u'.') {
        out.push_back('.');
        ++i;
        while (isDigit(i)) {
            out.push_back(char(text[i++].unicode()));
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        out.push_back('e');
        ++i;
        if (i < n && (text[i] == u'-' || text[i] == u'+'))
            out.push_back(char(text[i++].unicode()));
        if (!isDigit(i))
            return std::nullopt;
        while (isDigit(i))
            out.push_back(char(text[i++].unicode()));
    }
    if (i != n)
        return std::nullopt;
    return out;
}

} // namespace NumberText

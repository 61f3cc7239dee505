#include "VbFormat.h"

#include "Currency.h"
#include "NumberText.h"

#include <QTime>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

namespace VbFormat {
namespace {

using NumberText::Decimal;

// The names are English whatever the machine's locale, as the program's texts are.
const char* const MonthNames[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
const char* const DayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};

QString twoDigits(int n) {
    return QString(QChar(u'0' + n / 10 % 10)) + QChar(u'0' + n % 10);
}

// A quoted "..." text or a backslash escape at p[i]: appended to out, i moved past it.
bool readLiteral(const QString& p, qsizetype& i, QString& out) {
    if (p[i] == u'"') {
        qsizetype end = p.indexOf(u'"', i + 1);
        if (end < 0)
            end = p.size();
        out += QStringView(p).mid(i + 1, end - i - 1);
        i = end + 1;
        return true;
    }
    if (p[i] == u'\\') {
        if (i + 1 < p.size())
            out += p[i + 1];
        i += 2;
        return true;
    }
    return false;
}

// A pattern without digit placeholders that names a part of a date or time is a date pattern.
bool isDatePattern(const QString& p) {
    bool datePart = false;
    QString ignored;
    for (qsizetype i = 0; i < p.size();) {
        if (readLiteral(p, i, ignored))
            continue;
        const char16_t c = p[i++].toLower().unicode();
        if (c == u'0' || c == u'#')
            return false;
        if (c == u'd' || c == u'm' || c == u'y' || c == u'h' || c == u'n' || c == u's')
            datePart = true;
    }
    return datePart;
}

// ---------------------------------------------------------------- numbers

enum class Item : char { Zero, Hash, Point, Literal };

struct NumItem {
    Item kind;
    QString text;
};

struct NumSection {
    std::vector<NumItem> items;
    int wholePlaces = 0;
    int decimalPlaces = 0;
    bool point = false;
    bool grouping = false;
};

// Up to four sections: positive; negative; zero; null.
std::vector<NumSection> parseNumberPattern(const QString& p) {
    std::vector<NumSection> sections(1);
    QString literal;
    bool commaAfterPlace = false;
    auto flush = [&] {
        if (!literal.isEmpty()) {
            sections.back().items.push_back({Item::Literal, literal});
            literal.clear();
        }
    };
    for (qsizetype i = 0; i < p.size();) {
        if (readLiteral(p, i, literal))
            continue;
        const QChar c = p[i++];
        NumSection& s = sections.back();
        if (c == u';') {
            flush();
            if (sections.size() == 4)
                break;
            sections.emplace_back();
            commaAfterPlace = false;
        } else if (c == u'0' || c == u'#') {
            flush();
            s.items.push_back({c == u'0' ? Item::Zero : Item::Hash, {}});
            if (s.point) {
                ++s.decimalPlaces;
            } else {
                ++s.wholePlaces;
                s.grouping = s.grouping || commaAfterPlace;
            }
            commaAfterPlace = false;
        } else if (c == u'.' && !s.point) {
            flush();
            s.items.push_back({Item::Point, {}});
            s.point = true;
            commaAfterPlace = false;
        } else if (c == u',' && !s.point) {
            // Between digit places it asks for thousands separators; it prints nothing itself.
            commaAfterPlace = commaAfterPlace || s.wholePlaces > 0;
        } else {
            literal += c;
        }
    }
    flush();
    return sections;
}

// The magnitude of value laid out in a section. The whole part fills the places from the right;
// the leftmost place takes any digits that do not fit.
QString renderNumber(const NumSection& s, Decimal value) {
    NumberText::roundHalfAwayFromZero(value, s.decimalPlaces);
    const int size = int(value.digits.size());
    std::string whole;
    if (value.point > 0) {
        whole = value.digits.substr(0, std::size_t(std::min(value.point, size)));
        whole.append(std::size_t(std::max(0, value.point - size)), '0');
    }
    auto decimalDigit = [&](int j) {
        const int k = value.point + j;
        return k >= 0 && k < size ? value.digits[std::size_t(k)] : '0';
    };
    const int n = int(whole.size());
    const int places = s.wholePlaces;

    // Decimal places up to the last one that shows something: a "#" shows no trailing zero.
    int lastDecimal = -1;
    int total = n; // whole digits printed, for the separators
    {
        int j = 0;
        int r = places - 1;
        bool decimals = false;
        for (const NumItem& item : s.items) {
            if (item.kind == Item::Point) {
                decimals = true;
            } else if (item.kind == Item::Zero || item.kind == Item::Hash) {
                if (decimals) {
                    if (item.kind == Item::Zero || decimalDigit(j) != '0')
                        lastDecimal = j;
                    ++j;
                } else {
                    if (r >= n && item.kind == Item::Zero)
                        ++total;
                    --r;
                }
            }
        }
    }

    QString out;
    int printed = 0;
    auto digit = [&](char c) {
        if (s.grouping && printed > 0 && (total - printed) % 3 == 0)
            out += u',';
        out += QChar(c);
        ++printed;
    };
    bool decimals = false;
    int r = places - 1;
    int j = 0;
    for (const NumItem& item : s.items) {
        switch (item.kind) {
        case Item::Literal:
            out += item.text;
            break;
        case Item::Point:
            if (places == 0)
                for (const char c : whole)
                    digit(c);
            out += u'.';
            decimals = true;
            break;
        case Item::Zero:
        case Item::Hash:
            if (decimals) {
                if (j <= lastDecimal)
                    out += QChar(decimalDigit(j));
                ++j;
                break;
            }
            if (r == places - 1)
                for (int k = 0; k < n - places; ++k)
                    digit(whole[std::size_t(k)]);
            if (r < n)
                digit(whole[std::size_t(n - 1 - r)]);
            else if (item.kind == Item::Zero)
                digit('0');
            --r;
            break;
        }
    }
    return out;
}

std::optional<Decimal> decimalOf(const QVariant& value) {
    if (value.metaType() == QMetaType::fromType<Currency>()) {
        Decimal d = NumberText::fromInteger(value.value<Currency>().raw());
        if (!d.isZero())
            d.point -= 4; // ten-thousandths
        return d;
    }
    switch (value.typeId()) {
    case QMetaType::Bool:
        return NumberText::fromInteger(value.toBool() ? -1 : 0);
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return NumberText::fromInteger(value.toLongLong());
    case QMetaType::Double:
        if (!std::isfinite(value.toDouble()))
            return std::nullopt;
        return NumberText::fromDouble(value.toDouble(), 15);
    case QMetaType::Float:
        if (!std::isfinite(value.toFloat()))
            return std::nullopt;
        return NumberText::fromDouble(value.toFloat(), 7);
    case QMetaType::QString:
        if (const auto number = parseNumber(value.toString()))
            return NumberText::fromDouble(*number, 15);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// A pattern of digit places and literals alone, as a telephone number's.
bool isDigitMask(const std::vector<NumSection>& sections) {
    if (sections.size() != 1 || sections[0].point || sections[0].grouping)
        return false;
    return std::all_of(sections[0].items.begin(), sections[0].items.end(), [](const NumItem& i) {
        return i.kind == Item::Hash || i.kind == Item::Literal;
    });
}

QString formatNumber(const QVariant& value, const QString& pattern) {
    const std::vector<NumSection> sections = parseNumberPattern(pattern);
    if (value.isNull())
        return sections.size() == 4 ? renderNumber(sections[3], {}) : QString();
    // Digits alone in such a pattern keep their leading zeros: "0838975121" is the telephone
    // number (083) 897-5121, not the number 838975121.
    if (value.typeId() == QMetaType::QString && isDigitMask(sections)) {
        const QString text = value.toString();
        if (!text.isEmpty() && text.size() < 64 &&
            std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; })) {
            Decimal digits;
            digits.digits = text.toStdString();
            digits.point = int(text.size());
            return renderNumber(sections[0], digits);
        }
    }
    std::optional<Decimal> number = decimalOf(value);
    if (!number)
        return cstr(value); // text that is no number comes back as it is
    const NumSection* section = &sections[0];
    bool minus = false;
    if (number->isZero() && sections.size() >= 3 && !sections[2].items.empty())
        section = &sections[2];
    else if (number->negative && sections.size() >= 2 && !sections[1].items.empty())
        section = &sections[1];
    else
        minus = number->negative;
    number->negative = false;
    const QString text = renderNumber(*section, *number);
    return minus ? QLatin1Char('-') + text : text;
}

// ---------------------------------------------------------------- dates

// A date and time of day as the user reads them; cheaper than a local QDateTime, which looks up
// the time zone on every access.
struct Moment {
    QDate date;
    QTime time;
};

enum class Part : char {
    Literal,
    Day,
    Day2,
    DayAbbr,
    DayName,
    Month,
    Month2,
    MonthAbbr,
    MonthName,
    Year2,
    Year4,
    DayOfYear,
    Hour,
    Hour2,
    Minute,
    Minute2,
    Second,
    Second2,
    AmPm
};

struct DateItem {
    Part part;
    QString text; // a literal, or the morning mark of AM/PM
    QString alt;  // the afternoon mark
};

qsizetype runOf(const QString& p, qsizetype i) {
    const QChar c = p[i].toLower();
    qsizetype k = i;
    while (k < p.size() && p[k].toLower() == c)
        ++k;
    return k - i;
}

std::vector<DateItem> parseDatePattern(const QString& p, bool& twelveHour) {
    std::vector<DateItem> items;
    QString literal;
    bool afterHour = false; // "m" right after an hour means minutes
    auto add = [&](Part part, qsizetype length, qsizetype& i) {
        if (!literal.isEmpty())
            items.push_back({Part::Literal, std::exchange(literal, {}), {}});
        items.push_back({part, {}, {}});
        afterHour = part == Part::Hour || part == Part::Hour2;
        i += length;
    };
    twelveHour = false;
    for (qsizetype i = 0; i < p.size();) {
        if (readLiteral(p, i, literal))
            continue;
        const char16_t c = p[i].toLower().unicode();
        const qsizetype run = runOf(p, i);
        switch (c) {
        case u'd': {
            static constexpr Part parts[] = {Part::Day, Part::Day2, Part::DayAbbr, Part::DayName};
            const qsizetype take = std::min<qsizetype>(run, 4);
            add(parts[take - 1], take, i);
            break;
        }
        case u'm':
            if (run <= 2 && afterHour) {
                add(run == 1 ? Part::Minute : Part::Minute2, run, i);
            } else {
                static constexpr Part parts[] = {Part::Month, Part::Month2, Part::MonthAbbr,
                                                 Part::MonthName};
                const qsizetype take = std::min<qsizetype>(run, 4);
                add(parts[take - 1], take, i);
            }
            break;
        case u'n':
            add(run == 1 ? Part::Minute : Part::Minute2, std::min<qsizetype>(run, 2), i);
            break;
        case u'h':
            add(run == 1 ? Part::Hour : Part::Hour2, std::min<qsizetype>(run, 2), i);
            break;
        case u's':
            add(run == 1 ? Part::Second : Part::Second2, std::min<qsizetype>(run, 2), i);
            break;
        case u'y':
            if (run >= 4)
                add(Part::Year4, 4, i);
            else if (run >= 2)
                add(Part::Year2, 2, i);
            else
                add(Part::DayOfYear, 1, i);
            break;
        case u'a':
            if (QStringView(p).mid(i, 5).compare(u"am/pm", Qt::CaseInsensitive) == 0) {
                add(Part::AmPm, 5, i);
                items.back().text = p.mid(i - 5, 2);
                items.back().alt = p.mid(i - 2, 2);
                twelveHour = true;
                break;
            }
            if (QStringView(p).mid(i, 3).compare(u"a/p", Qt::CaseInsensitive) == 0) {
                add(Part::AmPm, 3, i);
                items.back().text = p.mid(i - 3, 1);
                items.back().alt = p.mid(i - 1, 1);
                twelveHour = true;
                break;
            }
            literal += p[i++];
            break;
        default:
            literal += p[i++];
            break;
        }
    }
    if (!literal.isEmpty())
        items.push_back({Part::Literal, literal, {}});
    return items;
}

QString renderDate(const Moment& value, const QString& pattern) {
    bool twelveHour = false;
    const std::vector<DateItem> items = parseDatePattern(pattern, twelveHour);
    const QDate& d = value.date;
    const QTime& t = value.time;
    const int hour = twelveHour ? (t.hour() % 12 == 0 ? 12 : t.hour() % 12) : t.hour();
    QString out;
    for (const DateItem& item : items) {
        switch (item.part) {
        case Part::Literal:
            out += item.text;
            break;
        case Part::Day:
            out += QString::number(d.day());
            break;
        case Part::Day2:
            out += twoDigits(d.day());
            break;
        case Part::DayAbbr:
            out += QLatin1String(DayNames[d.dayOfWeek() % 7], 3);
            break;
        case Part::DayName:
            out += QLatin1String(DayNames[d.dayOfWeek() % 7]);
            break;
        case Part::Month:
            out += QString::number(d.month());
            break;
        case Part::Month2:
            out += twoDigits(d.month());
            break;
        case Part::MonthAbbr:
            out += QLatin1String(MonthNames[d.month() - 1], 3);
            break;
        case Part::MonthName:
            out += QLatin1String(MonthNames[d.month() - 1]);
            break;
        case Part::Year2:
            out += twoDigits(d.year() % 100);
            break;
        case Part::Year4:
            out += QString::number(d.year());
            break;
        case Part::DayOfYear:
            out += QString::number(d.dayOfYear());
            break;
        case Part::Hour:
            out += QString::number(hour);
            break;
        case Part::Hour2:
            out += twoDigits(hour);
            break;
        case Part::Minute:
            out += QString::number(t.minute());
            break;
        case Part::Minute2:
            out += twoDigits(t.minute());
            break;
        case Part::Second:
            out += QString::number(t.second());
            break;
        case Part::Second2:
            out += twoDigits(t.second());
            break;
        case Part::AmPm:
            out += t.hour() < 12 ? item.text : item.alt;
            break;
        }
    }
    return out;
}

// General number form: at most `significant` digits, exponent form for very large and very
// small magnitudes ("1E+16", "1.5E-07").
QString numberText(double value, int significant) {
    if (value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    for (char* c = buf; c != res.ptr; ++c)
        if (*c == 'e')
            *c = 'E';
    return QString::fromLatin1(buf, res.ptr - buf);
}

QString timeText(const QTime& t) {
    const int hour = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QString::number(hour) + QLatin1Char(':') + twoDigits(t.minute()) + QLatin1Char(':') +
           twoDigits(t.second()) + (t.hour() < 12 ? QLatin1String(" AM") : QLatin1String(" PM"));
}

// ---------------------------------------------------------------- reading dates

struct Scanner {
    QStringView s;
    qsizetype i = 0;

    bool atEnd() const { return i == s.size(); }
    bool take(char16_t c) {
        if (i < s.size() && s[i] == c) {
            ++i;
            return true;
        }
        return false;
    }
    // An unsigned number of minDigits to maxDigits digits.
    std::optional<int> number(int minDigits, int maxDigits) {
        int value = 0;
        int count = 0;
        while (count < maxDigits && i < s.size() && s[i] >= u'0' && s[i] <= u'9') {
            value = value * 10 + (s[i++].unicode() - u'0');
            ++count;
        }
        if (count < minDigits)
            return std::nullopt;
        return value;
    }
    void skipBlanks() {
        while (i < s.size() && s[i] == u' ')
            ++i;
    }
};

std::optional<QTime> makeTime(int h, int m, int s) {
    if (!QTime::isValid(h, m, s, 0))
        return std::nullopt;
    return QTime(h, m, s);
}

std::optional<Moment> parseIso(Scanner& sc) {
    const auto y = sc.number(4, 4);
    if (!y || !sc.take(u'-'))
        return std::nullopt;
    const auto m = sc.number(1, 2);
    if (!m || !sc.take(u'-'))
        return std::nullopt;
    const auto d = sc.number(1, 2);
    if (!d || !QDate::isValid(*y, *m, *d))
        return std::nullopt;
    const QDate date(*y, *m, *d);
    if (sc.atEnd())
        return Moment{date, QTime(0, 0)};
    if (!sc.take(u' ') && !sc.take(u'T'))
        return std::nullopt;
    const auto h = sc.number(1, 2);
    if (!h || !sc.take(u':'))
        return std::nullopt;
    const auto mi = sc.number(2, 2);
    std::optional<int> se = 0;
    if (mi && sc.take(u':')) {
        se = sc.number(2, 2);
        if (sc.take(u'.') && !sc.number(1, 9)) // fractions of a second are dropped
            return std::nullopt;
    }
    if (!mi || !se)
        return std::nullopt;
    const auto time = makeTime(*h, *mi, *se);
    if (!time)
        return std::nullopt;
    if (sc.atEnd())
        return Moment{date, *time};
    int offset = 0;
    if (!sc.take(u'Z')) {
        const int sign = sc.take(u'+') ? 1 : sc.take(u'-') ? -1 : 0;
        const auto oh = sc.number(2, 2);
        sc.take(u':');
        const auto om = sc.number(2, 2);
        if (sign == 0 || !oh || !om || *oh > 14 || *om > 59)
            return std::nullopt;
        offset = sign * (*oh * 3600 + *om * 60);
    }
    if (!sc.atEnd())
        return std::nullopt;
    const QDateTime local = QDateTime(date, *time, Qt::OffsetFromUTC, offset).toLocalTime();
    return Moment{local.date(), local.time()};
}

std::optional<Moment> parseUs(Scanner& sc) {
    const auto m = sc.number(1, 2);
    if (!m || !sc.take(u'/'))
        return std::nullopt;
    const auto d = sc.number(1, 2);
    if (!d || !sc.take(u'/'))
        return std::nullopt;
    const auto y = sc.number(4, 4);
    if (!y || !QDate::isValid(*y, *m, *d))
        return std::nullopt;
    const QDate date(*y, *m, *d);
    if (sc.atEnd())
        return Moment{date, QTime(0, 0)};
    if (!sc.take(u' '))
        return std::nullopt;
    sc.skipBlanks();
    auto h = sc.number(1, 2);
    if (!h || !sc.take(u':'))
        return std::nullopt;
    const auto mi = sc.number(2, 2);
    std::optional<int> se = 0;
    if (sc.take(u':'))
        se = sc.number(2, 2);
    if (!mi || !se)
        return std::nullopt;
    sc.skipBlanks();
    if (!sc.atEnd()) {
        const QStringView mark = sc.s.mid(sc.i);
        const bool am = mark.compare(u"AM", Qt::CaseInsensitive) == 0;
        const bool pm = mark.compare(u"PM", Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || *h > 12)
            return std::nullopt;
        *h = *h % 12 + (pm ? 12 : 0);
    }
    const auto time = makeTime(*h, *mi, *se);
    if (!time)
        return std::nullopt;
    return Moment{date, *time};
}

std::optional<Moment> readMoment(QStringView text) {
    Scanner sc{text.trimmed()};
    // Four digits and a dash open the stored form; anything else must be month/day/year.
    const bool iso = sc.s.size() > 4 && sc.s[4] == u'-';
    return iso ? parseIso(sc) : parseUs(sc);
}

std::optional<Moment> momentOf(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        if (!value.toDateTime().isValid())
            return std::nullopt;
        return Moment{value.toDateTime().date(), value.toDateTime().time()};
    case QMetaType::QDate:
        if (!value.toDate().isValid())
            return std::nullopt;
        return Moment{value.toDate(), QTime(0, 0)};
    case QMetaType::QString:
        return readMoment(value.toString());
    default:
        return std::nullopt;
    }
}

QString momentText(const Moment& value) {
    QString text = QString::number(value.date.month()) + QLatin1Char('/') +
                   QString::number(value.date.day()) + QLatin1Char('/') +
                   QString::number(value.date.year());
    if (value.time != QTime(0, 0))
        text += QLatin1Char(' ') + timeText(value.time);
    return text;
}

} // namespace

QString format(const QVariant& value, const QString& pattern) {
    if (pattern.isEmpty())
        return cstr(value);
    if (!isDatePattern(pattern))
        return formatNumber(value, pattern);
    if (value.isNull())
        return QString();
    if (const auto moment = momentOf(value))
        return renderDate(*moment, pattern);
    return cstr(value);
}

QString cstr(const QVariant& value) {
    if (value.isNull())
        return QString();
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>().toString();
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
        return numberText(value.toDouble(), 15);
    case QMetaType::Float:
        return numberText(value.toFloat(), 7);
    case QMetaType::QDateTime:
        return dateText(value.toDateTime());
    case QMetaType::QDate:
        return value.toDate().isValid() ? momentText({value.toDate(), QTime(0, 0)}) : QString();
    case QMetaType::QTime:
        return value.toTime().isValid() ? timeText(value.toTime()) : QString();
    default:
        return value.toString();
    }
}

QString dateText(const QDateTime& value) {
    if (!value.isValid())
        return QString();
    return momentText({value.date(), value.time()});
}

std::optional<QDateTime> parseDate(const QString& text) {
    const auto moment = readMoment(text);
    if (!moment)
        return std::nullopt;
    const QDateTime result(moment->date, moment->time);
    if (!result.isValid())
        return std::nullopt;
    return result;
}

std::optional<double> parseNumber(const QString& text) {
    const auto plain = NumberText::normalize(text);
    if (!plain)
        return std::nullopt;
    double value = 0;
    const auto res = std::from_chars(plain->data(), plain->data() + plain->size(), value);
    if (res.ec != std::errc() || res.ptr != plain->data() + plain->size())
        return std::nullopt;
    return value;
}

} // namespace VbFormat

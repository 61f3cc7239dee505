#include "DateTyping.h"

#include <QList>
#include <QStringList>

namespace DateTyping {

namespace {

enum class Part { Day, Month, Year, Hour, Minute, Second, AmPm };

struct FormatPart {
    Part part;
    int width; // the digits of the part written in full
};

// The letters of a display format that stand for numbers.
struct Letter {
    char16_t letter;
    FormatPart part;
};
constexpr Letter Letters[] = {{u'd', {Part::Day, 2}},   {u'M', {Part::Month, 2}},
                              {u'y', {Part::Year, 4}},  {u'h', {Part::Hour, 2}},
                              {u'H', {Part::Hour, 2}},  {u'm', {Part::Minute, 2}},
                              {u's', {Part::Second, 2}}};

// The parts of a display format in order; quoted text and other characters separate them.
QList<FormatPart> partsOf(const QString& format) {
    QList<FormatPart> parts;
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = format.indexOf(QLatin1Char('\''), i + 1);
            i = end < 0 ? format.size() : end + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('A') || c == QLatin1Char('a')) { // "AP", "ap" or "A"
            parts << FormatPart{Part::AmPm, 0};
            run = i + 1 < format.size() && format.at(i + 1).toUpper() == QLatin1Char('P') ? 2 : 1;
        } else {
            for (const Letter& l : Letters)
                if (c == QChar(l.letter))
                    parts << l.part;
        }
        i += run;
    }
    return parts;
}

// A typed text taken apart: its numbers, the letters after the last of them, and whether it
// holds nothing else than separators besides.
struct Typed {
    QStringList numbers;
    QString mark;
    bool clean = true;
};

Typed scan(const QString& text) {
    Typed t;
    bool inNumber = false;
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (digit) {
            if (!t.mark.isEmpty())
                t.clean = false;
            if (inNumber)
                t.numbers.last() += c;
            else
                t.numbers << QString(c);
        } else if (c.isLetter()) {
            if (t.numbers.isEmpty())
                t.clean = false;
            t.mark += c;
        } else if (!t.mark.isEmpty() && !c.isSpace()) {
            t.clean = false;
        }
        inNumber = digit;
    }
    static const QStringList Marks{QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("am"),
                                   QStringLiteral("pm")};
    if (!t.mark.isEmpty() && !Marks.contains(t.mark.toLower()))
        t.clean = false;
    return t;
}

QList<FormatPart> numberParts(const QList<FormatPart>& parts) {
    QList<FormatPart> numbers;
    for (const FormatPart& p : parts)
        if (p.part != Part::AmPm)
            numbers << p;
    return numbers;
}

} // namespace

Progress progress(const QString& typed, const QString& format) {
    const QList<FormatPart> parts = partsOf(format);
    const QList<FormatPart> numbers = numberParts(parts);
    const Typed t = scan(typed);
    if (numbers.isEmpty() || t.numbers.size() < numbers.size())
        return Progress::Partial;
    if (t.numbers.size() > numbers.size() || !t.clean)
        return Progress::EveryPart;
    if (parts.last().part == Part::AmPm) // "P" may still become "PM"
        return t.mark.size() == 2 ? Progress::Finished : Progress::EveryPart;
    return t.mark.isEmpty() && t.numbers.last().size() >= numbers.last().width
               ? Progress::Finished
               : Progress::EveryPart;
}

std::optional<QDateTime> read(const QString& text, const QString& format) {
    const QList<FormatPart> numbers = numberParts(partsOf(format));
    const Typed t = scan(text);
    if (!t.clean || t.numbers.size() != numbers.size())
        return std::nullopt;
    int day = 0, month = 0, year = 0, hour = 0, minute = 0, second = 0;
    bool hasDate = false, hasHour = false;
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const QString& typed = t.numbers.at(i);
        const FormatPart& p = numbers.at(i);
        if (p.part == Part::Year ? typed.size() != p.width : typed.size() > p.width)
            return std::nullopt;
        const int n = typed.toInt();
        switch (p.part) {
        case Part::Day:
            day = n;
            break;
        case Part::Month:
            month = n;
            break;
        case Part::Year:
            year = n;
            hasDate = true;
            break;
        case Part::Hour:
            hour = n;
            hasHour = true;
            break;
        case Part::Minute:
            minute = n;
            break;
        case Part::Second:
            second = n;
            break;
        case Part::AmPm:
            break;
        }
    }
    if (!t.mark.isEmpty()) {
        if (!hasHour || hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (t.mark.at(0).toLower() == QLatin1Char('p') ? 12 : 0);
    }
    if (!hasDate || !QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return std::nullopt;
    const QDateTime value(QDate(year, month, day), QTime(hour, minute, second));
    if (!value.isValid())
        return std::nullopt;
    return value;
}

} // namespace DateTyping

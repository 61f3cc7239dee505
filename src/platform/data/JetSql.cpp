#include "JetSql.h"

#include "JetSqlTokens.h"

#include <QHash>
#include <QSet>
#include <optional>
#include <vector>

namespace JetSql {

namespace {

// One piece of a parenthesis level: a token, or a whole parenthesised group already
// translated (kind Open).
struct Unit {
    TokenKind kind;
    QString text;
};
using Units = std::vector<Unit>;

bool isKeyword(const QString& word) {
    // Words that end an operand: clause words, logical and comparison words.
    static const QSet<QString> keywords{
        QStringLiteral("ALL"),         QStringLiteral("AND"),       QStringLiteral("AS"),
        QStringLiteral("ASC"),         QStringLiteral("BETWEEN"),   QStringLiteral("BY"),
        QStringLiteral("CASE"),        QStringLiteral("COLLATE"),   QStringLiteral("CROSS"),
        QStringLiteral("DELETE"),      QStringLiteral("DESC"),      QStringLiteral("DISTINCT"),
        QStringLiteral("DISTINCTROW"), QStringLiteral("ELSE"),      QStringLiteral("END"),
        QStringLiteral("ESCAPE"),      QStringLiteral("EXCEPT"),    QStringLiteral("EXISTS"),
        QStringLiteral("FROM"),        QStringLiteral("GLOB"),      QStringLiteral("GROUP"),
        QStringLiteral("HAVING"),      QStringLiteral("IN"),        QStringLiteral("INNER"),
        QStringLiteral("INSERT"),      QStringLiteral("INTERSECT"), QStringLiteral("INTO"),
        QStringLiteral("IS"),          QStringLiteral("JOIN"),      QStringLiteral("LEFT"),
        QStringLiteral("LIKE"),        QStringLiteral("LIMIT"),     QStringLiteral("NOT"),
        QStringLiteral("OFFSET"),      QStringLiteral("ON"),        QStringLiteral("OR"),
        QStringLiteral("ORDER"),       QStringLiteral("OUTER"),     QStringLiteral("RIGHT"),
        QStringLiteral("SELECT"),      QStringLiteral("SET"),       QStringLiteral("THEN"),
        QStringLiteral("TOP"),         QStringLiteral("UNION"),     QStringLiteral("UPDATE"),
        QStringLiteral("VALUES"),      QStringLiteral("WHEN"),      QStringLiteral("WHERE"),
        QStringLiteral("WITH"),        QStringLiteral("XOR")};
    return keywords.contains(word.toUpper());
}

bool isWord(const Unit& u, QLatin1String word) {
    return u.kind == TokenKind::Name && u.text.compare(word, Qt::CaseInsensitive) == 0;
}

// Units that an additive chain cannot reach across.
bool isBoundary(const Unit& u) {
    static const QSet<QString> comparisons{
        QStringLiteral("="),  QStringLiteral("<>"), QStringLiteral("<"),
        QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),
        QStringLiteral("!="), QStringLiteral("=="), QStringLiteral(";")};
    switch (u.kind) {
    case TokenKind::Comma:
    case TokenKind::Close: // an unmatched ")" at the outer level
        return true;
    case TokenKind::Operator:
        return comparisons.contains(u.text);
    case TokenKind::Name:
        return isKeyword(u.text);
    default:
        return false;
    }
}

// Whether a "+" or "-" after this unit is binary.
bool endsOperand(const Unit& u) {
    switch (u.kind) {
    case TokenKind::Text:
    case TokenKind::Name:
    case TokenKind::Bracketed:
    case TokenKind::Number:
    case TokenKind::Date:
    case TokenKind::Parameter:
    case TokenKind::Open:
        return true;
    default:
        return false;
    }
}

bool isOperator(const Unit& u, QLatin1String op) {
    return u.kind == TokenKind::Operator && u.text == op;
}

QString joined(const Units& units, size_t from, size_t to) {
    QString text;
    for (size_t i = from; i < to; ++i)
        text += units[i].text;
    return text;
}

// Whether a one-character class such as [%], [_] or [[] (Jet's way of writing a literal
// character in a LIKE pattern) starts at i.
bool isClass(const QString& pattern, qsizetype i) {
    return pattern[i] == QLatin1Char('[') && i + 2 < pattern.size() &&
           pattern[i + 1] != QLatin1Char(']') && pattern[i + 2] == QLatin1Char(']');
}

// SQLite's LIKE takes an escape character instead of Jet's classes. A pattern without such a
// class is kept as it stands. A "[" that opens no one-character class stays a literal "[".
QString likePattern(const QString& pattern, bool& escaped) {
    escaped = false;
    for (qsizetype i = 0; i < pattern.size() && !escaped; ++i)
        escaped = isClass(pattern, i);
    if (!escaped)
        return pattern;

    QString out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        QChar c = pattern[i];
        if (isClass(pattern, i)) {
            c = pattern[i + 1];
            i += 2;
            if (c == QLatin1Char('%') || c == QLatin1Char('_'))
                out += QLatin1Char('\\');
        }
        if (c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out;
}

// The one text that a pattern without wildcards matches; nothing when it has a "%" or "_".
std::optional<QString> exactText(const QString& pattern) {
    QString text;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        if (isClass(pattern, i)) {
            text += pattern[i + 1];
            i += 2;
        } else if (pattern[i] == QLatin1Char('%') || pattern[i] == QLatin1Char('_')) {
            return std::nullopt;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

// LIKE followed by a literal that is the whole pattern. A pattern without wildcards becomes
// an equality without regard to case, as Jet compared, so that an index on the field serves
// it (the engine walks a LIKE through whatever index gives the order). Any other pattern
// gets SQLite's escapes in place of Jet's classes.
void translateLikePatterns(Units& units) {
    const auto nextSignificant = [&](size_t i) {
        while (i < units.size() && units[i].kind == TokenKind::Space)
            ++i;
        return i;
    };
    std::optional<size_t> previous; // the significant unit before the one at hand
    for (size_t i = 0; i < units.size(); ++i) {
        const std::optional<size_t> before = previous;
        if (units[i].kind != TokenKind::Space)
            previous = i;
        if (!isWord(units[i], QLatin1String("LIKE")))
            continue;
        const size_t pattern = nextSignificant(i + 1);
        if (pattern >= units.size() || units[pattern].kind != TokenKind::Text)
            continue;
        const size_t after = nextSignificant(pattern + 1);
        if (after < units.size() &&
            (!isBoundary(units[after]) || isWord(units[after], QLatin1String("ESCAPE")) ||
             isWord(units[after], QLatin1String("COLLATE"))))
            continue;
        const QString jetPattern = textValue(units[pattern].text);
        if (const std::optional<QString> exact = exactText(jetPattern)) {
            const bool negated = before && isWord(units[*before], QLatin1String("NOT"));
            if (negated)
                units[*before] = {TokenKind::Space, QString()};
            units[i] = {TokenKind::Operator, negated ? QStringLiteral("<>") : QStringLiteral("=")};
            units[pattern].text = textLiteral(*exact) + QStringLiteral(" COLLATE NOCASE");
            continue;
        }
        bool escaped = false;
        const QString value = likePattern(jetPattern, escaped);
        if (escaped)
            units[pattern].text = textLiteral(value) + QStringLiteral(" ESCAPE '\\'");
    }
}

// One additive chain (no blanks at either end): every binary "+" becomes jet_plus, folded
// from the left; a binary "-" stays a subtraction inside the fold.
QString foldAdditive(const Units& units) {
    std::vector<size_t> ops;
    bool anyPlus = false;
    const Unit* previous = nullptr;
    for (size_t i = 0; i < units.size(); ++i) {
        const Unit& u = units[i];
        if (u.kind == TokenKind::Space)
            continue;
        if ((isOperator(u, QLatin1String("+")) || isOperator(u, QLatin1String("-"))) && previous &&
            endsOperand(*previous)) {
            ops.push_back(i);
            anyPlus = anyPlus || u.text == QLatin1String("+");
        }
        previous = &u;
    }
    if (!anyPlus)
        return joined(units, 0, units.size());

    // The term between two operators, without its surrounding blanks.
    const auto term = [&](size_t from, size_t to) {
        while (from < to && units[from].kind == TokenKind::Space)
            ++from;
        while (to > from && units[to - 1].kind == TokenKind::Space)
            --to;
        return joined(units, from, to);
    };
    QString result = term(0, ops.front());
    for (size_t k = 0; k < ops.size(); ++k) {
        const size_t op = ops[k];
        const size_t end = k + 1 < ops.size() ? ops[k + 1] : units.size();
        const QString right = term(op + 1, end);
        if (units[op].text == QLatin1String("+")) {
            result = QStringLiteral("jet_plus(") + result + QStringLiteral(", ") + right +
                     QLatin1Char(')');
        } else {
            result += QStringLiteral(" - ") + right;
        }
    }
    return result;
}

// A run of units between two boundaries. Jet's "&" binds looser than "+", "*" and the rest,
// SQLite's "||" tighter than all of them, so an operand of "&" that is more than one unit
// is put in parentheses.
QString translateSegment(const Units& units) {
    size_t first = 0;
    size_t last = units.size();
    while (first < last && units[first].kind == TokenKind::Space)
        ++first;
    while (last > first && units[last - 1].kind == TokenKind::Space)
        --last;
    if (first == last)
        return joined(units, 0, units.size());

    std::vector<Units> parts(1);
    for (size_t i = first; i < last; ++i) {
        if (isOperator(units[i], QLatin1String("&")))
            parts.emplace_back();
        else
            parts.back().push_back(units[i]);
    }

    QString result = joined(units, 0, first);
    if (parts.size() == 1) {
        result += foldAdditive(parts.front());
    } else {
        for (size_t p = 0; p < parts.size(); ++p) {
            const Units& part = parts[p];
            size_t a = 0;
            size_t b = part.size();
            while (a < b && part[a].kind == TokenKind::Space)
                ++a;
            while (b > a && part[b - 1].kind == TokenKind::Space)
                --b;
            const Units core(part.begin() + qsizetype(a), part.begin() + qsizetype(b));
            QString text = foldAdditive(core);
            if (core.size() > 1)
                text = QLatin1Char('(') + text + QLatin1Char(')');
            if (p > 0)
                result += QStringLiteral("||");
            result += joined(part, 0, a) + text + joined(part, b, part.size());
        }
    }
    return result + joined(units, last, units.size());
}

QString translateUnits(Units units) {
    translateLikePatterns(units);
    QString result;
    Units segment;
    for (const Unit& u : units) {
        if (isBoundary(u)) {
            result += translateSegment(segment) + u.text;
            segment.clear();
        } else {
            segment.push_back(u);
        }
    }
    return result + translateSegment(segment);
}

// Translates one parenthesis level starting at pos; a nested level ends after its ")".
QString translateLevel(const QList<Token>& tokens, qsizetype& pos, bool nested) {
    Units units;
    while (pos < tokens.size()) {
        const Token& t = tokens[pos++];
        if (t.kind == TokenKind::Open) {
            const QString inner = translateLevel(tokens, pos, true);
            units.push_back({TokenKind::Open, QLatin1Char('(') + inner});
        } else if (t.kind == TokenKind::Close && nested) {
            return translateUnits(std::move(units)) + t.text;
        } else {
            units.push_back({t.kind, t.text});
        }
    }
    return translateUnits(std::move(units));
}

} // namespace

QString translate(const QString& jetSql) {
    // The program runs the same few texts again and again (a report's, a window's at each
    // refresh): each is translated once. Texts made from typed values vary, so the memory is
    // emptied when it is full rather than kept growing; a long one (a search of many clients)
    // is seldom run twice and is not kept.
    constexpr qsizetype Kept = 256;
    constexpr qsizetype LongestKept = 4096;
    thread_local QHash<QString, QString> translated;
    if (const auto known = translated.constFind(jetSql); known != translated.constEnd())
        return *known;
    const QList<Token> tokens = tokenize(jetSql); // throws before anything is kept
    qsizetype pos = 0;
    const QString sql = translateLevel(tokens, pos, false);
    if (jetSql.size() > LongestKept)
        return sql;
    if (translated.size() >= Kept)
        translated.clear();
    translated.insert(jetSql, sql);
    return sql;
}

QString likeEscape(const QString& value) {
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (const QChar c : value) {
        if (c == QLatin1Char('[') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('[') + c + QLatin1Char(']');
        else
            escaped += c;
    }
    return escaped;
}

} // namespace JetSql

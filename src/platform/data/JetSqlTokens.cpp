#include "JetSqlTokens.h"

#include "AppError.h"

#include <QDateTime>
#include <QRegularExpression>

namespace JetSql {

namespace {

[[noreturn]] void fail(const QString& description) {
    throw AppError(AppError::EngineError, description);
}

// Jet reads a date literal as month/day/year, with an optional time of day in 12- or 24-hour
// form. Two-digit years fall in 1930 to 2029, as Jet places them.
QString storedDate(const QString& content) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})"
                       "(?:\\s+(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?(?:\\s*([AaPp][Mm]))?)?\\s*$"));
    const QRegularExpressionMatch m = form.match(content);
    const auto invalid = [&] {
        fail(
            QStringLiteral("The date #%1# in the SQL statement is not a valid date.").arg(content));
    };
    if (!m.hasMatch())
        invalid();

    int year = m.captured(3).toInt();
    if (m.capturedLength(3) == 2)
        year += year < 30 ? 2000 : 1900;
    const QDate date(year, m.captured(1).toInt(), m.captured(2).toInt());
    if (!date.isValid())
        invalid();

    int hour = m.captured(4).toInt();
    const int minute = m.captured(5).toInt();
    const int second = m.captured(6).toInt();
    const QString half = m.captured(7).toUpper();
    if (!half.isEmpty()) {
        if (hour < 1 || hour > 12)
            invalid();
        hour = hour % 12 + (half == QLatin1String("PM") ? 12 : 0);
    }
    const QTime time(hour, minute, second);
    if (!time.isValid())
        invalid();
    return textLiteral(date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
                       time.toString(QStringLiteral("HH:mm:ss")));
}

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

// Index just past the literal that starts at `start` with the quote character q; a doubled
// quote inside stands for one.
qsizetype endOfQuoted(const QString& sql, qsizetype start, QChar q) {
    qsizetype i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == q) {
            if (i + 1 < sql.size() && sql[i + 1] == q) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    fail(QStringLiteral("The SQL statement has a text literal without its closing quote: %1")
             .arg(sql.mid(start, 40)));
}

qsizetype endOfNumber(const QString& sql, qsizetype i) {
    const auto digits = [&](qsizetype j) {
        while (j < sql.size() && sql[j].isDigit())
            ++j;
        return j;
    };
    i = digits(i);
    if (i < sql.size() && sql[i] == QLatin1Char('.'))
        i = digits(i + 1);
    if (i < sql.size() && (sql[i] == QLatin1Char('e') || sql[i] == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < sql.size() && (sql[j] == QLatin1Char('+') || sql[j] == QLatin1Char('-')))
            ++j;
        if (j < sql.size() && sql[j].isDigit())
            i = digits(j);
    }
    return i;
}

// Whether the word that ends at i is followed by an argument list.
bool isCall(const QString& sql, qsizetype i) {
    while (i < sql.size() && sql[i].isSpace())
        ++i;
    return i < sql.size() && sql[i] == QLatin1Char('(');
}

} // namespace

QString textValue(const QString& literal) {
    QString value = literal.mid(1, literal.size() - 2);
    value.replace(QStringLiteral("''"), QStringLiteral("'"));
    return value;
}

QString textLiteral(const QString& value) {
    QString escaped = value;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

QList<Token> tokenize(const QString& sql) {
    QList<Token> tokens;
    const qsizetype n = sql.size();
    qsizetype i = 0;
    const auto push = [&](TokenKind kind, qsizetype end, const QString& text) {
        tokens.append({kind, text});
        i = end;
    };
    const auto pushRaw = [&](TokenKind kind, qsizetype end) {
        push(kind, end, sql.mid(i, end - i));
    };

    while (i < n) {
        const QChar c = sql[i];
        const QChar next = i + 1 < n ? sql[i + 1] : QChar();
        if (c.isSpace()) {
            qsizetype j = i + 1;
            while (j < n && sql[j].isSpace())
                ++j;
            pushRaw(TokenKind::Space, j);
        } else if (c == QLatin1Char('\'')) {
            pushRaw(TokenKind::Text, endOfQuoted(sql, i, c));
        } else if (c == QLatin1Char('"')) {
            const qsizetype end = endOfQuoted(sql, i, c);
            QString value = sql.mid(i + 1, end - i - 2);
            value.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            push(TokenKind::Text, end, textLiteral(value));
        } else if (c == QLatin1Char('[')) {
            const qsizetype close = sql.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0)
                fail(QStringLiteral("The SQL statement has a name without its closing "
                                    "bracket: %1")
                         .arg(sql.mid(i, 40)));
            pushRaw(TokenKind::Bracketed, close + 1);
        } else if (c == QLatin1Char('#')) {
            const qsizetype close = sql.indexOf(QLatin1Char('#'), i + 1);
            if (close < 0)
                fail(QStringLiteral("The SQL statement has a date without its closing #: %1")
                         .arg(sql.mid(i, 40)));
            push(TokenKind::Date, close + 1, storedDate(sql.mid(i + 1, close - i - 1)));
        } else if (c.isDigit() || (c == QLatin1Char('.') && next.isDigit())) {
            pushRaw(TokenKind::Number, endOfNumber(sql, i));
        } else if (isNameStart(c)) {
            qsizetype j = i + 1;
            while (j < n && isNameChar(sql[j]))
                ++j;
            const QString word = sql.mid(i, j - i);
            if (word.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
                push(TokenKind::Number, j, QStringLiteral("1"));
            else if (word.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
                push(TokenKind::Number, j, QStringLiteral("0"));
            else if (word.compare(QLatin1String("IsNull"), Qt::CaseInsensitive) == 0 &&
                     isCall(sql, j))
                // ISNULL is an operator keyword in SQLite; a bracketed name is a function name.
                push(TokenKind::Bracketed, j, QLatin1Char('[') + word + QLatin1Char(']'));
            else
                push(TokenKind::Name, j, word);
        } else if (c == QLatin1Char('!') && !tokens.isEmpty() &&
                   (tokens.last().kind == TokenKind::Bracketed ||
                    tokens.last().kind == TokenKind::Name) &&
                   (next == QLatin1Char('[') || isNameStart(next))) {
            push(TokenKind::Dot, i + 1, QStringLiteral("."));
        } else if (c == QLatin1Char('.')) {
            pushRaw(TokenKind::Dot, i + 1);
        } else if (c == QLatin1Char('?')) {
            pushRaw(TokenKind::Parameter, i + 1);
        } else if (c == QLatin1Char('(')) {
            pushRaw(TokenKind::Open, i + 1);
        } else if (c == QLatin1Char(')')) {
            pushRaw(TokenKind::Close, i + 1);
        } else if (c == QLatin1Char(',')) {
            pushRaw(TokenKind::Comma, i + 1);
        } else {
            static const QStringList pairs{QStringLiteral("<>"), QStringLiteral("<="),
                                           QStringLiteral(">="), QStringLiteral("!="),
                                           QStringLiteral("=="), QStringLiteral("||")};
            if (pairs.contains(sql.mid(i, 2)))
                pushRaw(TokenKind::Operator, i + 2);
            else if (QStringLiteral("+-*/&=<>^\\%;|~!").contains(c))
                pushRaw(TokenKind::Operator, i + 1);
            else
                pushRaw(TokenKind::Other, i + 1);
        }
    }
    return tokens;
}

} // namespace JetSql

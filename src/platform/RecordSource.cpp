#include "RecordSource.h"

#include <QList>

namespace RecordSource {

namespace {

struct Token {
    enum Kind { Word, Name, Literal, Symbol } kind;
    QString text; // a Name without its quotes
    int depth;    // parentheses around it
    qsizetype offset;
};

// Splits a statement into words, quoted names, literals and symbols; comments are dropped.
// Nothing inside a literal or a quoted name is read as structure.
QList<Token> tokens(const QString& sql) {
    QList<Token> out;
    int depth = 0;
    qsizetype i = 0;
    const qsizetype n = sql.size();
    const auto closing = [&](QChar open) {
        return open == QLatin1Char('[') ? QLatin1Char(']') : open;
    };
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) {
            ++i;
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            while (i < n && sql.at(i) != QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            const qsizetype end = sql.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('`') ||
                   c == QLatin1Char('[')) {
            const QChar close = closing(c);
            const qsizetype start = i++;
            QString text;
            while (i < n) {
                if (sql.at(i) == close) {
                    // A doubled closing quote stands for itself (not inside brackets).
                    if (close != QLatin1Char(']') && i + 1 < n && sql.at(i + 1) == close) {
                        text += close;
                        i += 2;
                        continue;
                    }
                    break;
                }
                text += sql.at(i++);
            }
            ++i;
            out.append({c == QLatin1Char('\'') ? Token::Literal : Token::Name, text, depth, start});
        } else if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$')) {
            const qsizetype start = i;
            while (i < n && (sql.at(i).isLetterOrNumber() || sql.at(i) == QLatin1Char('_') ||
                             sql.at(i) == QLatin1Char('$')))
                ++i;
            out.append({Token::Word, sql.mid(start, i - start), depth, start});
        } else {
            if (c == QLatin1Char(')'))
                --depth;
            out.append({Token::Symbol, QString(c), depth, i});
            if (c == QLatin1Char('('))
                ++depth;
            ++i;
        }
    }
    return out;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Token::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<SingleTable> singleTable(const QString& sql) {
    const QList<Token> t = tokens(sql);
    if (t.size() < 4 || !isWord(t[0], "SELECT") || t[1].kind != Token::Symbol ||
        t[1].text != QLatin1String("*") || !isWord(t[2], "FROM"))
        return std::nullopt;
    if (t[3].kind != Token::Word && t[3].kind != Token::Name)
        return std::nullopt;
    qsizetype end = sql.size();
    int last = int(t.size());
    if (t.last().kind == Token::Symbol && t.last().text == QLatin1String(";")) {
        end = t.last().offset;
        --last;
    }
    // The table must be followed by nothing or by its own clauses (no alias, join or list).
    if (last > 4 && !isWord(t[4], "WHERE") && !isWord(t[4], "ORDER") && !isWord(t[4], "LIMIT"))
        return std::nullopt;
    static const char* const regrouping[] = {"GROUP",  "HAVING", "UNION", "INTERSECT",
                                             "EXCEPT", "WINDOW", "JOIN"};
    for (int i = 4; i < last; ++i) {
        if (t[i].depth != 0)
            continue;
        for (const char* word : regrouping)
            if (isWord(t[i], word))
                return std::nullopt;
        if (t[i].kind == Token::Symbol && t[i].text == QLatin1String(";"))
            return std::nullopt; // a second statement
    }
    const QString clauses =
        last > 4 ? sql.mid(t[4].offset, end - t[4].offset).trimmed() : QString();
    return SingleTable{t[3].text, clauses};
}

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace RecordSource

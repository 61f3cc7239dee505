#include "RecordSource.h"

#include "AppError.h"
#include "JetSqlTokens.h"

namespace RecordSource {

namespace {

using JetSql::TokenKind;

struct Word {
    JetSql::Token token;
    qsizetype offset; // in the statement
    int depth;        // parentheses around it
};

bool is(const Word& w, const char* word) {
    return w.token.kind == TokenKind::Name &&
           w.token.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isSymbol(const Word& w, const char* symbol) {
    return w.token.text == QLatin1String(symbol);
}

// The statement's tokens without blanks, each with its place. Nothing when the tokens do not
// spell the statement exactly (a form the tokenizer rewrites), so that no clause is cut wrong.
std::optional<QList<Word>> words(const QString& sql) {
    QList<JetSql::Token> tokens;
    try {
        tokens = JetSql::tokenize(sql);
    } catch (const AppError&) {
        return std::nullopt;
    }
    QList<Word> out;
    qsizetype offset = 0;
    int depth = 0;
    for (const JetSql::Token& t : tokens) {
        if (QStringView(sql).mid(offset, t.text.size()) != t.text)
            return std::nullopt;
        if (t.kind == TokenKind::Close)
            --depth;
        if (t.kind != TokenKind::Space)
            out.append({t, offset, depth});
        if (t.kind == TokenKind::Open)
            ++depth;
        offset += t.text.size();
    }
    if (offset != sql.size())
        return std::nullopt;
    return out;
}

} // namespace

std::optional<SingleTable> singleTable(const QString& sql) {
    const std::optional<QList<Word>> found = words(sql);
    if (!found)
        return std::nullopt;
    QList<Word> w = *found;
    qsizetype end = sql.size();
    if (!w.isEmpty() && isSymbol(w.last(), ";")) {
        end = w.last().offset;
        w.removeLast();
    }
    if (w.size() < 4 || !is(w[0], "SELECT") || !isSymbol(w[1], "*") || !is(w[2], "FROM"))
        return std::nullopt;
    QString table;
    if (w[3].token.kind == TokenKind::Bracketed)
        table = w[3].token.text.mid(1, w[3].token.text.size() - 2);
    else if (w[3].token.kind == TokenKind::Name)
        table = w[3].token.text;
    else
        return std::nullopt;
    // The table must be followed by nothing or by its own clauses (no alias, join or list).
    if (w.size() > 4 && !is(w[4], "WHERE") && !is(w[4], "ORDER") && !is(w[4], "LIMIT"))
        return std::nullopt;
    static const char* const regrouping[] = {"GROUP",  "HAVING", "UNION", "INTERSECT",
                                             "EXCEPT", "WINDOW", "JOIN"};
    for (qsizetype i = 4; i < w.size(); ++i) {
        if (w[i].depth != 0)
            continue;
        if (isSymbol(w[i], ";"))
            return std::nullopt; // a second statement
        for (const char* word : regrouping)
            if (is(w[i], word))
                return std::nullopt;
    }
    const QString clauses =
        w.size() > 4 ? sql.mid(w[4].offset, end - w[4].offset).trimmed() : QString();
    return SingleTable{table, clauses};
}

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace RecordSource

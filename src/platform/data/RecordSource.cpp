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
    SingleTable result{table, clauses, QString(), QStringList(), QString(), true};

    // The clauses at the outer level: WHERE, ORDER BY and whatever follows them.
    qsizetype whereAt = -1;
    qsizetype orderAt = -1; // the word BY
    qsizetype restAt = w.size();
    for (qsizetype i = 4; i < w.size(); ++i) {
        if (is(w[i], "SELECT"))
            result.rowByRow = false;
        if (w[i].depth != 0)
            continue;
        if (is(w[i], "WHERE") && whereAt < 0 && orderAt < 0)
            whereAt = i;
        else if (is(w[i], "ORDER") && i + 1 < w.size() && is(w[i + 1], "BY") && orderAt < 0)
            orderAt = ++i;
        else if ((is(w[i], "LIMIT") || is(w[i], "OFFSET")) && restAt == w.size())
            restAt = i;
    }
    const auto text = [&](qsizetype from, qsizetype to) {
        const qsizetype a = from < w.size() ? w[from].offset : end;
        const qsizetype b = to < w.size() ? w[to].offset : end;
        return a < b ? sql.mid(a, b - a).trimmed() : QString();
    };
    if (whereAt >= 0)
        result.where = text(whereAt + 1, orderAt >= 0 ? orderAt - 1 : restAt);
    if (orderAt >= 0) {
        qsizetype termStart = orderAt + 1;
        for (qsizetype i = orderAt + 1; i <= restAt; ++i) {
            if (i == restAt || (w[i].depth == 0 && w[i].token.kind == TokenKind::Comma)) {
                result.order << text(termStart, i);
                termStart = i + 1;
            }
        }
    }
    result.rest = text(restAt, w.size());
    return result;
}

QString quoteName(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

namespace {

// A term that names a column by its number takes the column's name.
QString orderTerm(const QString& term, const QStringList& columns) {
    qsizetype digits = 0;
    while (digits < term.size() && term[digits].isDigit())
        ++digits;
    if (digits == 0 || (digits < term.size() && !term[digits].isSpace()))
        return term;
    const int number = term.left(digits).toInt();
    if (number < 1 || number > columns.size())
        return term;
    return quoteName(columns.at(number - 1)) + term.mid(digits);
}

// The clauses after FROM, with the order given and the rest as written.
QString clausesWith(const SingleTable& source, const QStringList& order) {
    QString clauses;
    if (!source.where.isEmpty())
        clauses += QStringLiteral(" WHERE ") + source.where;
    if (!order.isEmpty())
        clauses += QStringLiteral(" ORDER BY ") + order.join(QStringLiteral(", "));
    if (!source.rest.isEmpty())
        clauses += QLatin1Char(' ') + source.rest;
    return clauses;
}

QStringList orderTerms(const SingleTable& source, const QStringList& columns) {
    QStringList order;
    for (const QString& term : source.order)
        order << orderTerm(term, columns);
    return order;
}

} // namespace

IdStatements idStatements(const QString& table, const SingleTable& source,
                          const QStringList& columns, bool sortAfterScan) {
    const QString name = quoteName(table);
    const QString id = name + QStringLiteral(".rowid");
    QStringList order = orderTerms(source, columns);
    QStringList listOrder = order;
    // A "+" keeps the engine from walking an index for the order (a term keeps its column's
    // collation): it reads the table and sorts what the condition keeps.
    if (sortAfterScan && source.rest.isEmpty())
        for (QString& term : listOrder)
            term.prepend(QLatin1Char('+'));
    // A limit picks its rows by the order as written; elsewhere ties go by row id.
    if (source.rest.isEmpty()) {
        order << id;
        listOrder << id;
    }
    SingleTable byOrder = source;
    byOrder.where.clear();
    byOrder.rest.clear();
    // The rows asked about are found by id, whatever index the condition could use.
    const QString byId = QStringLiteral("SELECT ") + id + QStringLiteral(" FROM ") + name +
                         QStringLiteral(" NOT INDEXED WHERE ") + id;
    const QString condition = source.where.isEmpty()
                                  ? QString()
                                  : QStringLiteral(" AND (") + source.where + QLatin1Char(')');
    return {QStringLiteral("SELECT ") + id + QStringLiteral(" FROM ") + name +
                clausesWith(source, listOrder),
            byId + QStringLiteral(" IN (SELECT value FROM json_each(?))") + condition +
                clausesWith(byOrder, order),
            byId + QStringLiteral(" IN (?, ?)") + clausesWith(byOrder, order)};
}

QString selectColumns(const QString& table, const SingleTable& source, const QStringList& chosen,
                      const QStringList& columns) {
    QStringList names;
    for (const QString& column : chosen)
        names << quoteName(column);
    return QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) + QStringLiteral(" FROM ") +
           quoteName(table) + clausesWith(source, orderTerms(source, columns));
}

} // namespace RecordSource

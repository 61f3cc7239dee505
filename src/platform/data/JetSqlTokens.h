#pragma once

#include <QList>
#include <QString>

// The lexical layer of the Jet-to-SQLite translator (see JetSql.h).
namespace JetSql {

enum class TokenKind {
    Space,     // blanks, tabs, line breaks
    Text,      // a string literal, always in SQLite's single-quoted form
    Name,      // an unbracketed word: a keyword, a function or a field
    Bracketed, // [name]
    Number,    // digits, decimal point, exponent; True and False arrive as 1 and 0
    Date,      // a #date# literal, already turned into the stored text form
    Parameter, // ?
    Dot,       // the "." or Jet's "!" between a table and its field
    Operator,  // + - * / & = <> < > <= >= and the like
    Open,
    Close,
    Comma,
    Other
};

struct Token {
    TokenKind kind;
    // The token's text in SQLite's dialect.
    QString text;
};

// Splits a Jet statement into tokens. The translations that depend on one token alone are
// done here: double-quoted literals become single-quoted ones, #date# literals become the
// stored text form, "!" between names becomes ".", the keywords True and False become 1 and 0,
// and the function name IsNull is bracketed (ISNULL is an operator keyword in SQLite).
// Throws AppError for a literal, a name or a date without its closing mark and for a date
// literal that names no valid date.
QList<Token> tokenize(const QString& jetSql);

// The value of a single-quoted SQLite literal ('' stands for one apostrophe).
QString textValue(const QString& literal);
// A single-quoted SQLite literal holding the value.
QString textLiteral(const QString& value);

} // namespace JetSql

#pragma once

#include <QString>

// The statements of the program are written in the Jet dialect and kept as they stand;
// this turns one into SQLite's dialect. String literals and bracketed names pass untouched,
// so user text quoted into a literal can never change a statement's structure.
namespace JetSql {

// Translates one statement. A text translated before is answered from memory.
QString translate(const QString& jetSql);

// Escapes the characters that a Jet LIKE pattern treats specially ("[" "%" "_"), Jet style,
// so that the value matches only itself inside a pattern.
QString likeEscape(const QString& value);

} // namespace JetSql

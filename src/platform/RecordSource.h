#pragma once

#include <QString>
#include <optional>

// Reads a record source (a SELECT in SQLite's dialect) to see whether it lists the rows of one
// table, so that a data control can keep only the row ids and read a row when it is shown.
namespace RecordSource {

struct SingleTable {
    QString table;   // the table's name as written, unquoted
    QString clauses; // what follows the table name: WHERE, ORDER BY, LIMIT ... ("" for none)
};

// "SELECT * FROM <table> [WHERE ...] [ORDER BY ...]" (a translated statement): the table and
// the clauses. Nothing for any other shape (a join, a list of tables, chosen columns,
// DISTINCT, grouping, a compound).
std::optional<SingleTable> singleTable(const QString& sql);

// The identifier quoted for SQLite.
QString quoteName(const QString& name);

} // namespace RecordSource

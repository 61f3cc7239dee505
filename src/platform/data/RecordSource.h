#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Reads a record source (a SELECT in SQLite's dialect) to see whether it lists the rows of one
// table, so that a data control can keep only the row ids and read a row when it is shown.
namespace RecordSource {

struct SingleTable {
    QString table;     // the table's name as written, unquoted
    QString clauses;   // what follows the table name: WHERE, ORDER BY, LIMIT ... ("" for none)
    QString where;     // the condition after WHERE ("" for none)
    QStringList order; // the terms after ORDER BY, each as written
    QString rest;      // what follows them: LIMIT, OFFSET ("" for none)
    // No nested SELECT: whether a row belongs to the set, and where, depends on that row alone.
    bool rowByRow = true;
};

// "SELECT * FROM <table> [WHERE ...] [ORDER BY ...]" (a translated statement): the table and
// the clauses. Nothing for any other shape (a join, a list of tables, chosen columns,
// DISTINCT, grouping, a compound).
std::optional<SingleTable> singleTable(const QString& sql);

// The identifier quoted for SQLite.
QString quoteName(const QString& name);

// The statements that list the row ids of such a source, in its order; rows that tie on the
// order follow their row ids, so that the order is the same however the list is made.
// `columns` are the table's, for terms that name a column by its number ("ORDER BY 2").
struct IdStatements {
    QString ids;      // every id of the set
    QString arrivals; // the ids of the set among a JSON array of ids (the one parameter)
    QString pair;     // two ids (the parameters), in the set's order
};
// With sortAfterScan (a source without a limit), every id of the set is found by reading the
// table in its own order and sorting what the condition keeps, never by walking an index of
// the order: the same ids in the same order.
IdStatements idStatements(const QString& table, const SingleTable& source,
                          const QStringList& columns, bool sortAfterScan = false);

// The same source reading only the chosen columns (names of `columns`, the table's), in the
// same order.
QString selectColumns(const QString& table, const SingleTable& source, const QStringList& chosen,
                      const QStringList& columns);

} // namespace RecordSource

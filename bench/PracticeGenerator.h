#pragma once

#include <QString>
#include <QVariantList>
#include <functional>

// Builds a realistic practice file for the benchmarks: N logs over twenty years, a few
// thousand clients with full contact rows, employees, projects, payments, disbursements and
// to-do items. The same seed gives the same rows.
namespace PracticeGenerator {

struct Options {
    qint64 logs = 1000000;
    int clients = 3000;
    int employees = 12;
    int extraProjects = 60;
    int payments = 20000;
    int disbursements = 20000;
    int toDoItems = 300;
    quint32 seed = 20261209;
};

// Receives each row: the table and its values in the order of columnsOf(table).
using RowSink = std::function<void(const QString& table, const QVariantList& values)>;

// The columns the generator fills, per table.
QStringList columnsOf(const QString& table);

// Produces every row of the practice, in insertion order.
void generateRows(const Options& options, const RowSink& sink);

// Creates the file through the program's own schema creation and writes the rows through its
// SQL layer. Returns the seconds spent writing the rows (their making not counted).
double writeDatabase(const QString& path, const Options& options);

// The same file made by raw SQLite on a connection of its own: the same tables and indexes,
// then the same rows inserted through the C API. Returns the seconds spent writing the rows.
double writeRawDatabase(const QString& path, const Options& options);

// A practice file with that many logs in the bench data folder, generated once and reused.
QString cachedPracticeFile(qint64 logs);

} // namespace PracticeGenerator

#pragma once

#include <QList>
#include <QString>

// What the benchmarks share besides the practice file itself.
namespace BenchTools {

// The middle value of a list of timings.
double median(QList<double> values);

// Milliseconds the sqlite3 command-line tool takes to run a statement on a file, its output
// thrown away. Stops the benchmark when the tool fails.
double runSqliteTool(const QString& path, const QString& sql);

// A file with the program's indexes, as opening it in the program makes it: a given path gets
// them added; without one, a copy of the cached practice file of that many logs (made once
// beside it, so the shared file stays as other benchmarks expect it). Prints how long adding
// the indexes took.
QString indexedPracticeFile(const QString& givenPath, qint64 logs);

} // namespace BenchTools

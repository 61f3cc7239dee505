#pragma once

#include <QDateTime>
#include <QList>
#include <optional>

class Database;

// Logs moved between database files, each move one statement of the engine inside one
// transaction: all of it lands, or nothing. The other file is only read.
namespace LogTransfer {

// Fills an empty database with a copy of the source file: its tables, indexes and rows as they
// stand, except that Vellagons holds exactly the logs with the given ids, in that order (the
// order of the window that shows them), numbered afresh.
void writeCopy(const Database& source, const QList<qint64>& logIds, const Database& copy);

// Appends the logs of source with the given ids, in that order, to the logs of target,
// numbered afresh; ids of logs that are gone are passed over.
void appendLogs(const Database& source, const QList<qint64>& logIds, const Database& target);

// Appends every log of source, in its table's order, to the logs of target: the times only
// where both are there, the duration computed again from them, no fee. Returns how many.
int importLogs(const Database& source, const Database& target);

// The duration an imported log gets: the days between the two times as a text of at most 15
// significant digits, read back, times 24, formatted to tenths ("##.0", halves away from zero);
// nothing added for a started tenth. Negative when the ending is before the beginning.
double importedDuration(const QDateTime& beginning, const QDateTime& ending);

} // namespace LogTransfer

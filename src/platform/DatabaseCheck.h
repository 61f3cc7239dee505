#pragma once

#include <QMap>
#include <QString>

// Read-only checks of a database file, each on a private connection of its own: they hold no
// shared connection and may run on a worker thread beside other work on the same file.
// Failures are thrown as AppError.
namespace DatabaseCheck {

// The rows of every table, by table name. mapped reads the file through memory mapping
// (faster; only for files on a local disk, as a read error there ends the program).
QMap<QString, qint64> rowCounts(const QString& path, bool mapped = false);
// The engine's page-level check: "ok", or the first problem found.
QString quickCheck(const QString& path, bool mapped = false);

} // namespace DatabaseCheck

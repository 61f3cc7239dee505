#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Files for the tests: good database files and the bad ones a user may pick by mistake.
namespace Fixtures {

// Writes bytes to a file (creating its folder); returns the path.
QString writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// A new database file with the full schema and the default rows.
QString newDatabase(const QString& path);
// A copy of a database file cut short to the given number of bytes.
QString truncatedCopy(const QString& source, const QString& target, qint64 bytes);
// A copy of a database file with a page in its middle overwritten with junk.
QString corruptedCopy(const QString& source, const QString& target);
// Runs statements on a file through the engine directly (bypassing the program's checks).
void execRaw(const QString& path, const QStringList& statements);
// The output of the sqlite3 command-line tool for one statement on a file.
QString sqlite3Tool(const QString& path, const QString& statement);

} // namespace Fixtures

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariantList>

// Files for the tests: good database files and the bad ones a user may pick by mistake.
namespace Fixtures {

// Writes bytes to a file (creating its folder); returns the path.
QString writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
// Makes a hard link (a second name of the same file); returns its path.
QString hardLink(const QString& file, const QString& link);
// The names of the work files of transfers (".<name>.tmp-<8 hex digits>" and their journals)
// in a folder.
QStringList workFiles(const QString& folder);
// A new database file with the full schema and the default rows.
QString newDatabase(const QString& path);
// A copy of a database file cut short to the given number of bytes.
QString truncatedCopy(const QString& source, const QString& target, qint64 bytes);
// A copy of a database file with a page in its middle overwritten with junk.
QString corruptedCopy(const QString& source, const QString& target);
// Runs statements on a file through the engine directly (bypassing the program's checks).
void execRaw(const QString& path, const QStringList& statements);
// Runs one statement on a file as execRaw does, once for each list of values (bound to its
// '?' in order; an invalid QVariant is NULL), all in one transaction.
void execRaw(const QString& path, const QString& statement, const QList<QVariantList>& rows);
// A text as an SQL string literal, quoted by the program's own quoting, for such statements.
QString sqlText(const QString& text);
// The number of logs in a file.
int logCount(const QString& path);
// A practice file: logs with long notes, two clients, and every other log deleted so that a
// compaction has free pages to reclaim.
QString practiceFile(const QString& path, int logs = 600);
// What a file holds, to compare before and after: its integrity, the rows of every table and
// a sum over the logs.
QString contents(const QString& path);
// A file with that many active clients ("Client 0001", "Ann" ...) and to-do items, every
// third for a project, the others each for a client, with start dates and deadlines.
QString toDoPractice(const QString& path, int clients, int items);
// What a save of the to-do list writes: the integrity check, every row of `Things To Do` in
// table order and every active client's to-do text.
QString toDoContents(const QString& path);
// The output of the sqlite3 command-line tool for one statement on a file.
QString sqlite3Tool(const QString& path, const QString& statement);

} // namespace Fixtures

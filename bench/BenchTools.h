#pragma once

#include "platform/data/Database.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// What the benchmarks share: alternating rounds of the program and of raw SQLite doing the
// same job, their figures, the cache state, and raw SQLite's own connection.
namespace BenchTools {

double median(QList<double> values);
double minimum(const QList<double>& values);
// Milliseconds that fn takes.
double milliseconds(const std::function<void()>& fn);

// The timings of alternating rounds: program, raw, program, raw ...
struct Rounds {
    QList<double> program;
    QList<double> raw;
};

enum class Cache {
    Warm, // after one unmeasured run of each side
    Cold, // the file dropped from the page cache before every run
};
const char* cacheName(Cache cache);

// Runs both sides `rounds` times, one after the other, raw SQLite first in every other
// round. For a cold run the file is dropped from the page cache before each run.
Rounds alternate(int rounds, Cache cache, const QString& file, const std::function<void()>& program,
                 const std::function<void()>& raw);
// The same order of runs for sides that time their steps themselves (a side that measures
// several jobs, or puts the file back untimed after its job). `measured` is false for the
// unmeasured first run of each side that a warm cache has.
void alternateSides(int rounds, Cache cache, const QString& file,
                    const std::function<void(bool measured)>& program,
                    const std::function<void(bool measured)>& raw);
// As alternate, for sides that take another step each run (moves through a list): each side's
// runs are numbered from 0, the unmeasured first run of a warm cache included.
Rounds alternateSteps(int rounds, Cache cache, const QString& file,
                      const std::function<void(int run)>& program,
                      const std::function<void(int run)>& raw);
// Times fn, and adds its milliseconds to `times` when measured; returns them.
double timed(QList<double>& times, bool measured, const std::function<void()>& fn);

// One line of figures: program and raw, minimum and median, their ratio (of the minima, and
// the median of the ratios of paired rounds), the cache state, and whether the targets are met (a
// ratio, and a time in milliseconds for the program's median when above 0). Returns whether they
// are.
bool report(const QString& job, Cache cache, const Rounds& rounds, double maxRatio,
            double maxMilliseconds = 0);
// The same line for a job that has no raw counterpart: the program's minimum and median, and
// whether its median is below maxMilliseconds (no target for 0).
bool reportProgram(const QString& job, Cache cache, const QList<double>& program,
                   double maxMilliseconds = 0);
// The last line of a benchmark ("targets: all met" or "MISSED"), and its exit code.
int targets(bool met);

// Drops a file's cached pages (only clean pages go; the file is not changed).
void evict(const QString& path);
// The memory this process has allocated and not freed (the allocator's count, which sees
// what freed memory is used again for, as the resident size does not).
double heapMegabytes();

// Row ids as raw C code keeps them: one block, grown by realloc.
class RawIds {
public:
    RawIds() = default;
    RawIds(RawIds&& other) noexcept;
    RawIds& operator=(RawIds&& other) noexcept;
    ~RawIds();
    void append(qint64 id);
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    qint64 operator[](size_t i) const { return m_data[i]; }
    qint64 front() const { return m_data[0]; }
    qint64 back() const { return m_data[m_size - 1]; }
    const qint64* begin() const { return m_data; }
    const qint64* end() const { return m_data + m_size; }

private:
    qint64* m_data = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

// Raw SQLite: a connection of its own through the C API, opened as the program opens its
// files (rollback journal, full sync, busy timeout).
class RawSqlite {
public:
    enum class Access { ReadWrite, ReadOnly };
    // ReadOnly for the benchmarks that only read a file: they never take a write lock on it.
    explicit RawSqlite(const QString& path, Access access = Access::ReadWrite);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;
    sqlite3* handle() const { return m_db; }
    void exec(const QString& sql) const;
    // The first column of every row as a 64-bit integer; the statement is prepared once, as
    // the program prepares its own.
    RawIds ids(const QString& sql) const;
    // The first column of the first row as text (empty without a row).
    QString text(const QString& sql) const;

private:
    sqlite3* m_db = nullptr;
    mutable QHash<QString, sqlite3_stmt*> m_statements;
};

// A statement of raw SQLite's, prepared when made and finalized when let go.
class RawStatement {
public:
    RawStatement(const RawSqlite& raw, const QByteArray& sql);
    ~RawStatement();
    RawStatement(const RawStatement&) = delete;
    RawStatement& operator=(const RawStatement&) = delete;
    sqlite3_stmt* handle() const { return m_statement; }
    // Steps to the next row; false at the end.
    bool next();
    // Runs a statement that returns no rows, and resets it for the next parameters.
    void run();
    // A parameter as text in UTF-8; NULL for a null value.
    void bind(int parameter, const QVariant& value);
    void bind(int parameter, qint64 value);
    // A column of the current row as text.
    QString text(int column) const;
    int columns() const;

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

// Reads every column of a row by id, as a data control reads the row it shows.
class RawRow {
public:
    RawRow(const RawSqlite& raw, const QString& table);
    ~RawRow();
    RawRow(const RawRow&) = delete;
    RawRow& operator=(const RawRow&) = delete;
    void read(qint64 id);

private:
    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
    std::vector<std::string> m_values;
};

// Runs a statement with text parameters and reads every column of every row, as a report
// reads the rows it shows; returns the number of rows.
int readRows(const RawSqlite& raw, const QByteArray& sql, const QList<QVariant>& textParams);

// A copy of the cached practice file for the benchmarks that write, made once beside it in a
// folder of its own (the cached file itself is only read).
QString writablePracticeFile(qint64 logs);
// The same for any file: its copy in "writable" beside it, made once.
QString writableCopy(const QString& path);
// Copies a file over another, whole or not at all (built under a temporary name).
void copyFile(const QString& from, const QString& to);

// The file a benchmark works on: its first argument, or else the cached practice file of
// 1,000,000 logs (its writable copy for the benchmarks that write).
enum class Use { Read, Write };
QString practiceFile(int argc, char* argv[], Use use = Use::Read);
// A benchmark's size from its first argument, or else `fallback`; stops with a message unless it
// is a whole number above 0.
int countArgument(int argc, char* argv[], int fallback);
// The practice file of a benchmark that reads it (practiceFile), open in the program and on a
// raw connection of its own.
struct OpenPractice {
    OpenPractice(int argc, char* argv[], RawSqlite::Access access = RawSqlite::Access::ReadOnly);
    const QString path;
    const Database db;
    const RawSqlite raw;
};

// Windows are made offscreen unless QT_QPA_PLATFORM names a platform (before the application
// object is made).
void offscreenUnlessSet();
// The folder of a benchmark's own under the build tree, made empty, that holds its files and
// the program's data and settings folders (set here: call it before the application object is
// made).
QString workFolder(const QString& name);
// The application's names, which the program's settings and data folders are found by.
void nameApplication();
// An SQL string literal of a text, as the program quotes it.
QString sqlLiteral(const QString& text);

} // namespace BenchTools

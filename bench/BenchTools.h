#pragma once

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

// One line of figures: program and raw, minimum and median, their ratio (of the minima, and
// the median of the ratios of paired rounds), the cache state, and whether the targets are met (a
// ratio, and a time in milliseconds for the program's median when above 0). Returns whether they
// are.
bool report(const QString& job, Cache cache, const Rounds& rounds, double maxRatio,
            double maxMilliseconds = 0);

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
    explicit RawSqlite(const QString& path);
    ~RawSqlite();
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;
    sqlite3* handle() const { return m_db; }
    void exec(const QString& sql) const;
    // The first column of every row as a 64-bit integer; the statement is prepared once, as
    // the program prepares its own.
    RawIds ids(const QString& sql) const;

private:
    sqlite3* m_db = nullptr;
    mutable QHash<QString, sqlite3_stmt*> m_statements;
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
int readRows(sqlite3* db, const QByteArray& sql, const QList<QVariant>& textParams);

// A copy of the cached practice file for the benchmarks that write, made once beside it in a
// folder of its own (the cached file itself is only read).
QString writablePracticeFile(qint64 logs);

} // namespace BenchTools

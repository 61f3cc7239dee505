#include "BenchTools.h"

#include "PracticeGenerator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <malloc.h>
#include <sqlite3.h>
#include <unistd.h>

namespace BenchTools {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

double minimum(const QList<double>& values) {
    return values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end());
}

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

const char* cacheName(Cache cache) {
    return cache == Cache::Warm ? "warm" : "cold";
}

Rounds alternate(int rounds, Cache cache, const QString& file, const std::function<void()>& program,
                 const std::function<void()>& raw) {
    if (cache == Cache::Warm) {
        program();
        raw();
    }
    Rounds result;
    const auto run = [&](const std::function<void()>& fn) {
        if (cache == Cache::Cold)
            evict(file);
        return milliseconds(fn);
    };
    for (int i = 0; i < rounds; ++i) {
        // Every other round raw SQLite goes first, so that neither side always finds the
        // pages the other just read.
        if (i % 2 == 0) {
            result.program << run(program);
            result.raw << run(raw);
        } else {
            result.raw << run(raw);
            result.program << run(program);
        }
    }
    return result;
}

bool report(const QString& job, Cache cache, const Rounds& rounds, double maxRatio,
            double maxMilliseconds) {
    const double program = median(rounds.program);
    const double raw = median(rounds.raw);
    // Each round of the program is paired with the raw round that follows it.
    QList<double> ratios;
    for (qsizetype i = 0; i < qMin(rounds.program.size(), rounds.raw.size()); ++i)
        if (rounds.raw[i] > 0)
            ratios << rounds.program[i] / rounds.raw[i];
    const double ratio = median(ratios);
    const double minRatio =
        minimum(rounds.raw) > 0 ? minimum(rounds.program) / minimum(rounds.raw) : 0;
    const bool met =
        (maxRatio <= 0 || ratio <= maxRatio) && (maxMilliseconds <= 0 || program < maxMilliseconds);
    QString target;
    if (maxRatio > 0)
        target += QStringLiteral("<= %1x").arg(maxRatio);
    if (maxMilliseconds > 0)
        target +=
            QStringLiteral("%1< %2 ms").arg(target.isEmpty() ? "" : ", ").arg(maxMilliseconds);
    std::printf("%-44s %s  program %9.3f / %9.3f ms  raw %9.3f / %9.3f ms  ratio %6.3f / %6.3f"
                "  (%d rounds)  %s %s\n",
                qPrintable(job), cacheName(cache), minimum(rounds.program), program,
                minimum(rounds.raw), raw, minRatio, ratio, int(rounds.program.size()),
                qPrintable(target.isEmpty() ? QStringLiteral("no target") : target),
                target.isEmpty() ? "" : (met ? "met" : "MISSED"));
    std::fflush(stdout);
    return met;
}

void evict(const QString& path) {
    // A descriptor of our own is closed while no connection of this process holds a lock on
    // the file (between statements), so no lock is lost with it.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0)
        qFatal("cannot open %s", qPrintable(path));
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::close(fd);
}

double heapMegabytes() {
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

RawIds::RawIds(RawIds&& other) noexcept
    : m_data(other.m_data), m_size(other.m_size), m_capacity(other.m_capacity) {
    other.m_data = nullptr;
    other.m_size = other.m_capacity = 0;
}

RawIds& RawIds::operator=(RawIds&& other) noexcept {
    std::swap(m_data, other.m_data);
    std::swap(m_size, other.m_size);
    std::swap(m_capacity, other.m_capacity);
    return *this;
}

RawIds::~RawIds() {
    std::free(m_data);
}

void RawIds::append(qint64 id) {
    if (m_size == m_capacity) {
        m_capacity = m_capacity ? m_capacity * 2 : 64;
        m_data = static_cast<qint64*>(std::realloc(m_data, m_capacity * sizeof(qint64)));
        if (!m_data)
            qFatal("out of memory");
    }
    m_data[m_size++] = id;
}

RawSqlite::RawSqlite(const QString& path) {
    // As the Qt driver opens it: no mutex around each call (one thread uses a connection).
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE,
                        nullptr) != SQLITE_OK)
        qFatal("raw sqlite: cannot open %s", qPrintable(path));
    sqlite3_busy_timeout(m_db, 5000);
    exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

RawSqlite::~RawSqlite() {
    for (sqlite3_stmt* statement : std::as_const(m_statements))
        sqlite3_finalize(statement);
    sqlite3_close(m_db);
}

void RawSqlite::exec(const QString& sql) const {
    char* error = nullptr;
    if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
        qFatal("raw sqlite: %s: %s", qPrintable(sql), error);
}

RawIds RawSqlite::ids(const QString& sql) const {
    sqlite3_stmt*& statement = m_statements[sql];
    if (!statement &&
        sqlite3_prepare_v3(m_db, sql.toUtf8().constData(), -1, SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr) != SQLITE_OK)
        qFatal("raw sqlite: %s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
    RawIds ids;
    while (sqlite3_step(statement) == SQLITE_ROW)
        ids.append(sqlite3_column_int64(statement, 0));
    sqlite3_reset(statement);
    return ids;
}

RawRow::RawRow(const RawSqlite& raw, const QString& table) : m_db(raw.handle()) {
    const QByteArray sql = QStringLiteral("SELECT * FROM [%1] WHERE rowid = ?").arg(table).toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_statement, nullptr) != SQLITE_OK)
        qFatal("raw sqlite: %s", sqlite3_errmsg(m_db));
}

RawRow::~RawRow() {
    sqlite3_finalize(m_statement);
}

void RawRow::read(qint64 id) {
    sqlite3_bind_int64(m_statement, 1, id);
    if (sqlite3_step(m_statement) != SQLITE_ROW)
        qFatal("raw sqlite: no row %lld", static_cast<long long>(id));
    m_values.resize(sqlite3_column_count(m_statement));
    for (int i = 0; i < int(m_values.size()); ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, i));
        m_values[i].assign(text ? text : "", sqlite3_column_bytes(m_statement, i));
    }
    sqlite3_reset(m_statement);
}

QString writablePracticeFile(qint64 logs) {
    const QString shared = PracticeGenerator::cachedPracticeFile(logs);
    const QFileInfo info(shared);
    const QString folder = info.absolutePath() + QStringLiteral("/writable");
    QDir().mkpath(folder);
    const QString path = folder + QLatin1Char('/') + info.fileName();
    if (!QFileInfo::exists(path)) {
        std::printf("copying %s for the benchmarks that write ...\n", qPrintable(shared));
        std::fflush(stdout);
        const QString temp = path + QStringLiteral(".building");
        QFile::remove(temp);
        if (!QFile::copy(shared, temp) || !QFile::rename(temp, path))
            qFatal("cannot copy the practice file");
    }
    return path;
}

int readRows(sqlite3* db, const QByteArray& sql, const QList<QVariant>& textParams) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    for (int i = 0; i < textParams.size(); ++i) {
        const QByteArray text = textParams[i].toString().toUtf8();
        sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < sqlite3_column_count(statement); ++c)
            switch (sqlite3_column_type(statement, c)) {
            case SQLITE_INTEGER:
                sqlite3_column_int64(statement, c);
                break;
            case SQLITE_FLOAT:
                sqlite3_column_double(statement, c);
                break;
            case SQLITE_NULL:
                break;
            default:
                std::strlen(reinterpret_cast<const char*>(sqlite3_column_text(statement, c)));
            }
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

} // namespace BenchTools

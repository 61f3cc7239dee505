#include "BenchTools.h"

#include "PracticeGenerator.h"
#include "core/logic/SqlQuoting.h"

#include <QCoreApplication>
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

void alternateSides(int rounds, Cache cache, const QString& file,
                    const std::function<void(bool measured)>& program,
                    const std::function<void(bool measured)>& raw) {
    if (cache == Cache::Warm) {
        program(false);
        raw(false);
    }
    const auto run = [&](const std::function<void(bool)>& side) {
        if (cache == Cache::Cold)
            evict(file);
        side(true);
    };
    for (int i = 0; i < rounds; ++i) {
        // Every other round raw SQLite goes first, so that neither side always finds the
        // pages the other just read.
        if (i % 2 == 0) {
            run(program);
            run(raw);
        } else {
            run(raw);
            run(program);
        }
    }
}

double timed(QList<double>& times, bool measured, const std::function<void()>& fn) {
    const double ms = milliseconds(fn);
    if (measured)
        times << ms;
    return ms;
}

Rounds alternate(int rounds, Cache cache, const QString& file, const std::function<void()>& program,
                 const std::function<void()>& raw) {
    Rounds result;
    alternateSides(
        rounds, cache, file, [&](bool measured) { timed(result.program, measured, program); },
        [&](bool measured) { timed(result.raw, measured, raw); });
    return result;
}

Rounds alternateSteps(int rounds, Cache cache, const QString& file,
                      const std::function<void(int run)>& program,
                      const std::function<void(int run)>& raw) {
    int p = 0;
    int r = 0;
    return alternate(
        rounds, cache, file, [&] { program(p++); }, [&] { raw(r++); });
}

namespace {

// A figure line: the job, the cache state, the figures, the rounds, the target and whether it is
// met. Returns whether it is.
bool printLine(const QString& job, Cache cache, const QString& figures, qsizetype rounds,
               double maxRatio, double maxMilliseconds, bool met) {
    QString target;
    if (maxRatio > 0)
        target += QStringLiteral("<= %1x").arg(maxRatio);
    if (maxMilliseconds > 0)
        target +=
            QStringLiteral("%1< %2 ms").arg(target.isEmpty() ? "" : ", ").arg(maxMilliseconds);
    std::printf("%-44s %s  %s  (%d rounds)  %s %s\n", qPrintable(job), cacheName(cache),
                qPrintable(figures), int(rounds),
                qPrintable(target.isEmpty() ? QStringLiteral("no target") : target),
                target.isEmpty() ? "" : (met ? "met" : "MISSED"));
    std::fflush(stdout);
    return met;
}

QString programFigures(const QList<double>& program) {
    return QString::asprintf("program %9.3f / %9.3f ms", minimum(program), median(program));
}

} // namespace

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
    return printLine(job, cache,
                     programFigures(rounds.program) +
                         QString::asprintf("  raw %9.3f / %9.3f ms  ratio %6.3f / %6.3f",
                                           minimum(rounds.raw), raw, minRatio, ratio),
                     rounds.program.size(), maxRatio, maxMilliseconds, met);
}

bool reportProgram(const QString& job, Cache cache, const QList<double>& program,
                   double maxMilliseconds) {
    const bool met = maxMilliseconds <= 0 || median(program) < maxMilliseconds;
    return printLine(job, cache,
                     programFigures(program) +
                         QStringLiteral("  %1").arg(QStringLiteral("(no raw counterpart)"), -51),
                     program.size(), 0, maxMilliseconds, met);
}

int targets(bool met) {
    std::printf("targets: %s\n", met ? "all met" : "MISSED");
    return met ? 0 : 1;
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

RawSqlite::RawSqlite(const QString& path, Access access) {
    // As the Qt driver opens it: no mutex around each call (one thread uses a connection).
    const int mode = access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                        mode | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_PRIVATECACHE,
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

QString RawSqlite::text(const QString& sql) const {
    RawStatement statement(*this, sql.toUtf8());
    return statement.next() ? statement.text(0) : QString();
}

RawStatement::RawStatement(const RawSqlite& raw, const QByteArray& sql) : m_db(raw.handle()) {
    if (sqlite3_prepare_v2(m_db, sql.constData(), -1, &m_statement, nullptr) != SQLITE_OK)
        qFatal("raw sqlite: %s: %s", sql.constData(), sqlite3_errmsg(m_db));
}

RawStatement::~RawStatement() {
    sqlite3_finalize(m_statement);
}

bool RawStatement::next() {
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        qFatal("raw sqlite: %s", sqlite3_errmsg(m_db));
    }
}

void RawStatement::run() {
    if (sqlite3_step(m_statement) != SQLITE_DONE)
        qFatal("raw sqlite: %s", sqlite3_errmsg(m_db));
    sqlite3_reset(m_statement);
}

void RawStatement::bind(int parameter, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(m_statement, parameter);
        return;
    }
    const QByteArray utf8 = value.toString().toUtf8();
    sqlite3_bind_text(m_statement, parameter, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

void RawStatement::bind(int parameter, qint64 value) {
    sqlite3_bind_int64(m_statement, parameter, value);
}

QString RawStatement::text(int column) const {
    return QString::fromUtf8(
        reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column)),
        sqlite3_column_bytes(m_statement, column));
}

int RawStatement::columns() const {
    return sqlite3_column_count(m_statement);
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
    return writableCopy(PracticeGenerator::cachedPracticeFile(logs));
}

QString writableCopy(const QString& path) {
    const QFileInfo info(path);
    const QString folder = info.absolutePath() + QStringLiteral("/writable");
    QDir().mkpath(folder);
    const QString copy = folder + QLatin1Char('/') + info.fileName();
    if (!QFileInfo::exists(copy)) {
        std::printf("copying %s for the benchmarks that write ...\n", qPrintable(path));
        std::fflush(stdout);
        copyFile(path, copy);
    }
    return copy;
}

void copyFile(const QString& from, const QString& to) {
    const QString temp = to + QStringLiteral(".building");
    QFile::remove(temp);
    if (!QFile::copy(from, temp))
        qFatal("cannot copy %s", qPrintable(from));
    QFile::remove(to);
    if (!QFile::rename(temp, to))
        qFatal("cannot copy %s", qPrintable(from));
}

QString practiceFile(int argc, char* argv[], Use use) {
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    return use == Use::Write ? writablePracticeFile(1000000)
                             : PracticeGenerator::cachedPracticeFile(1000000);
}

int countArgument(int argc, char* argv[], int fallback) {
    if (argc < 2)
        return fallback;
    bool ok = false;
    const int count = QByteArray(argv[1]).toInt(&ok);
    if (!ok || count < 1)
        qFatal("%s takes a number above 0 (default %d), not \"%s\"", argv[0], fallback, argv[1]);
    return count;
}

OpenPractice::OpenPractice(int argc, char* argv[], RawSqlite::Access access)
    : path(practiceFile(argc, argv)), db(Database::open(path)), raw(path, access) {
}

void offscreenUnlessSet() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString workFolder(const QString& name) {
    const QString folder = QStringLiteral(BENCH_WORK_FOLDER "/") + name;
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    qputenv("XDG_DATA_HOME", QFile::encodeName(folder + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder + QStringLiteral("/config")));
    return folder;
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
}

QString sqlLiteral(const QString& text) {
    return QLatin1Char('\'') + FixSQLQuotes(text) + QLatin1Char('\'');
}

int readRows(const RawSqlite& raw, const QByteArray& sql, const QList<QVariant>& textParams) {
    RawStatement statement(raw, sql);
    for (int i = 0; i < textParams.size(); ++i)
        statement.bind(i + 1, textParams[i].toString());
    sqlite3_stmt* row = statement.handle();
    int rows = 0;
    while (statement.next()) {
        for (int c = 0; c < statement.columns(); ++c)
            switch (sqlite3_column_type(row, c)) {
            case SQLITE_INTEGER:
                sqlite3_column_int64(row, c);
                break;
            case SQLITE_FLOAT:
                sqlite3_column_double(row, c);
                break;
            case SQLITE_NULL:
                break;
            default:
                std::strlen(reinterpret_cast<const char*>(sqlite3_column_text(row, c)));
            }
        ++rows;
    }
    return rows;
}

} // namespace BenchTools

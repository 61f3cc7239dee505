// Times the compaction of a 1,000,000-log practice file (in place, under the engine's locks)
// against raw SQLite running VACUUM on its own connection in the same process, in alternating
// rounds on a copy of the cached practice file. The copy was just written, so the cache is warm.
//   bench_compact [logs]
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/FileCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

double timeRaw(const QString& file) {
    QElapsedTimer timer;
    timer.start();
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA synchronous=FULL; VACUUM", nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("raw VACUUM: %s", sqlite3_errmsg(db));
    sqlite3_close(db);
    return timer.elapsed() / 1000.0;
}

double timeOurs(const QString& file) {
    QElapsedTimer timer;
    timer.start();
    compactDatabaseFile(file);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char* argv[]) {
    // The work copy and the program's folder lie in the build tree, never in the shared data.
    const QString work = QStringLiteral(BENCH_WORK_FOLDER "/compact-bench");
    QDir().mkpath(work);
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("/data")));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
    const qint64 logs = argc > 1 ? QByteArray(argv[1]).toLongLong() : 1000000;

    const QString source = PracticeGenerator::cachedPracticeFile(logs);
    const QString file = work + QStringLiteral("/practice.mdb");
    QFile::remove(file);
    if (!QFile::copy(source, file))
        qFatal("cannot copy %s", qPrintable(source));
    std::printf("%s: %.0f MB, cache warm (just copied)\n", qPrintable(file),
                QFileInfo(file).size() / 1e6);

    QList<double> raw;
    QList<double> ours;
    for (int round = 1; round <= 3; ++round) {
        raw << timeRaw(file);
        ours << timeOurs(file);
        std::printf("round %d: raw VACUUM %.1f s, program's compaction %.1f s (%.2f)\n", round,
                    raw.last(), ours.last(), ours.last() / raw.last());
        std::fflush(stdout);
    }
    const double rawMin = *std::min_element(raw.begin(), raw.end());
    const double oursMin = *std::min_element(ours.begin(), ours.end());
    std::printf("minimum: raw %.1f s, program %.1f s, ratio %.2f; median: raw %.1f s, program "
                "%.1f s, ratio %.2f (target at most 1.10)\n",
                rawMin, oursMin, oursMin / rawMin, BenchTools::median(raw),
                BenchTools::median(ours), BenchTools::median(ours) / BenchTools::median(raw));
    QDir(work).removeRecursively();
    return oursMin <= 1.1 * rawMin ? 0 : 1;
}

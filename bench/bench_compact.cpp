// The compaction of the practice file of 1,000,000 logs (in place, under the engine's locks)
// against raw SQLite running VACUUM on a connection of its own in the same process.
//   bench_compact [practice.mdb]
// Without an argument it compacts the writable copy of the cached practice file (a compacted
// file holds the same rows, so the copy stays fit for the other benchmarks). The program's
// folder lies in the build tree.
#include "BenchTools.h"
#include "core/FileCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace BenchTools;

int main(int argc, char* argv[]) {
    const QString work = QStringLiteral(BENCH_WORK_FOLDER "/compact-bench");
    QDir().mkpath(work);
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("/data")));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : writablePracticeFile(1000000);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    const bool met = report(QStringLiteral("compact the file"), Cache::Warm,
                            alternate(
                                3, Cache::Warm, path, [&] { compactDatabaseFile(path); },
                                [&] { RawSqlite(path).exec(QStringLiteral("VACUUM")); }),
                            1.1);
    QDir(work).removeRecursively();
    std::printf("targets: %s\n", met ? "all met" : "MISSED");
    return met ? 0 : 1;
}

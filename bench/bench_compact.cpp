// The compaction of the practice file of 1,000,000 logs (in place, under the engine's locks)
// against raw SQLite running VACUUM on a connection of its own in the same process.
//   bench_compact [practice.mdb]
// Without an argument it compacts the writable copy of the cached practice file (a compacted
// file holds the same rows, so the copy stays fit for the other benchmarks). The program's
// folder lies in the build tree.
#include "BenchTools.h"
#include "core/windows/FileCommands.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cstdio>

using namespace BenchTools;

int main(int argc, char* argv[]) {
    const QString work = workFolder(QStringLiteral("compact-bench"));
    QCoreApplication app(argc, argv);
    nameApplication();
    const QString path = practiceFile(argc, argv, Use::Write);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    const bool met = report(QStringLiteral("compact the file"), Cache::Warm,
                            alternate(
                                3, Cache::Warm, path, [&] { compactDatabaseFile(path); },
                                [&] { RawSqlite(path).exec(QStringLiteral("VACUUM")); }),
                            1.1);
    QDir(work).removeRecursively();
    return targets(met);
}

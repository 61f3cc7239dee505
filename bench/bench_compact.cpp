// The compaction of the practice file of 1,000,000 logs (in place, under the engine's locks)
// against raw SQLite running VACUUM on a connection of its own in the same process, and against
// the way the program does not take: VACUUM INTO a new file beside it, with the same checks
// (the file opened as the compaction opens it, the new file checked the same way before it
// stands), synced and renamed over the file. That way writes the file's pages once where the
// compaction in place writes them twice (the engine builds the compacted file aside and copies it
// back through its journal), but a rename cannot be done under the engine's locks: another
// instance that has the file open would write on into the file renamed away.
//   bench_compact [practice.mdb]
// Without an argument it compacts the writable copy of the cached practice file (a compacted
// file holds the same rows, so the copy stays fit for the other benchmarks). The program's
// folder lies in the build tree.
#include "BenchTools.h"
#include "core/windows/FileCommands.h"
#include "platform/data/Database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

using namespace BenchTools;

namespace {

void sync(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0)
        qFatal("cannot sync %s", qPrintable(path));
    ::close(fd);
}

// VACUUM INTO a new file, checked and renamed over the file.
void compactByCopy(const QString& path) {
    // The checks of the program's compaction: not open here, and the file opens as a database.
    if (Database::isOpen(path))
        qFatal("%s is open", qPrintable(path));
    Database::open(path).close();
    const QString copy = path + QStringLiteral(".compacted");
    QFile::remove(copy);
    RawSqlite(path).exec(QStringLiteral("VACUUM INTO ") + sqlLiteral(copy));
    sync(copy);
    // The new file passes the same checks before it takes the file's place.
    Database::open(copy).close();
    if (::rename(QFile::encodeName(copy).constData(), QFile::encodeName(path).constData()) != 0)
        qFatal("cannot rename %s", qPrintable(copy));
    sync(QFileInfo(path).absolutePath());
}

} // namespace

int main(int argc, char* argv[]) {
    const QString work = workFolder(QStringLiteral("compact-bench"));
    QCoreApplication app(argc, argv);
    nameApplication();
    const QString path = practiceFile(argc, argv, Use::Write);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    // The three ways in turn, each round starting with the next one, after one unmeasured
    // compaction that leaves the file compacted and in the page cache.
    const std::function<void()> ways[] = {
        [&] { compactDatabaseFile(path); },
        [&] { RawSqlite(path).exec(QStringLiteral("VACUUM")); },
        [&] { compactByCopy(path); },
    };
    QList<double> times[3];
    compactDatabaseFile(path);
    constexpr int RoundCount = 3;
    for (int round = 0; round < RoundCount; ++round)
        for (int i = 0; i < 3; ++i) {
            const int way = (round + i) % 3;
            times[way] << milliseconds(ways[way]);
        }
    const bool met = report(QStringLiteral("compact the file (in place)"), Cache::Warm,
                            {times[0], times[1]}, 1.1);
    report(QStringLiteral("compact the file (in place), against raw VACUUM INTO a new file "
                          "with the same checks, renamed over (raw: unsafe while another "
                          "instance has the file open)"),
           Cache::Warm, {times[0], times[2]}, 0);
    QDir(work).removeRecursively();
    return targets(met);
}

// What checking a practice file costs when it opens. The program's open (its header checks,
// the engine's first read, which rolls back a commit a crash left unfinished and refuses a
// file shorter than its header says, and the full page check up to 32 MB) against raw SQLite
// opening the file and reading its schema on its own connection in the same process, in
// alternating rounds, with the cache warm and cold; then what a full page check of the same
// file would cost.
//   bench_open_check <practice.mdb>
// Cold rounds drop the file's pages from the cache: give it a copy of your own.
#include "BenchTools.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <sqlite3.h>
#include <unistd.h>

namespace {

void dropFromCache(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) != 0)
        qFatal("cannot drop %s from the cache", qPrintable(path));
    ::close(fd);
}

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

// Raw SQLite doing what the program's open does with a file larger than 32 MB.
void rawOpen(const QString& path, const char* extra = nullptr) {
    sqlite3* db = nullptr;
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_prepare_v2(db, "SELECT count(*) FROM sqlite_master", -1, &probe, nullptr) !=
            SQLITE_OK ||
        sqlite3_step(probe) != SQLITE_ROW)
        qFatal("raw open: %s", sqlite3_errmsg(db));
    sqlite3_finalize(probe);
    sqlite3_exec(db, "PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL", nullptr, nullptr,
                 nullptr);
    if (extra && sqlite3_exec(db, extra, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("raw check: %s", sqlite3_errmsg(db));
    sqlite3_close(db);
}

void programOpen(const QString& path) {
    Database db = Database::open(path);
    db.close();
}

void compare(const char* what, const QString& path, bool cold, int rounds) {
    QList<double> program;
    QList<double> raw;
    for (int i = 0; i < rounds; ++i) {
        if (cold)
            dropFromCache(path);
        program << milliseconds([&] { programOpen(path); });
        if (cold)
            dropFromCache(path);
        raw << milliseconds([&] { rawOpen(path); });
    }
    const double p = *std::min_element(program.begin(), program.end());
    const double r = *std::min_element(raw.begin(), raw.end());
    std::printf("%s, cache %s, %d alternating rounds: program %.1f ms, raw %.1f ms, ratio %.2f "
                "(minimum); program %.1f ms, raw %.1f ms, ratio %.2f (median)\n",
                what, cold ? "cold" : "warm", rounds, p, r, p / r, BenchTools::median(program),
                BenchTools::median(raw), BenchTools::median(program) / BenchTools::median(raw));
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: bench_open_check <practice.mdb>");
    const QString path = QString::fromLocal8Bit(argv[1]);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    rawOpen(path); // the first open reads the schema into the cache
    compare("open", path, false, 9);
    compare("open", path, true, 3);

    // The full page check that files up to 32 MB get, on this file: raw only, as the program
    // does not run it here.
    rawOpen(path, "PRAGMA quick_check");
    const double warm = milliseconds([&] { rawOpen(path, "PRAGMA quick_check"); });
    dropFromCache(path);
    const double cold = milliseconds([&] { rawOpen(path, "PRAGMA quick_check"); });
    std::printf("full page check (quick_check) of the whole file: %.1f s warm, %.1f s cold\n",
                warm / 1000, cold / 1000);
    return 0;
}

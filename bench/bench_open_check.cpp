// What checking a practice file costs when it opens. The program's open (its header checks,
// the engine's first read, which rolls back a commit a crash left unfinished and refuses a
// file shorter than its header says, and the full page check up to 32 MB) against raw SQLite
// opening the file and reading its schema on its own connection in the same process, in
// alternating rounds, with the cache warm and cold; then what a full page check of the same
// file would cost.
//   bench_open_check [practice.mdb]
// Without an argument it works on the writable copy of the cached practice file, which the cold
// rounds drop from the page cache.
#include "BenchTools.h"
#include "platform/data/Database.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

// Raw SQLite doing what the program's open does with a file larger than 32 MB.
void rawOpen(const QString& path, const char* extra = nullptr) {
    sqlite3* db = nullptr;
    sqlite3_stmt* probe = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK ||
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

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString path = practiceFile(argc, argv, Use::Write);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);

    const auto program = [&] {
        programOpen(path);
    };
    const auto raw = [&] {
        rawOpen(path);
    };
    report(QStringLiteral("open"), Cache::Warm, alternate(9, Cache::Warm, path, program, raw), 0);
    report(QStringLiteral("open"), Cache::Cold, alternate(3, Cache::Cold, path, program, raw), 0);

    // The full page check that files up to 32 MB get, on this file: raw only, as the program
    // does not run it here.
    rawOpen(path, "PRAGMA quick_check");
    const double warm = milliseconds([&] { rawOpen(path, "PRAGMA quick_check"); });
    evict(path);
    const double cold = milliseconds([&] { rawOpen(path, "PRAGMA quick_check"); });
    std::printf("full page check (quick_check) of the whole file: %.1f s warm, %.1f s cold\n",
                warm / 1000, cold / 1000);
    return 0;
}

// Times the compaction of a 1,000,000-log practice file, its checks included, against the
// sqlite3 command-line tool's VACUUM INTO of the same file.
//   bench_compact [logs]
// Works on a copy of the cached practice file; the work file JUNK.MDB lies beside it.
#include "PracticeGenerator.h"
#include "core/FileCommands.h"
#include "core/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>

namespace {

double timeTool(const QString& file, const QString& output) {
    QFile::remove(output);
    QElapsedTimer timer;
    timer.start();
    QProcess sqlite;
    sqlite.start(QStringLiteral("sqlite3"), {file, QStringLiteral("VACUUM INTO '%1'").arg(output)});
    sqlite.waitForFinished(-1);
    const double seconds = timer.elapsed() / 1000.0;
    if (sqlite.exitCode() != 0)
        qFatal("sqlite3: %s", sqlite.readAllStandardError().constData());
    QFile::remove(output);
    return seconds;
}

double timeOurs(const QString& file) {
    QElapsedTimer timer;
    timer.start();
    compactDatabaseFile(file);
    return timer.elapsed() / 1000.0;
}

} // namespace

int main(int argc, char* argv[]) {
    const QString work = QStringLiteral(VELLAGON_BENCH_DATA "/compact-bench");
    QDir().mkpath(work);
    // The program's folder (where JUNK.MDB goes) inside the work folder: one file system.
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
    std::printf("%s: %.0f MB; work file %s\n", qPrintable(file), QFileInfo(file).size() / 1e6,
                qPrintable(ProgramFolder::filePath(QStringLiteral("JUNK.MDB"))));

    const QString output = work + QStringLiteral("/tool-output.mdb");
    double tool = 1e9;
    double ours = 1e9;
    for (int round = 1; round <= 3; ++round) {
        const double t = timeTool(file, output);
        const double o = timeOurs(file);
        std::printf("round %d: sqlite3 VACUUM INTO %.1f s, compaction with checks %.1f s (%.2f)\n",
                    round, t, o, o / t);
        std::fflush(stdout);
        tool = std::min(tool, t);
        ours = std::min(ours, o);
    }
    std::printf("best: sqlite3 %.1f s, ours %.1f s, ratio %.2f (target at most 1.50)\n", tool, ours,
                ours / tool);
    QFile::remove(file);
    QDir(work).removeRecursively();
    return ours <= 1.5 * tool ? 0 : 1;
}

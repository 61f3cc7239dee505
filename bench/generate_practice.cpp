// Generates a practice file for the benchmarks and compares the time with the sqlite3
// command-line tool inserting the same rows.
//   generate_practice [logs] [output.mdb]
#include "PracticeGenerator.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    PracticeGenerator::Options options;
    if (args.size() > 1)
        options.logs = args.at(1).toLongLong();
    const QString path =
        args.size() > 2 ? args.at(2) : QStringLiteral("practice-%1.mdb").arg(options.logs);
    QFile::remove(path);

    const double ours = PracticeGenerator::writeDatabase(path, options);
    std::printf("generated %lld logs into %s: %.1f s, %.0f MB\n",
                static_cast<long long>(options.logs), qPrintable(path), ours,
                QFileInfo(path).size() / 1e6);

    const QString script = path + QStringLiteral(".sql");
    const QString raw = path + QStringLiteral(".raw");
    PracticeGenerator::writeSqlScript(script, options);
    QFile::remove(raw);
    QElapsedTimer timer;
    timer.start();
    QProcess sqlite;
    sqlite.setStandardInputFile(script);
    sqlite.start(QStringLiteral("sqlite3"), {raw});
    sqlite.waitForFinished(-1);
    const double tool = timer.elapsed() / 1000.0;
    std::printf("sqlite3 tool inserting the same rows: %.1f s (ratio %.2f)\n", tool, ours / tool);
    QFile::remove(script);
    QFile::remove(raw);
    return sqlite.exitCode();
}

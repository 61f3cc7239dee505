// Generates a practice file for the benchmarks, and times its writes against raw SQLite
// writing the same rows into a file with the same tables and indexes, on a connection of its
// own in the same run, in alternating rounds (raw SQLite first in every other round) after one
// unmeasured run of each. Every run makes its file anew; the program's last one is kept. The
// making of the rows is not timed on either side.
//   generate_practice [logs] [output.mdb] [rounds]
#include "BenchTools.h"
#include "PracticeGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

using namespace BenchTools;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    PracticeGenerator::Options options;
    if (args.size() > 1)
        options.logs = args.at(1).toLongLong();
    const QString path =
        args.size() > 2 ? args.at(2) : QStringLiteral("practice-%1.mdb").arg(options.logs);
    const int rounds = args.size() > 3 ? qMax(1, args.at(3).toInt()) : 3;
    const QString rawPath = path + QStringLiteral(".raw");

    Rounds times;
    alternateSides(
        rounds, Cache::Warm, path,
        [&](bool measured) {
            QFile::remove(path);
            const double seconds = PracticeGenerator::writeDatabase(path, options);
            if (measured)
                times.program << seconds * 1000;
        },
        [&](bool measured) {
            QFile::remove(rawPath);
            const double seconds = PracticeGenerator::writeRawDatabase(rawPath, options);
            QFile::remove(rawPath);
            if (measured)
                times.raw << seconds * 1000;
        });
    std::printf("generated %lld logs into %s (%.0f MB)\n", static_cast<long long>(options.logs),
                qPrintable(path), QFileInfo(path).size() / 1e6);
    report(QStringLiteral("write the rows of %1 logs").arg(options.logs), Cache::Warm, times, 0);
    return 0;
}

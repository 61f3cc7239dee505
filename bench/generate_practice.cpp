// Generates a practice file for the benchmarks, and times its writes against raw SQLite
// writing the same rows into a file with the same tables and indexes, on a connection of its
// own in the same run. The making of the rows is not timed on either side.
//   generate_practice [logs] [output.mdb]
#include "PracticeGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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

    const double program = PracticeGenerator::writeDatabase(path, options);
    std::printf("generated %lld logs into %s (%.0f MB)\n", static_cast<long long>(options.logs),
                qPrintable(path), QFileInfo(path).size() / 1e6);
    std::fflush(stdout);
    const QString rawPath = path + QStringLiteral(".raw");
    QFile::remove(rawPath);
    const double raw = PracticeGenerator::writeRawDatabase(rawPath, options);
    QFile::remove(rawPath);
    std::printf("writing the rows (warm, one round each): program %.1f s, raw %.1f s, ratio "
                "%.2f\n",
                program, raw, raw > 0 ? program / raw : 0);
    return 0;
}

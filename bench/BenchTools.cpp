#include "BenchTools.h"

#include "PracticeGenerator.h"
#include "core/DatabaseSchema.h"
#include "platform/Database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>

namespace BenchTools {

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double runSqliteTool(const QString& path, const QString& sql) {
    QElapsedTimer timer;
    timer.start();
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.start(QStringLiteral("sqlite3"), {path, sql});
    if (!tool.waitForFinished(-1) || tool.exitCode() != 0)
        qFatal("sqlite3 failed: %s", tool.readAllStandardError().constData());
    return timer.nsecsElapsed() / 1e6;
}

QString indexedPracticeFile(const QString& givenPath, qint64 logs) {
    QString path = givenPath;
    if (path.isEmpty()) {
        const QString shared = PracticeGenerator::cachedPracticeFile(logs);
        const QFileInfo info(shared);
        path = info.absolutePath() + QStringLiteral("/indexed-") + info.fileName();
        if (!QFileInfo::exists(path)) {
            std::printf("copying %s ...\n", qPrintable(shared));
            std::fflush(stdout);
            if (!QFile::copy(shared, path + QStringLiteral(".building")))
                qFatal("cannot copy the practice file");
            QFile::rename(path + QStringLiteral(".building"), path);
        }
    }
    QElapsedTimer timer;
    timer.start();
    Schema::ensureIndexes(Database::open(path));
    std::printf("indexes ensured on %s: %.1f s\n", qPrintable(path), timer.elapsed() / 1000.0);
    return path;
}

} // namespace BenchTools

// The data control on a large practice file: opening it on the Display window's record source
// (against the sqlite3 tool listing the same rows), the time of each move, and its memory.
//   bench_data_control [practice.mdb]
// Without an argument it works on the indexed copy of the cached 1,000,000-log practice file.
#include "BenchTools.h"
#include "platform/DataControl.h"
#include "platform/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

const QString Source = QStringLiteral("Select * from Vellagons order by [Beginning Time]");

double residentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

struct Figures {
    double median = 0;
    double max = 0;
};

// Runs fn count times; milliseconds per run.
Figures measure(int count, const std::function<void(int)>& fn) {
    QList<double> times;
    for (int i = 0; i < count; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn(i);
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return {times.at(times.size() / 2), times.last()};
}

double openControl(const QString& path) {
    QElapsedTimer timer;
    timer.start();
    DataControl dc;
    dc.setDatabasePath(path);
    dc.setRecordSource(Source);
    if (!dc.Refresh() || !dc.value(QStringLiteral("Client")).isValid())
        qFatal("the data control did not open on a row");
    return timer.nsecsElapsed() / 1e6;
}

double sqliteTool(const QString& path) {
    return BenchTools::runSqliteTool(
        path, QStringLiteral("SELECT * FROM Vellagons ORDER BY [Beginning Time]"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString path = BenchTools::indexedPracticeFile(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), 1000000);

    // (c) Memory first, while the allocator has nothing to reuse.
    {
        const double before = residentMegabytes();
        DataControl dc;
        dc.setDatabasePath(path);
        dc.setRecordSource(Source);
        dc.Refresh();
        const double after = residentMegabytes();
        std::printf("memory of one open control on %d rows: %.1f MB (target <= 32 MB)\n",
                    dc.RecordCount(), after - before);
    }

    // (a) Opening, including the first current row, against the tool listing the rows.
    openControl(path);
    sqliteTool(path);
    QList<double> ours;
    QList<double> tool;
    for (int i = 0; i < 3; ++i) {
        ours << openControl(path);
        tool << sqliteTool(path);
    }
    std::printf("open on \"%s\": %.0f ms; sqlite3 tool listing the same rows: %.0f ms; "
                "ratio %.3f (target <= 1.5)\n",
                qPrintable(Source), BenchTools::median(ours), BenchTools::median(tool),
                BenchTools::median(ours) / BenchTools::median(tool));

    // (b) Moves, jumps and an unchanged Refresh.
    DataControl dc;
    dc.setDatabasePath(path);
    dc.setRecordSource(Source);
    dc.Refresh();
    const int rows = dc.RecordCount();
    const auto report = [](const char* what, const Figures& f) {
        std::printf("%-34s median %7.3f ms, max %7.3f ms (target < 16 ms)\n", what, f.median,
                    f.max);
    };
    report("MoveNext", measure(2000, [&](int) { dc.MoveNext(); }));
    report("MovePrevious", measure(2000, [&](int) { dc.MovePrevious(); }));
    report("MoveFirst / MoveLast", measure(200, [&](int i) {
               if (i % 2)
                   dc.MoveFirst();
               else
                   dc.MoveLast();
           }));
    QRandomGenerator random(7);
    report("AbsolutePosition jump (slider)",
           measure(500, [&](int) { dc.setAbsolutePosition(1 + int(random.bounded(rows))); }));
    report("Bookmark back", measure(200, [&](int) {
               const QVariant mark = dc.Bookmark();
               dc.setAbsolutePosition(1 + int(random.bounded(rows)));
               dc.setBookmark(mark);
           }));
    report("Refresh, file unchanged", measure(50, [&](int) { dc.Refresh(); }));

    // For the record: a Refresh after another program added a row reads the list again.
    Figures changed = measure(3, [&](int) {
        Database::open(path).exec(
            QStringLiteral("UPDATE Vellagons SET Rate = Rate WHERE rowid = 1"));
        dc.Refresh();
    });
    std::printf("%-34s median %7.1f ms (no target)\n", "Refresh, file changed", changed.median);
    return 0;
}

// The data control on the practice file of 1,000,000 logs against raw SQLite doing the same
// job on a connection of its own: opening a Display window's list (warm and cold), its
// memory, a second control and a second Display window on the same source, the moves, an edit
// written on a move, and a Refresh of an unchanged file.
//   bench_data_control [practice.mdb]
// Without an argument it works on the writable copy of the cached practice file, which the
// cold rounds drop from the page cache.
#include "BenchTools.h"
#include "core/logic/SharedState.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/windows/frmDisplay.h"

#include <QApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <cstdio>

using namespace BenchTools;

namespace {

const QString Source = QStringLiteral("Select * from Vellagons order by [Beginning Time]");
const QString AllIds =
    QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid");

void open(DataControl& dc, const QString& path) {
    dc.setDatabasePath(path);
    dc.setRecordSource(Source);
    if (!dc.Refresh() || !dc.value(QStringLiteral("Client")).isValid() || !dc.MoveLast())
        qFatal("the data control did not open on a row");
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    WidgetSeams::install();
    const QString path = practiceFile(argc, argv, Use::Write);
    std::printf("%s\n", qPrintable(path));
    bool met = true;

    // Memory: a control on every log, a second one on the same source, and a second Display
    // window beside a first one.
    {
        double before = heapMegabytes();
        DataControl first;
        open(first, path);
        const double one = heapMegabytes() - before;
        before = heapMegabytes();
        const RawSqlite raw(path);
        const RawIds ids = raw.ids(AllIds);
        const double rawList = heapMegabytes() - before;
        before = heapMegabytes();
        DataControl second;
        open(second, path);
        const double two = heapMegabytes() - before;
        std::printf("memory of one open control on %d rows: %.1f MB (raw SQLite's list of ids "
                    "%.1f MB); of a second control on the same source: %.1f MB (target < 2 MB) "
                    "%s\n",
                    first.RecordCount(), one, rawList, two, two < 2 ? "met" : "MISSED");
        met = met && two < 2;
    }
    gstrDatabasePath = path;
    {
        frmDisplay first;
        const double before = heapMegabytes();
        frmDisplay second;
        const double window = heapMegabytes() - before;
        std::printf("memory of a second Display window on the same source: %.1f MB (target < 2 "
                    "MB) %s\n",
                    window, window < 2 ? "met" : "MISSED");
        met = met && window < 2;
    }

    // Opening: the file, the ordered list of every log, the first row and the newest.
    const auto rawOpen = [&] {
        const RawSqlite raw(path);
        const RawIds ids = raw.ids(AllIds);
        RawRow row(raw, QStringLiteral("Vellagons"));
        row.read(ids.front());
        row.read(ids.back());
    };
    const auto programOpen = [&] {
        DataControl dc;
        open(dc, path);
    };
    met &= report(QStringLiteral("open a Display window's list"), Cache::Warm,
                  alternate(6, Cache::Warm, path, programOpen, rawOpen), 1.1);
    met &= report(QStringLiteral("open a Display window's list"), Cache::Cold,
                  alternate(4, Cache::Cold, path, programOpen, rawOpen), 1.1);

    // A second control and a second window beside an open one share its list; raw SQLite
    // reads the list again.
    DataControl dc;
    open(dc, path);
    const RawSqlite raw(path);
    RawRow row(raw, QStringLiteral("Vellagons"));
    const auto rawAgain = [&] {
        const RawIds ids = raw.ids(AllIds);
        row.read(ids.front());
        row.read(ids.back());
    };
    met &= report(QStringLiteral("a second control on the same source"), Cache::Warm,
                  alternate(
                      10, Cache::Warm, path,
                      [&] {
                          DataControl second;
                          open(second, path);
                      },
                      rawAgain),
                  0, 20);
    {
        frmDisplay first;
        met &= report(QStringLiteral("a second Display window (offscreen)"), Cache::Warm,
                      alternate(
                          10, Cache::Warm, path, [&] { frmDisplay second; }, rawAgain),
                      0, 20);
    }

    // Moves: each reads the row it arrives at. Both sides take the same positions, one after
    // the other.
    const RawIds ids = raw.ids(AllIds);
    const int rows = dc.RecordCount();
    if (rows != int(ids.size()))
        qFatal("the control lists %d rows, raw SQLite %d", rows, int(ids.size()));
    constexpr int Moves = 500;
    QRandomGenerator random(7);
    QList<int> positions; // 1-based
    for (int i = 0; i < Moves + 2; ++i)
        positions << 1 + int(random.bounded(rows));
    const auto moves = [&](const char* what, const std::function<void(int)>& program,
                           const std::function<void(int)>& rawMove) {
        met &= report(QString::fromLatin1(what), Cache::Warm,
                      alternateSteps(Moves, Cache::Warm, path, program, rawMove), 1.5, 16);
    };
    const int middle = rows / 2;
    dc.setAbsolutePosition(middle);
    moves(
        "MoveNext", [&](int) { dc.MoveNext(); }, [&](int i) { row.read(ids[middle + i]); });
    dc.setAbsolutePosition(middle);
    moves(
        "MovePrevious", [&](int) { dc.MovePrevious(); },
        [&](int i) { row.read(ids[middle - 2 - i]); });
    moves(
        "AbsolutePosition jump (the slider)", [&](int i) { dc.setAbsolutePosition(positions[i]); },
        [&](int i) { row.read(ids[positions[i] - 1]); });
    moves(
        "MoveFirst / MoveLast", [&](int i) { i % 2 ? dc.MoveFirst() : dc.MoveLast(); },
        [&](int i) { row.read(i % 2 ? ids.front() : ids.back()); });
    // An edit written on the move: the summary of the row shown is changed, and the move to the
    // next row writes it (one statement that names the row as it was read, committed) and reads
    // that row. Raw SQLite writes the same value into a row by its id alone and reads the next.
    {
        RawStatement summary(raw, "UPDATE Vellagons SET [Log Summary] = ? WHERE rowid = ?");
        // New values at every run: the engine writes nothing for a value that is already there.
        const QString run = QString::number(QDateTime::currentMSecsSinceEpoch());
        const auto text = [&run](int i) {
            return QStringLiteral("edited %1 %2").arg(run).arg(i);
        };
        dc.setAbsolutePosition(middle);
        met &= report(QStringLiteral("an edit written on MoveNext"), Cache::Warm,
                      alternateSteps(
                          Moves, Cache::Warm, path,
                          [&](int i) {
                              dc.setValue(QStringLiteral("Log Summary"), text(i));
                              if (!dc.MoveNext())
                                  qFatal("the edit was not written");
                          },
                          [&](int i) {
                              summary.bind(1, text(i));
                              // Rows of their own, below the program's: each side finds
                              // its rows as it read them.
                              summary.bind(2, ids[middle - 2 - i]);
                              summary.run();
                              row.read(ids[middle - 3 - i]);
                          }),
                      1.5);
    }
    // Back to a bookmark taken at a random row: finding it in the list, then the row.
    QList<QVariant> marks;
    for (int i = 0; i < Moves + 2; ++i) {
        dc.setAbsolutePosition(positions[i]);
        marks << dc.Bookmark();
    }
    moves(
        "Bookmark back", [&](int i) { dc.setBookmark(marks[i]); },
        [&](int i) { row.read(*std::find(ids.begin(), ids.end(), marks[i].toLongLong())); });
    // An unchanged file is not read again: the control learns so and stands on its first row.
    moves(
        "Refresh, file unchanged", [&](int) { dc.Refresh(); },
        [&](int) {
            raw.ids(QStringLiteral("PRAGMA data_version"));
            row.read(ids.front());
        });

    return targets(met);
}

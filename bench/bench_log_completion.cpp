// Completing a log on the practice file of 1,000,000 logs, and the Refresh of the Display
// windows open on it afterwards, against raw SQLite doing the same jobs on a connection of its
// own: the same row inserted, and the ordered list of ids read again.
//   bench_log_completion [practice.mdb]
// Without an argument it works on the writable copy of the cached practice file; the logs it
// adds are deleted again at the end.
#include "BenchTools.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/StoredDate.h"
#include "timelog/logic/LogCompletion.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

const QString Source = QStringLiteral("Select * from Vellagons order by [Beginning Time]");
const QString AllIds =
    QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid");
constexpr int Windows = 3;

LogCompletion::Entry entry(const QDateTime& beginning) {
    LogCompletion::Entry e;
    e.client = QStringLiteral("Bench, Completion"); // the rows deleted again at the end
    e.employee = QStringLiteral("Doe, Jane");
    e.project = QStringLiteral("MARKETING");
    e.rate = QStringLiteral("250");
    e.notesText =
        QStringLiteral("Telephone conference with client regarding the settlement. ").repeated(16);
    e.notesHtml =
        QStringLiteral("<html><body><p>") + e.notesText + QStringLiteral("</p></body></html>");
    e.beginning = beginning;
    e.ending = beginning.addSecs(47 * 60);
    return e;
}

// The raw side of a completion: the same row, inserted by a prepared statement.
class RawInsert {
public:
    explicit RawInsert(const RawSqlite& raw)
        : m_statement(raw, "INSERT INTO [Vellagons] ([Client], [Employee], [Project], [Rate], "
                           "[Log Summary], [Vellagon], [VellaGraphic], [Beginning Time], "
                           "[Ending Time], [Duration], [Fee]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, "
                           "?, ?)") {}

    void insert(const LogCompletion::Log& log) {
        m_statement.bind(1, log.client);
        m_statement.bind(2, log.employee);
        m_statement.bind(3, log.project);
        m_statement.bind(4, log.rate);
        m_statement.bind(5, log.logSummary);
        m_statement.bind(6, log.vellagon);
        m_statement.bind(7, log.vellaGraphic);
        m_statement.bind(8, StoredDate::toSqlValue(log.beginning).toString());
        m_statement.bind(9, StoredDate::toSqlValue(log.ending).toString());
        sqlite3_bind_double(m_statement.handle(), 10, log.duration.toDouble());
        sqlite3_bind_double(m_statement.handle(), 11, log.fee.toDouble());
        m_statement.run();
    }

private:
    RawStatement m_statement;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QString path = practiceFile(argc, argv, Use::Write);
    std::printf("%s\n", qPrintable(path));
    bool met = true;

    // The Display windows open on the file, each on its newest log.
    std::vector<std::unique_ptr<DataControl>> windows;
    for (int i = 0; i < Windows; ++i) {
        windows.push_back(std::make_unique<DataControl>());
        windows.back()->setDatabasePath(path);
        windows.back()->setRecordSource(Source);
        if (!windows.back()->Refresh() || !windows.back()->MoveLast())
            qFatal("no logs");
    }
    const Database db = Database::open(path);
    const RawSqlite raw(path);
    const QDateTime newest =
        QDateTime::fromString(db.scalar(QStringLiteral("SELECT max([Beginning Time]) FROM "
                                                       "Vellagons"))
                                  .toString(),
                              QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    int completed = 0;
    const auto complete = [&](const QDateTime& beginning) {
        const LogCompletion::Outcome outcome =
            LogCompletion::complete(path, entry(beginning.addSecs(60 * ++completed)));
        if (!outcome.saved)
            qFatal("%s", qPrintable(outcome.message));
    };
    const auto newestId = [&] {
        return db.scalar(QStringLiteral("SELECT max(rowid) FROM Vellagons")).toLongLong();
    };

    // After a log was completed (newest, or dated back a year) or deleted, each window's
    // Refresh, as it runs when the window is activated or left; raw SQLite reads the list
    // again. The change itself is not timed.
    const auto refreshAfter = [&](const QString& job, const std::function<void()>& change) {
        Rounds first;
        Rounds others;
        for (int round = 0; round < 8; ++round) {
            change();
            first.program << milliseconds([&] { windows[0]->RefreshKeepingRow(); });
            others.program << milliseconds([&] {
                for (int i = 1; i < Windows; ++i)
                    windows[i]->RefreshKeepingRow();
            });
            const double rawRead = milliseconds([&] { raw.ids(AllIds); });
            first.raw << rawRead;
            others.raw << rawRead * (Windows - 1);
        }
        met &= report(job + QStringLiteral(": the first window"), Cache::Warm, first, 0, 16);
        met &= report(job + QStringLiteral(": %1 more windows").arg(Windows - 1), Cache::Warm,
                      others, 0, 16);
        if (windows[0]->RecordCount() != int(raw.ids(AllIds).size()))
            qFatal("the refreshed list differs from a fresh read");
    };
    refreshAfter(QStringLiteral("Refresh after a log was completed"), [&] { complete(newest); });
    refreshAfter(QStringLiteral("Refresh after a log dated back a year"),
                 [&] { complete(newest.addYears(-1)); });
    refreshAfter(QStringLiteral("Refresh after a log was deleted"), [&] {
        db.exec(QStringLiteral("DELETE FROM Vellagons WHERE rowid = ?"), {newestId()});
    });

    // Completing a log: the checks, the duration and fee, and the write of one row. Both sides
    // write rows alike, each a minute after the last one either wrote; the entries are typed
    // beforehand, as the raw side's rows are made beforehand.
    RawInsert rawInsert(raw);
    // Each write waits for the disk: enough rounds that its spread evens out.
    constexpr int rounds = 200;
    QList<LogCompletion::Entry> typed;
    QList<LogCompletion::Log> rawLogs;
    for (int i = 0; i < rounds + 1; ++i) { // one more for each side's unmeasured first run
        typed << entry(newest.addSecs(60 * ++completed));
        rawLogs << LogCompletion::prepare(entry(newest.addSecs(60 * ++completed))).log;
    }
    met &= report(QStringLiteral("complete a log (raw: its insert alone, no checks)"), Cache::Warm,
                  alternate(
                      rounds, Cache::Warm, path,
                      [&] {
                          if (!LogCompletion::complete(path, typed.takeFirst()).saved)
                              qFatal("a log was not completed");
                      },
                      [&] { rawInsert.insert(rawLogs.takeFirst()); }),
                  1.05);

    db.exec(QStringLiteral("DELETE FROM Vellagons WHERE Client = ?"), {entry(newest).client});
    return targets(met);
}

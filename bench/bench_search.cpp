// Searches on a large practice file: a search by client, employee, project and log text, each
// over all time and over the last six months, opening its Display window (the data control on
// the statement with its first row and a move to the newest log, and a whole offscreen Display
// window), against the sqlite3 tool running the same translated statement.
//   bench_search [practice.mdb]
// Without an argument it works on the indexed copy of the cached 1,000,000-log practice file.
#include "BenchTools.h"
#include "core/SharedState.h"
#include "platform/Clock.h"
#include "platform/DataControl.h"
#include "platform/Database.h"
#include "platform/JetSql.h"
#include "timelog/SearchStatements.h"
#include "timelog/frmDisplay.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSqlQuery>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace SearchStatements;

namespace {

// Milliseconds of fn: the median of three runs after one to warm the caches.
double timed(const std::function<void()>& fn) {
    fn();
    QList<double> times;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        fn();
        times << timer.nsecsElapsed() / 1e6;
    }
    return BenchTools::median(times);
}

// The data control as the search's window opens it: the statement, its first row, the newest.
int openControl(const QString& path, const QString& statement) {
    DataControl dc;
    dc.setDatabasePath(path);
    dc.setRecordSource(statement);
    if (!dc.Refresh())
        qFatal("the statement was refused: %s", qPrintable(statement));
    if (dc.RecordCount() > 0 && !dc.value(QStringLiteral("Client")).isValid())
        qFatal("no first row");
    dc.MoveLast();
    return dc.RecordCount();
}

// A whole Display window, offscreen, loaded on the statement as a search opens it.
void openWindow(const QString& path, const QString& statement) {
    gstrDatabasePath = path;
    const frmDisplay::OpeningSource source(statement);
    frmDisplay window;
    window.Adodc1->MoveLast();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = BenchTools::indexedPracticeFile(
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString(), 1000000);
    const Database db = Database::open(path);

    // The values sought: those of a log in the middle of the file, and a phrase of the notes.
    Sought sought;
    {
        QSqlQuery row =
            db.exec(QStringLiteral("SELECT Client, Employee, Project FROM Vellagons "
                                   "WHERE rowid = (SELECT max(rowid) / 2 FROM Vellagons)"));
        if (!row.next())
            qFatal("the file has no logs");
        sought.client = row.value(0).toString();
        sought.employee = row.value(1).toString();
        sought.project = row.value(2).toString();
        sought.text = QStringLiteral("mediation judgment");
    }
    const std::optional<DateRange> sixMonths = recentRange(LastSixMonths, Clock::today());

    struct Case {
        const char* name;
        int type;
        bool bounded; // under 300 ms
    };
    const Case cases[] = {{"client", AnotherClient, true},
                          {"employee", Employee, true},
                          {"project", Project, true},
                          {"log text", LogText, false}};
    bool allMet = true;
    std::printf("%-9s %-11s %8s %12s %12s %12s %7s %s\n", "search", "time frame", "logs",
                "control ms", "window ms", "sqlite3 ms", "ratio", "targets");
    for (const Case& c : cases) {
        for (const std::optional<DateRange>& range : {std::optional<DateRange>(), sixMonths}) {
            const std::optional<Search> search =
                SearchStatements::search(c.type, QString(), sought);
            const QString statement = finish(*search, c.type, range);
            int logs = 0;
            const double control = timed([&] { logs = openControl(path, statement); });
            const double window = timed([&] { openWindow(path, statement); });
            const double tool =
                timed([&] { BenchTools::runSqliteTool(path, JetSql::translate(statement)); });
            const double ratio = std::max(control, window) / tool;
            const bool met = ratio <= 1.5 && (!c.bounded || window < 300);
            allMet = allMet && met;
            std::printf("%-9s %-11s %8d %12.1f %12.1f %12.1f %7.3f %s\n", c.name,
                        range ? "six months" : "all", logs, control, window, tool, ratio,
                        met ? "met" : "MISSED");
        }
    }
    std::printf("targets: window and control within 1.5x the sqlite3 tool; under 300 ms for "
                "client, employee and project: %s\n",
                allMet ? "all met" : "MISSED");
    return 0;
}

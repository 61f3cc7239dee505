// The contact database on the generator's practice file (3,000 clients with full contact rows):
// opening the window on its last row, navigator steps and scroll-bar jumps, and the active
// clients report, each against a routine over the sqlite3 C API on its own connection in the
// same process that reads the same rows (the same row ids in the same order, the same row of
// every column; for the report the same statement with the same functions).
//   bench_contact_database [practice.mdb]
// It only reads the file: browsing writes nothing.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "clients/logic/ActiveClientsReport.h"
#include "clients/windows/frmActiveClients.h"
#include "core/logic/SharedState.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/JetFunctions.h"
#include "platform/data/JetSql.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/WidgetSeams.h"
#include "reports/DataReport2.h"

#include <QApplication>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

const char* const Ids = "SELECT rowid FROM [Active Clients] ORDER BY [Client Last Name], "
                        "[Client First Name]";
const char* const Row = "SELECT * FROM [Active Clients] WHERE rowid = ?";

// Every column of the current row as text, as the window shows it.
int readColumns(const RawStatement& statement) {
    int bytes = 0;
    for (int i = 0; i < statement.columns(); ++i)
        if (const unsigned char* text = sqlite3_column_text(statement.handle(), i))
            bytes += int(std::strlen(reinterpret_cast<const char*>(text)));
    return bytes;
}

RawIds rawIds(const RawSqlite& raw) {
    RawStatement statement(raw, Ids);
    RawIds ids;
    while (statement.next())
        ids.append(sqlite3_column_int64(statement.handle(), 0));
    return ids;
}

int rawRow(const RawSqlite& raw, qint64 id) {
    RawStatement statement(raw, Row);
    statement.bind(1, id);
    return statement.next() ? readColumns(statement) : 0;
}

int rawReport(const RawSqlite& raw) {
    RawStatement statement(raw, JetSql::translate(ActiveClientsReport::statement()).toUtf8());
    int rows = 0;
    while (statement.next()) {
        readColumns(statement);
        ++rows;
    }
    return rows;
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    WidgetSeams::install();
    // The Display window that opens the contact database has the file open already.
    const auto& [path, db, raw] = OpenPractice(argc, argv);
    registerJetFunctions(raw.handle());
    gstrDatabasePath = path;
    const RawIds ids = rawIds(raw);
    bool met = true;

    std::printf("contact database on %s: %d active clients\n", qPrintable(path), int(ids.size()));
    met &= report(QStringLiteral("open on the last row"), Cache::Warm,
                  alternate(
                      7, Cache::Warm, path,
                      [&] {
                          frmActiveClients window;
                          window.Form_Load();
                          window.show();
                          QCoreApplication::sendPostedEvents();
                          if (window.Adodc1->AbsolutePosition() != int(ids.size()))
                              qFatal("the window did not open on its last row");
                      },
                      [&] { rawRow(raw, rawIds(raw).back()); }),
                  0, 100);

    // Steps and jumps: each reads the row it arrives at; both sides take the same rows, one
    // after the other. The slowest of them counts as much as their median: each is a frame.
    frmActiveClients window;
    window.Form_Load();
    window.show();
    QCoreApplication::sendPostedEvents();
    const int rows = window.Adodc1->RecordCount();
    constexpr int Moves = 1000;
    const auto moves = [&](const char* what, const std::function<void(int)>& program,
                           const std::function<void(int)>& rawMove) {
        const Rounds rounds = alternateSteps(Moves, Cache::Warm, path, program, rawMove);
        met &= report(QString::fromLatin1(what), Cache::Warm, rounds, 0, 16);
        const double slowest = *std::max_element(rounds.program.begin(), rounds.program.end());
        std::printf("  its slowest: %.3f ms (target < 16 ms) %s\n", slowest,
                    slowest < 16 ? "met" : "MISSED");
        met = met && slowest < 16;
    };
    window.Adodc1Navigator->first();
    moves(
        "navigator step (next)", [&](int) { window.Adodc1Navigator->next(); },
        [&](int i) { rawRow(raw, ids[std::size_t(i) + 1]); });
    QRandomGenerator random(7);
    QList<int> values;
    QList<std::size_t> jumpRows;
    for (int i = 0; i < Moves + 1; ++i) {
        values << int(random.bounded(window.HScroll1->maximum() + 1));
        jumpRows << std::size_t(random.bounded(rows));
    }
    moves(
        "scroll-bar jump", [&](int i) { window.HScroll1->setValue(values[i]); },
        [&](int i) { rawRow(raw, ids[jumpRows[i]]); });

    const auto rawReportRows = [&] {
        if (rawReport(raw) != rows)
            qFatal("the report statement read another number of rows");
    };
    const Rounds reportData = alternate(
        5, Cache::Warm, path, [&] { ActiveClientsReport::records(db); }, rawReportRows);
    report(QStringLiteral("report rows read"), Cache::Warm, reportData, 0);
    report(QStringLiteral("report: its first page (shown at once)"), Cache::Warm,
           alternate(
               5, Cache::Warm, path,
               [&] {
                   DataReport2 report;
                   report.setDataSource(ActiveClientsReport::records(db));
                   report.document().page(0);
               },
               rawReportRows),
           0);
    const std::shared_ptr<const ReportRecordSource> records = ActiveClientsReport::records(db);
    QList<double> allPages;
    int pages = 0;
    for (int round = 0; round < 5; ++round) {
        DataReport2 report;
        report.setDataSource(records);
        allPages << milliseconds([&] { pages = report.document().pageCount(); });
    }
    reportProgram(QStringLiteral("report: every page laid out (%1 pages)").arg(pages), Cache::Warm,
                  allPages);
    const double whole = median(reportData.program) + median(allPages);
    std::printf("  with its rows read: %.1f ms (target < 2000 ms) %s\n", whole,
                whole < 2000 ? "met" : "MISSED");
    met = met && whole < 2000;
    return targets(met);
}

// The contact database on the generator's practice file (3,000 clients with full contact rows):
// opening the window on its last row, navigator steps and scroll-bar jumps, and the active
// clients report, each against a routine over the sqlite3 C API on its own connection in the
// same process that reads the same rows (the same row ids in the same order, the same row of
// every column; for the report the same statement with the same functions).
//   bench_contact_database [practice.mdb]
// It only reads the file: browsing writes nothing.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "clients/ActiveClientsReport.h"
#include "clients/frmActiveClients.h"
#include "core/SharedState.h"
#include "platform/DataControl.h"
#include "platform/DataNavigator.h"
#include "platform/Database.h"
#include "platform/JetFunctions.h"
#include "platform/JetSql.h"
#include "platform/RecordScrollBar.h"
#include "platform/ReportData.h"
#include "reports/DataReport2.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

const char* const Ids = "SELECT rowid FROM [Active Clients] ORDER BY [Client Last Name], "
                        "[Client First Name]";
const char* const Row = "SELECT * FROM [Active Clients] WHERE rowid = ?";

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

sqlite3_stmt* prepare(sqlite3* db, const QByteArray& sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    return statement;
}

// Every column of the current row as text, as the window shows it.
int readColumns(sqlite3_stmt* statement) {
    int bytes = 0;
    for (int i = 0; i < sqlite3_column_count(statement); ++i)
        if (const unsigned char* text = sqlite3_column_text(statement, i))
            bytes += int(std::strlen(reinterpret_cast<const char*>(text)));
    return bytes;
}

std::vector<qint64> rawIds(sqlite3* db) {
    sqlite3_stmt* statement = prepare(db, Ids);
    std::vector<qint64> ids;
    while (sqlite3_step(statement) == SQLITE_ROW)
        ids.push_back(sqlite3_column_int64(statement, 0));
    sqlite3_finalize(statement);
    return ids;
}

int rawRow(sqlite3* db, qint64 id) {
    sqlite3_stmt* statement = prepare(db, Row);
    sqlite3_bind_int64(statement, 1, id);
    int bytes = 0;
    if (sqlite3_step(statement) == SQLITE_ROW)
        bytes = readColumns(statement);
    sqlite3_finalize(statement);
    return bytes;
}

int rawReport(sqlite3* db) {
    sqlite3_stmt* statement =
        prepare(db, JetSql::translate(ActiveClientsReport::statement()).toUtf8());
    int rows = 0;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        readColumns(statement);
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

struct Figures {
    QList<double> program;
    QList<double> raw;
};

void print(const char* what, const Figures& f, const char* target) {
    const double pMin = *std::min_element(f.program.begin(), f.program.end());
    const double rMin = *std::min_element(f.raw.begin(), f.raw.end());
    const double pMax = *std::max_element(f.program.begin(), f.program.end());
    const double pMedian = BenchTools::median(f.program);
    const double rMedian = BenchTools::median(f.raw);
    std::printf("%-30s %9.3f %9.3f %9.3f %9.3f %9.3f %7.1f %7.1f  %s\n", what, pMin, rMin, pMedian,
                rMedian, pMax, pMin / rMin, pMedian / rMedian, target);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : PracticeGenerator::cachedPracticeFile(1000000);
    // The Display window that opens the contact database has the file open already.
    const Database db = Database::open(path);
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));
    registerJetFunctions(raw);
    gstrDatabasePath = path;

    // One round of each first, untimed: the file's pages are in the cache from then on.
    const std::vector<qint64> ids = rawIds(raw);
    rawRow(raw, ids.back());
    delete new frmActiveClients;

    Figures opening;
    for (int round = 0; round < 7; ++round) {
        opening.program << milliseconds([&] {
            frmActiveClients window;
            window.Form_Load();
            window.show();
            QCoreApplication::sendPostedEvents();
            if (window.Adodc1->AbsolutePosition() != int(ids.size()))
                qFatal("the window did not open on its last row");
        });
        opening.raw << milliseconds([&] { rawRow(raw, rawIds(raw).back()); });
    }

    frmActiveClients window;
    window.Form_Load();
    window.show();
    QCoreApplication::sendPostedEvents();
    const int rows = window.Adodc1->RecordCount();
    Figures steps;
    window.Adodc1Navigator->first();
    for (int i = 1; i < 1000; ++i) {
        steps.program << milliseconds([&] { window.Adodc1Navigator->next(); });
        steps.raw << milliseconds([&] { rawRow(raw, ids[std::size_t(i)]); });
    }
    Figures jumps;
    QRandomGenerator random(7);
    for (int i = 0; i < 1000; ++i) {
        const int value = int(random.bounded(window.HScroll1->maximum() + 1));
        const std::size_t row = std::size_t(random.bounded(rows));
        jumps.program << milliseconds([&] { window.HScroll1->setValue(value); });
        jumps.raw << milliseconds([&] { rawRow(raw, ids[row]); });
    }

    Figures reportData;
    Figures firstPage;
    QList<double> allPages;
    int pages = 0;
    for (int round = 0; round < 5; ++round) {
        std::shared_ptr<const ReportRecordSource> records;
        reportData.program << milliseconds([&] { records = ActiveClientsReport::records(db); });
        reportData.raw << milliseconds([&] {
            if (rawReport(raw) != rows)
                qFatal("the report statement read another number of rows");
        });
        firstPage.program << milliseconds([&] {
            DataReport2 report;
            report.setDataSource(ActiveClientsReport::records(db));
            report.document().page(0);
        });
        firstPage.raw << reportData.raw.last();
        DataReport2 report;
        report.setDataSource(records);
        allPages << milliseconds([&] { pages = report.document().pageCount(); });
    }
    sqlite3_close(raw);

    std::printf("contact database on %s: %d active clients (warm cache, alternating rounds)\n",
                qPrintable(path), rows);
    std::printf("%-30s %9s %9s %9s %9s %9s %7s %7s\n", "", "program", "raw", "program", "raw",
                "program", "ratio", "ratio");
    std::printf("%-30s %9s %9s %9s %9s %9s %7s %7s\n", "", "min ms", "min ms", "median", "median",
                "max ms", "min", "median");
    print("open on the last row", opening, "(target < 100 ms)");
    print("navigator step (next)", steps, "(target < 16 ms)");
    print("scroll-bar jump", jumps, "(target < 16 ms)");
    print("report rows read", reportData, "");
    print("report: its first page", firstPage, "(shown at once)");
    std::printf("%-30s %9.1f %9s %9.1f   (%d pages; no raw counterpart; target < 2000 ms with "
                "the rows read)\n",
                "report: every page laid out", *std::min_element(allPages.begin(), allPages.end()),
                "", BenchTools::median(allPages), pages);
    return 0;
}

// The invoice on the generator's 1,000,000-log practice file: one client's logs over one year,
// and over ten years (a few hundred logs). Each round reads the logs through the program
// (the invoice's statement, all columns of every row) and through a routine over the sqlite3
// C API on its own connection running the same translated statement with the same
// parameters; then the program lays out the invoice's first page (letter heading composed
// from the client's row, rows read, captions, fonts, the page with its "Page 1 of N").
//   bench_invoice [practice.mdb]
// It only reads the file.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "billing/Invoice.h"
#include "billing/LetterHeading.h"
#include "billing/Letterhead.h"
#include "platform/Database.h"
#include "platform/JetSql.h"
#include "platform/ReportData.h"
#include "platform/ReportDocument.h"
#include "platform/StoredDate.h"
#include "reports/DataReport3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>

namespace {

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

// The first page as the command shows it.
int firstPage(const Database& db, const QString& client, const QDate& begin, const QDate& end) {
    using namespace LetterHeading;
    const std::optional<QString> letterhead = Letterhead::read(db);
    const ClientName name = splitName(client);
    const Parts parts = compose(name, findClient(db, name), Letter::Invoice);
    DataReport3 report;
    report.setDataSource(Invoice::records(db, client, begin, end));
    setCaptions(report, letterheadPart(letterhead.value_or(QString())), parts, end);
    applyFonts(report, Fonts{}, Letter::Invoice);
    report.document().page(0);
    return report.dataSource()->rowCount();
}

struct Figures {
    QList<double> program;
    QList<double> raw;
};

double minOf(const QList<double>& v) {
    return *std::min_element(v.begin(), v.end());
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : PracticeGenerator::cachedPracticeFile(1000000);
    const Database db = Database::open(path);
    sqlite3* raw = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK)
        qFatal("cannot open %s", qPrintable(path));

    // The client with the most logs in the file's last year, and that year's end.
    const QDate last =
        StoredDate::fromStored(db.scalar("SELECT max([Beginning Time]) FROM Vellagons")).date();
    const QDate yearBegin = last.addYears(-1).addDays(1);
    const QString client =
        db.scalar("SELECT Client FROM Vellagons WHERE [Beginning Time] >= ? GROUP BY Client "
                  "ORDER BY count(*) DESC, Client LIMIT 1",
                  {StoredDate::toStored(yearBegin.startOfDay())})
            .toString();
    const QByteArray sql = JetSql::translate(Invoice::statement()).toUtf8();

    std::printf("invoice of %s on %s (warm cache: one untimed round first; 7 alternating "
                "rounds)\n",
                qPrintable(client), qPrintable(path));
    std::printf("%-26s %6s %9s %9s %9s %9s %7s %7s  %s\n", "", "logs", "program", "raw", "program",
                "raw", "ratio", "ratio", "");
    std::printf("%-26s %6s %9s %9s %9s %9s %7s %7s\n", "", "", "min ms", "min ms", "median",
                "median", "min", "median");
    bool met = true;
    for (const int years : {1, 10}) {
        const QDate begin = last.addYears(-years).addDays(1);
        const QVariantList params = Invoice::parameters(client, begin, last);
        int rows = BenchTools::readRows(raw, sql, params);
        Invoice::records(db, client, begin, last);
        firstPage(db, client, begin, last);
        Figures query;
        QList<double> page;
        for (int round = 0; round < 7; ++round) {
            query.program << milliseconds([&] {
                if (Invoice::records(db, client, begin, last)->rowCount() != rows)
                    qFatal("the program read another number of logs");
            });
            query.raw << milliseconds([&] { rows = BenchTools::readRows(raw, sql, params); });
            page << milliseconds([&] { firstPage(db, client, begin, last); });
        }
        const double ratioMin = minOf(query.program) / minOf(query.raw);
        const double ratioMedian =
            BenchTools::median(query.program) / BenchTools::median(query.raw);
        const double pageMedian = BenchTools::median(page);
        met = met && ratioMedian <= 1.5 && pageMedian < 300;
        const QByteArray what =
            QStringLiteral("query, %1 year%2").arg(years).arg(years > 1 ? "s" : "").toUtf8();
        std::printf("%-26s %6d %9.3f %9.3f %9.3f %9.3f %7.2f %7.2f  (target <= 1.5)\n",
                    what.constData(), rows, minOf(query.program), minOf(query.raw),
                    BenchTools::median(query.program), BenchTools::median(query.raw), ratioMin,
                    ratioMedian);
        std::printf("%-26s %6d %9.3f %9s %9.3f %9s %7s %7s  (target < 300 ms)\n",
                    "  first page shown", rows, minOf(page), "", pageMedian, "", "", "");
    }
    sqlite3_close(raw);
    std::printf("targets: %s\n", met ? "met" : "MISSED");
    return 0;
}

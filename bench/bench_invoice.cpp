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
#include "billing/logic/Invoice.h"
#include "billing/logic/LetterHeading.h"
#include "billing/logic/Letterhead.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"
#include "platform/data/StoredDate.h"
#include "platform/reporting/ReportData.h"
#include "platform/reporting/ReportDocument.h"
#include "reports/DataReport3.h"

#include <QApplication>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

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

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    const auto& [path, db, raw] = OpenPractice(argc, argv);

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

    std::printf("invoice of %s on %s\n", qPrintable(client), qPrintable(path));
    bool met = true;
    for (const int years : {1, 10}) {
        const QDate begin = last.addYears(-years).addDays(1);
        const QVariantList params = Invoice::parameters(client, begin, last);
        const int rows = readRows(raw, sql, params);
        const QString span =
            QStringLiteral("%1 year%2, %3 logs").arg(years).arg(years > 1 ? "s" : "").arg(rows);
        met &= report(QStringLiteral("query, %1").arg(span), Cache::Warm,
                      alternate(
                          7, Cache::Warm, path,
                          [&] {
                              if (Invoice::records(db, client, begin, last)->rowCount() != rows)
                                  qFatal("the program read another number of logs");
                          },
                          [&] { readRows(raw, sql, params); }),
                      1.2);
        firstPage(db, client, begin, last);
        QList<double> page;
        for (int round = 0; round < 7; ++round)
            page << milliseconds([&] { firstPage(db, client, begin, last); });
        met &= reportProgram(QStringLiteral("  first page shown"), Cache::Warm, page, 300);
    }
    return targets(met);
}

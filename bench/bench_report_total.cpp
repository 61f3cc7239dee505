// The total of a money column as a report adds it: the fees of every log of the cached
// 1,000,000-log practice file read into a record source and added up by the report runtime
// (exact, in the money type), against a routine over the sqlite3 C API in the same process
// that reads the same column and adds it up in whole ten-thousandths.
//   bench_report_total [practice.mdb]
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "platform/data/Database.h"
#include "platform/reporting/ReportData.h"
#include "platform/reporting/ReportDocument.h"

#include <QApplication>
#include <cmath>
#include <cstdio>
#include <memory>
#include <sqlite3.h>
#include <vector>

using namespace BenchTools;

namespace {

const char* const Statement = "SELECT Fee FROM Vellagons";

// A report of nothing but the total of the fees, shown exactly.
ReportLayout totalLayout() {
    ReportLayout layout(QStringLiteral("Fees"), 9000);
    layout.reportFooter().setHeight(300);
    layout.reportFooter()
        .addFunction(QStringLiteral("Total"), QStringLiteral("Fee"), 0, 0, 3000, 285)
        .setFormat(QStringLiteral("0.0000"));
    return layout;
}

// The record source read and the document made: the runtime adds up its totals as it makes
// the document. Laying out the pages (a million empty blocks here) is another job.
std::unique_ptr<ReportDocument> programTotal(const Database& db) {
    auto source = std::make_shared<SqlRecordSource>(db, QLatin1String(Statement));
    return std::make_unique<ReportDocument>(totalLayout(), source);
}

std::vector<double> rawFees(const RawSqlite& raw) {
    RawStatement statement(raw, Statement);
    std::vector<double> fees; // held as the record source holds its rows
    while (statement.next())
        if (sqlite3_column_type(statement.handle(), 0) != SQLITE_NULL)
            fees.push_back(sqlite3_column_double(statement.handle(), 0));
    return fees;
}

QString rawSum(const std::vector<double>& fees) {
    qint64 total = 0;
    for (const double fee : fees)
        if (__builtin_add_overflow(total, std::llround(fee * 10000.0), &total))
            qFatal("overflow");
    const qint64 whole = total / 10000;
    const qint64 part = std::llabs(total % 10000);
    return QStringLiteral("%1%2.%3")
        .arg(total < 0 && whole == 0 ? QStringLiteral("-") : QString())
        .arg(whole)
        .arg(part, 4, 10, QLatin1Char('0'));
}

QString rawTotal(const RawSqlite& raw) {
    return rawSum(rawFees(raw));
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    const auto& [path, db, raw] = OpenPractice(argc, argv);

    // One round of each first, untimed: the file's pages are in the cache from then on.
    const QString program =
        programTotal(db)->page(0).textsOf(QStringLiteral("Total")).first().text();
    const QString expected = rawTotal(raw);
    if (program != expected)
        qFatal("the totals differ: program %s, raw %s", qPrintable(program), qPrintable(expected));

    // The whole job, and the adding up alone (the rows already read).
    const auto source = std::make_shared<SqlRecordSource>(db, QLatin1String(Statement));
    const std::vector<double> fees = rawFees(raw);
    std::printf("total of the fees of %s: %s (%d rows)\n", qPrintable(path), qPrintable(program),
                source->rowCount());
    report(QStringLiteral("read and add up"), Cache::Warm,
           alternate(
               5, Cache::Warm, path, [&] { programTotal(db); }, [&] { rawTotal(raw); }),
           0);
    report(QStringLiteral("adding up alone"), Cache::Warm,
           alternate(
               5, Cache::Warm, path, [&] { ReportDocument(totalLayout(), source); },
               [&] { rawSum(fees); }),
           0);
    return 0;
}

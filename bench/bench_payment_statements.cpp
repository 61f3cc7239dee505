// The statements of disbursements and of payments on the generator's practice file, for the
// client with the most rows of each kind. Each round reads the client's rows through the
// program (the statement's query, every row read as the report reads it) and through a
// routine over the sqlite3 C API on its own connection running the same translated statement
// with the same parameters. Then the program shows the statement as the command does, short
// of the window: letter heading composed from the client's row, rows read, captions, fonts,
// every page laid out with its "Page n".
//   bench_payment_statements [practice.mdb]
// The rows of one client are a few dozen: the ratio of reading them is that of the fixed cost
// of a statement (its translation, Qt's SQL layer) and is printed without a target; the target
// is the statement shown in under 300 ms.
// It only reads the file. Warm cache only: the cached file is shared, and dropping it from the
// page cache would slow whatever else reads it meanwhile.
#include "BenchTools.h"
#include "billing/logic/LetterHeading.h"
#include "billing/logic/Letterhead.h"
#include "billing/logic/PaymentStatements.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"
#include "platform/reporting/ReportData.h"
#include "platform/reporting/ReportDocument.h"
#include "reports/DataReport4.h"
#include "reports/DataReport5.h"

#include <QApplication>
#include <QSqlQuery>
#include <cstdio>
#include <memory>
#include <sqlite3.h>

using namespace BenchTools;
using namespace PaymentStatements;

namespace {

// Every value of every row, as the report takes them.
int programRows(const Database& db, Kind kind, const LetterHeading::ClientName& name) {
    const auto rows = records(db, kind, name);
    for (int row = 0; row < rows->rowCount(); ++row)
        for (const char* column : {"Description", "Date", "Amount", "Payee"})
            rows->value(row, (kind == Kind::Disbursements ? QStringLiteral("Disbursement ")
                                                          : QStringLiteral("Payment ")) +
                                 QLatin1String(column));
    return rows->rowCount();
}

// The statement as the command shows it: the number of its pages.
int shown(const Database& db, Kind kind, const LetterHeading::ClientName& name) {
    using namespace LetterHeading;
    const std::optional<QString> letterhead = Letterhead::read(db);
    const Parts parts = compose(name, findClient(db, name), letterOf(kind));
    std::unique_ptr<Report> report;
    if (kind == Kind::Disbursements)
        report = std::make_unique<DataReport4>();
    else
        report = std::make_unique<DataReport5>();
    report->setDataSource(records(db, kind, name));
    setCaptions(*report, letterheadPart(letterhead.value_or(QString())), parts, QDate(2026, 12, 8));
    applyFonts(*report, Fonts{}, letterOf(kind));
    return report->document().pageCount();
}

// The client with the most rows of the kind.
LetterHeading::ClientName busiestClient(const Database& db, Kind kind) {
    const QString prefix =
        kind == Kind::Disbursements ? QStringLiteral("Disbursement") : QStringLiteral("Payment");
    QSqlQuery q =
        db.exec(QStringLiteral("SELECT [%1 Client Last Name], [%1 Client First Name] "
                               "FROM %2 GROUP BY 1, 2 ORDER BY count(*) DESC, 1, 2 "
                               "LIMIT 1")
                    .arg(prefix, kind == Kind::Disbursements ? "Disbursements" : "Payments"));
    if (!q.next())
        qFatal("the file has no %ss", qPrintable(prefix.toLower()));
    return {q.value(0).toString(), q.value(1).toString()};
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    const auto& [path, db, raw] = OpenPractice(argc, argv);

    bool met = true;
    for (const Kind kind : {Kind::Disbursements, Kind::Payments}) {
        const LetterHeading::ClientName name = busiestClient(db, kind);
        const QByteArray sql = JetSql::translate(statement(kind)).toUtf8();
        const QVariantList params = parameters(name);
        const char* what = kind == Kind::Disbursements ? "disbursements" : "payments";
        // One untimed run of each first (warm cache), and the same rows on both sides.
        const int rows = readRows(raw, sql, params);
        if (programRows(db, kind, name) != rows)
            qFatal("the program read another number of %s", what);
        const int pages = shown(db, kind, name);
        std::printf("statement of %s of %s, %s on %s: %d rows, %d pages\n", what,
                    qPrintable(name.last), qPrintable(name.first), qPrintable(path), rows, pages);
        met &= report(QStringLiteral("%1: the client's rows").arg(what), Cache::Warm,
                      alternate(
                          9, Cache::Warm, path, [&] { programRows(db, kind, name); },
                          [&] { readRows(raw, sql, params); }),
                      0);
        met &= report(QStringLiteral("%1: statement shown").arg(what), Cache::Warm,
                      alternate(
                          9, Cache::Warm, path, [&] { shown(db, kind, name); },
                          [&] { readRows(raw, sql, params); }),
                      0, 300);
    }
    return targets(met);
}

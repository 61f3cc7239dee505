// The payments and disbursements window on the generator's practice file (20,000 disbursements
// and 20,000 payments): opening it (both navigators on their last row, the payee list read
// whole), a navigator step, and a search (a client's name with an apostrophe, and a fragment
// of an amount, over all the file's dates), each against a routine over the sqlite3 C API on
// its own connection in the same process that reads the same rows (the same row ids in the
// same order, the same payees, the same row of every column).
//   bench_payments [practice.mdb]
// It only reads the file: browsing and searching write nothing.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "billing/frmPaymentsDisbursements.h"
#include "core/DatabaseFile.h"
#include "core/SharedState.h"
#include "platform/DataControl.h"
#include "platform/DataNavigator.h"
#include "platform/Database.h"
#include "platform/DateBox.h"
#include "platform/JetFunctions.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QSet>
#include <QSqlQuery>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

const QString DisbursementIds =
    QStringLiteral("SELECT rowid FROM Disbursements ORDER BY [Disbursement Client Last Name], "
                   "[Disbursement Client First Name], [Disbursement Date], rowid");
const QString PaymentIds =
    QStringLiteral("SELECT rowid FROM Payments ORDER BY [Payment Client Last Name], [Payment "
                   "Client First Name], [Payment Date], rowid");

// Each payee once, in the order of the rows, as the window lists them.
int rawPayees(const RawSqlite& raw) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(raw.handle(),
                           "SELECT [Disbursement Payee] FROM Disbursements ORDER BY "
                           "[Disbursement Client Last Name], [Disbursement Client First Name], "
                           "[Disbursement Date], rowid",
                           -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(raw.handle()));
    QSet<QByteArray> seen;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
        seen.insert(QByteArray(text ? text : ""));
    }
    sqlite3_finalize(statement);
    return int(seen.size());
}

// The rows of a search as raw SQLite finds them: the same conditions written out.
QString rawSearch(bool disbursements, const QString& term) {
    const QString quoted = QString(term).replace(QLatin1Char('\''), QStringLiteral("''"));
    const QString like = QStringLiteral(" LIKE '%") + quoted + QStringLiteral("%'");
    const QString name = QStringLiteral(" = '") + quoted + QStringLiteral("' COLLATE NOCASE");
    return disbursements
               ? QStringLiteral("SELECT rowid FROM Disbursements WHERE ([Disbursement Date] >= "
                                "'2000-01-01 00:00:00') AND (CStr([Disbursement Amount])") +
                     like + QStringLiteral(" OR [Disbursement Client Last Name]") + name +
                     QStringLiteral(" OR [Disbursement Client First Name]") + name +
                     QStringLiteral(" OR [Disbursement Payee]") + like +
                     QStringLiteral(" OR [Disbursement Description]") + like +
                     QStringLiteral(") ORDER BY [Disbursement Client Last Name], [Disbursement "
                                    "Client First Name], [Disbursement Date], rowid")
               : QStringLiteral("SELECT rowid FROM Payments WHERE ([Payment Date] >= "
                                "'2000-01-01 00:00:00') AND (CStr([Payment Amount])") +
                     like + QStringLiteral(" OR [Payment Client Last Name]") + name +
                     QStringLiteral(" OR [Payment Client First Name]") + name +
                     QStringLiteral(" OR [Payment Description]") + like +
                     QStringLiteral(") ORDER BY [Payment Client Last Name], [Payment Client "
                                    "First Name], [Payment Date], rowid");
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : PracticeGenerator::cachedPracticeFile(1000000);
    // The program has the file open and its lists filled, as its Data entry window has.
    gstrDatabasePath = path;
    OpenDatabaseAndFillLists();
    const Database db = Database::open(path);
    const RawSqlite raw(path);
    registerJetFunctions(raw.handle()); // CStr, as the program's statement has it
    RawRow disbursementRow(raw, QStringLiteral("Disbursements"));
    RawRow paymentRow(raw, QStringLiteral("Payments"));

    const auto rawOpening = [&] {
        const RawIds disbursements = raw.ids(DisbursementIds);
        rawPayees(raw);
        const RawIds payments = raw.ids(PaymentIds);
        if (!disbursements.empty())
            disbursementRow.read(disbursements.back());
        if (!payments.empty())
            paymentRow.read(payments.back());
    };
    const int disbursements = int(raw.ids(DisbursementIds).size());
    const auto programOpening = [&] {
        frmPaymentsDisbursements window;
        if (!window.Form_Load())
            qFatal("the window did not load");
        window.show();
        QCoreApplication::sendPostedEvents();
        if (window.Adodc1->AbsolutePosition() != disbursements)
            qFatal("the window did not open on its last row");
    };
    bool met = true;
    met &= report(QStringLiteral("open the window"), Cache::Warm,
                  alternate(7, Cache::Warm, path, programOpening, rawOpening), 3, 200);

    frmPaymentsDisbursements window;
    window.Form_Load();
    window.show();
    window.TabStrip1_Click(2);
    QCoreApplication::sendPostedEvents();
    window.Adodc1Navigator->first();
    const RawIds ids = raw.ids(DisbursementIds);
    size_t step = 0;
    // A round is 100 steps: one step takes less than the timer's noise.
    BenchTools::Rounds steps = alternate(
        9, Cache::Warm, path,
        [&] {
            for (int i = 0; i < 100; ++i)
                window.Adodc1Navigator->next();
        },
        [&] {
            for (int i = 0; i < 100; ++i)
                disbursementRow.read(ids[++step % ids.size()]);
        });
    for (double& ms : steps.program)
        ms /= 100;
    for (double& ms : steps.raw)
        ms /= 100;
    met &= report(QStringLiteral("navigator step (next)"), Cache::Warm, steps, 5, 16);

    // Over all the file's dates: the generator's rows are years old.
    window.DTPicker5->setValue(QDate(2000, 1, 1));
    // A new term every round, as a search is seldom run twice: clients' last names, those
    // with an apostrophe first, and fragments of amounts.
    constexpr int Rounds = 7;
    QStringList clients;
    {
        QSqlQuery names = db.exec(QStringLiteral(
            "SELECT DISTINCT [Payment Client Last Name] AS name FROM Payments ORDER BY name LIKE "
            "'%''%' DESC, name LIMIT 7"));
        while (db.next(names))
            clients << names.value(0).toString();
    }
    if (clients.size() < Rounds)
        qFatal("the file has too few clients");
    QStringList amounts;
    for (int i = 0; i < Rounds; ++i)
        amounts << QString::number(50 + i);
    struct Sought {
        const char* job;
        bool disbursements;
        QStringList terms;
    };
    for (const Sought& s : {Sought{"search payments: a client", false, clients},
                            Sought{"search disbursements: a client", true, clients},
                            Sought{"search disbursements: an amount", true, amounts}}) {
        QStringList rawSql;
        QList<int> found;
        for (const QString& term : s.terms) {
            rawSql << rawSearch(s.disbursements, term);
            found << int(raw.ids(rawSql.last()).size());
            if (found.last() == 0)
                qFatal("nothing to find for %s", qPrintable(term));
        }
        int programRound = 0;
        int rawRound = 0;
        const BenchTools::Rounds rounds = alternate(
            Rounds - 1, Cache::Warm, path,
            [&] {
                const int i = programRound++ % Rounds;
                window.TabStrip1_Click(s.disbursements ? 4 : 2);
                window.mnuSearch_Click();
                (s.disbursements ? window.Option2_0 : window.Option2_1)->setChecked(true);
                window.Text5->setText(s.terms[i]);
                window.mnuContinue_Click();
                DataControl* control = s.disbursements ? window.Adodc1 : window.Adodc2;
                if (control->RecordCount() != found[i])
                    qFatal("the window found %d rows, raw SQLite %d", control->RecordCount(),
                           found[i]);
            },
            [&] {
                const RawIds hits = raw.ids(rawSql[rawRound++ % Rounds]);
                (s.disbursements ? disbursementRow : paymentRow).read(hits.back());
            });
        int rows = 0;
        for (int n : found)
            rows += n;
        std::printf("  (%s: %d rows a search on average)\n", s.job, rows / Rounds);
        met &= report(QString::fromLatin1(s.job), Cache::Warm, rounds, 3, 100);
    }
    return met ? 0 : 1;
}

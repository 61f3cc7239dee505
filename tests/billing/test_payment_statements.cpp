#include "BillingFixture.h"
#include "WindowTestSupport.h"
#include "billing/logic/PaymentStatements.h"
#include "billing/windows/frmLetterhead.h"
#include "billing/windows/frmPaymentsDisbursements.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"
#include "platform/reporting/ReportData.h"
#include "timelog/windows/frmSearchList.h"

#include <QListWidget>
#include <QPlainTextEdit>

using namespace PaymentStatements;
using BillingRows::Row;
using LetterFixture::texts;

namespace {

const QString NoLetterhead = QStringLiteral(
    "You must create a letterhead before you can create a payments or disbursements report.");
const QString Question = QStringLiteral("There is no letterhead set for this report, would you "
                                        "like to create a letterhead for your invoice?");
const QString NoClient = QStringLiteral("You must select a client.  Please try again.");

QStringList column(const ReportRecordSource& rows, const QString& name) {
    QStringList values;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QVariant value = rows.value(row, name);
        values << (value.metaType() == QMetaType::fromType<Currency>()
                       ? value.value<Currency>().toString()
                       : value.toString());
    }
    return values;
}

} // namespace

class TestPaymentStatements : public BillingFixture {
    Q_OBJECT

    std::shared_ptr<const ReportRecordSource> rows(Kind kind, const QString& client) {
        return records(Database::open(m_path), kind, LetterHeading::splitName(client));
    }

    // The payments and disbursements window, opened from Data entry window 1, on a tab.
    frmPaymentsDisbursements* window(int tab) {
        frmPaymentsDisbursements* w = frmPaymentsDisbursements::loaded();
        if (!w) {
            entry()->mnuDisbursements->trigger();
            w = frmPaymentsDisbursements::loaded();
        }
        w->TabStrip1_Click(tab);
        return w;
    }

    // The client list picks that entry.
    void pick(const QString& client) {
        LetterFixture::pick(*m_windows, QStringLiteral("Select a client"), client);
    }

    // The statement of a client chosen on a tab of the window: the report shown.
    ReportRecorder::Shown statement(int tab, const QString& client) {
        frmPaymentsDisbursements* w = window(tab);
        pick(client);
        const qsizetype before = m_reports->shown().size();
        w->mnuReport->trigger();
        if (m_reports->shown().size() == before)
            return {};
        return m_reports->shown().last();
    }

private Q_SLOTS:
    void initTestCase() { registerSubsystems(); }
    void init() {
        start("statements.mdb", {"Smith, John", "O'Brien, Pat", "100%_Corp, Ann", "Gone, Al"});
    }
    void cleanup() { QCOMPARE(finish(), 0); }

    // Only the display of disbursements gives their statement; every other tab, payments.
    void theTabDecidesTheKind() {
        QCOMPARE(kindOfTab(2), Kind::Disbursements);
        for (int tab : {1, 3, 4})
            QCOMPARE(kindOfTab(tab), Kind::Payments);
    }

    // Disbursements by date alone; payments by description first, each group by date. The
    // names match exactly without regard to case: blanks count, and "%", "_" and apostrophes
    // match only themselves.
    void listsOnlyTheClientsRowsInTheirOrder() {
        // A file without the indexes that keep the rows in order.
        Fixtures::execRaw(
            m_path, {"DROP INDEX [Disbursements by Client]", "DROP INDEX [Payments by Client]"});
        addDisbursements({{"Smith", "John", "2026-03-01", 1.0, "March"},
                          {"SMITH", "john", "2026-01-01", 2.0, "January"},
                          {"Smith ", "John", "2026-02-01", 4.0, "other"},
                          {"Smith", "Johnny", "2026-02-01", 8.0, "other"},
                          {"S%", "J_hn", "2026-02-01", 16.0, "other"},
                          {"Smith", "John", "2026-02-01", 32.0, "February"}});
        QCOMPARE(column(*rows(Kind::Disbursements, "Smith, John"), "Disbursement Description"),
                 QStringList({"January", "February", "March"}));
        addPayments({{"Smith", "John", "2026-03-01", 1.0, "Legal fee"},
                     {"Smith", "John", "2026-01-01", 2.0, "Legal fee"},
                     {"Smith", "John", "2026-04-01", 4.0, "Disbursement"},
                     {"Smith", "John", "2026-02-01", 8.0, "Disbursement"},
                     {"Smithy", "John", "2026-02-01", 16.0, "Disbursement"}});
        const auto payments = rows(Kind::Payments, "Smith, John");
        QCOMPARE(column(*payments, "Payment Description"),
                 QStringList({"Disbursement", "Disbursement", "Legal fee", "Legal fee"}));
        QCOMPARE(column(*payments, "Payment Amount"), QStringList({"8", "4", "2", "1"}));

        addDisbursements({{"100%_Corp", "Ann", "2026-01-01", 1.0, "corp"},
                          {"100 Corp", "Ann", "2026-01-01", 2.0, "other"},
                          {"100xxCorp", "Ann", "2026-01-01", 4.0, "other"},
                          {"O'Brien", "Pat", "2026-01-01", 8.0, "obrien"}});
        QCOMPARE(column(*rows(Kind::Disbursements, "100%_Corp, Ann"), "Disbursement Description"),
                 QStringList({"corp"}));
        QCOMPARE(column(*rows(Kind::Disbursements, "O'Brien, Pat"), "Disbursement Description"),
                 QStringList({"obrien"}));
        QCOMPARE(rows(Kind::Payments, "Gone, Al")->rowCount(), 0);
    }

    // Amounts kept with more than two decimals (files written before amounts were read to the
    // cent) list as the printed cents, and the total adds those, not the unrounded values.
    void theTotalIsTheSumOfThePrintedAmounts() {
        addDisbursements({{"Smith", "John", "2026-01-01", 0.125},
                          {"Smith", "John", "2026-01-02", 0.125},
                          {"Smith", "John", "2026-01-03", 36.663},
                          {"Smith", "John", "2026-01-04", QVariant()}});
        const auto listed = rows(Kind::Disbursements, "Smith, John");
        QCOMPARE(total(*listed, Kind::Disbursements), Currency(369'200));
        const ReportRecorder::Shown shown = statement(2, "Smith, John");
        QCOMPARE(texts(shown, "Text4"), QStringList({"$0.13", "$0.13", "$36.66", ""}));
        QCOMPARE(texts(shown, "Function1"), QStringList({"$36.92"}));

        addPayments({{"Smith", "John", "2026-01-01", -0.125, "Legal fee"},
                     {"Smith", "John", "2026-01-02", 1250.755, "Legal fee"}});
        const ReportRecorder::Shown payments = statement(4, "Smith, John");
        QCOMPARE(texts(payments, "Text3"), QStringList({"-$0.13", "$1,250.76"}));
        QCOMPARE(texts(payments, "Function1"), QStringList({"$1,250.63"}));
        QCOMPARE(total(*rows(Kind::Payments, "Smith, John"), Kind::Payments), Currency(12'506'300));
    }

    // The letter of each kind, from the file the window was opened on although another window
    // made another file current since.
    void composesEachStatementFromTheWindowsOwnFile() {
        addDisbursements({{"Smith", "John", "2026-12-02", 150.0, "Filing fee, Smith v. Jones",
                           "Clerk of Court"}});
        addPayments({{"Smith", "John", "2026-12-03", 1250.75, "Legal fee"},
                     {"Smith", "John", "2026-11-03", 20.0, "Disbursement"}});
        window(1);
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/other.mdb");

        const ReportRecorder::Shown disbursements = statement(2, "Smith, John");
        QCOMPARE(disbursements.caption, QStringLiteral("DataReport4"));
        QCOMPARE(gstrDatabasePath, m_path);
        QCOMPARE(gstrLastName, QStringLiteral("Smith"));
        QCOMPARE(gstrFirstName, QStringLiteral("John"));
        QCOMPARE(texts(disbursements, "Label1"), QStringList({"Law Office\nAlbany"}));
        QCOMPARE(texts(disbursements, "Label2"), QStringList({"December 8, 2026"}));
        QCOMPARE(texts(disbursements, "Label3"),
                 QStringList({"John Smith\n12 Main St\nAlbany, NY  12207-1234"}));
        QCOMPARE(texts(disbursements, "Label4"), QStringList({"Smith v. Jones"}));
        QCOMPARE(texts(disbursements, "Label5"),
                 QStringList({"Dear Client:\n\nThis is your current statement for disbursements "
                              "we have rendered on your behalf."}));
        QCOMPARE(texts(disbursements, "Text1"), QStringList({"Filing fee, Smith v. Jones"}));
        QCOMPARE(texts(disbursements, "Text2"), QStringList({"Clerk of Court"}));
        QCOMPARE(texts(disbursements, "Text3"), QStringList({"December 2, 2026"}));
        QCOMPARE(texts(disbursements, "Text4"), QStringList({"$150.00"}));
        QCOMPARE(texts(disbursements, "Label8"), QStringList({"Total Disbursements:"}));
        QCOMPARE(texts(disbursements, "Function1"), QStringList({"$150.00"}));
        QCOMPARE(texts(disbursements, "Label6"), QStringList({"Regards\n\n\nVery truly yours,"}));
        QCOMPARE(texts(disbursements, "Label7"), QStringList({"Page 1"}));

        const ReportRecorder::Shown payments = statement(4, "Smith, John");
        QCOMPARE(payments.caption, QStringLiteral("DataReport5"));
        QCOMPARE(texts(payments, "Label5"), QStringList({"Dear Client:\n\nThis is your current "
                                                         "statement of payments made by you."}));
        QCOMPARE(texts(payments, "Text1"), QStringList({"Disbursement", "Legal fee"}));
        QCOMPARE(texts(payments, "Text2"), QStringList({"11/3/2026", "12/3/2026"}));
        QCOMPARE(texts(payments, "Text3"), QStringList({"$20.00", "$1,250.75"}));
        QCOMPARE(texts(payments, "Label8"), QStringList({"Payments Total:"}));
        QCOMPARE(texts(payments, "Function1"), QStringList({"$1,270.75"}));
        QCOMPARE(texts(payments, "Label7"), QStringList({"Page 1"}));

        // The entry tabs, where the menu is not offered, would give the payments too.
        for (int tab : {1, 3}) {
            pick("Smith, John");
            window(tab)->mnuReport_Click();
            QCOMPARE(m_reports->shown().last().caption, QStringLiteral("DataReport5"));
        }
        QCOMPARE(m_reports->shown().size(), 4);
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    // The report's fonts replace the layout's in the letter and the rows, never in the page
    // footer, and cut nothing off; a client without a row of its own gets the name line for an
    // address.
    void aClientWithoutItsRowGetsTheNameLineAndTheFontsFitTheLayout() {
        addPayments({{"Gone", "Al", "2026-12-03", 5.0, "Legal fee"}});
        gstrReportFontName = "Courier";
        gstrReportFontSize = "10.5";
        gstrVellagonFontName = "Times";
        gstrVellagonFontSize = "9";
        const ReportRecorder::Shown shown = statement(4, "Gone, Al");
        QCOMPARE(texts(shown, "Label3"), QStringList({"Al Gone"}));
        QCOMPARE(texts(shown, "Label6"), QStringList({""}));
        const ReportPage& page = shown.pages.first();
        QCOMPARE(page.textsOf("Label8").first().font.name, QStringLiteral("Courier"));
        QCOMPARE(page.textsOf("Label8").first().font.size, 10.5);
        QCOMPARE(page.textsOf("Text3").first().font.name, QStringLiteral("Times"));
        QCOMPARE(page.textsOf("Label7").first().font.name, QStringLiteral("Arial"));
        QCOMPARE(page.textsOf("Label7").first().font.size, 8.25);
        // Nor do the larger fonts cut the total's caption off.
        addDisbursements({{"Gone", "Al", "2026-12-03", 5.0}});
        gstrReportFontName = "Courier";
        gstrReportFontSize = "12";
        const ReportRecorder::Shown disbursements = statement(2, "Gone, Al");
        QCOMPARE(texts(disbursements, "Label8"), QStringList({"Total Disbursements:"}));
        QCOMPARE(texts(disbursements, "Function1"), QStringList({"$5.00"}));
    }

    // The letter's parts follow one another with their blank lines in both statements, with a
    // Re line of one line or several.
    void theLetterKeepsItsBlankLinesWithAReLineOfAnyLength() {
        addDisbursements({{"Smith", "John", "2026-12-02", 150.0}});
        addPayments({{"Smith", "John", "2026-12-03", 20.0, "Legal fee"}});
        for (int count : {1, 2, 5}) {
            QStringList re;
            for (int line = 1; line <= count; ++line)
                re << QStringLiteral("Smith v. Jones, part %1").arg(line);
            LetterFixture::setReLine(m_path, re);
            for (int tab : {2, 4}) {
                const QString fault = LetterFixture::letterFault(statement(tab, "Smith, John"), re);
                QVERIFY2(
                    fault.isEmpty(),
                    qPrintable(
                        QStringLiteral("tab %1, %2 lines: %3").arg(tab).arg(count).arg(fault)));
            }
        }
    }

    void aLongStatementNumbersItsPages() {
        QList<Row> many;
        for (int day = 0; day < 90; ++day)
            many << Row{"Smith", "John", QDate(2026, 1, 1).addDays(day).toString("yyyy-MM-dd"),
                        12.5};
        addDisbursements(many);
        const ReportRecorder::Shown shown = statement(2, "Smith, John");
        QCOMPARE(texts(shown, "Text4").size(), 90);
        const int pages = int(shown.pages.size());
        QVERIFY(pages > 2);
        QStringList expected;
        for (int page = 1; page <= pages; ++page)
            expected << QStringLiteral("Page %1").arg(page);
        QCOMPARE(texts(shown, "Label7"), expected);
        QCOMPARE(texts(shown, "Function1"), QStringList({"$1,125.00"}));
        QCOMPARE(shown.pages.first().textsOf("Label3").size(), 1);
        QCOMPARE(shown.pages.last().textsOf("Label6").size(), 1);
    }

    // The client is picked first; then a file without a letterhead asks for one, and only a
    // letterhead saved in the letterhead window lets the statement go on.
    void withoutALetterheadThePickComesFirstThenTheQuestion() {
        Fixtures::execRaw(m_path, {"DELETE FROM Invoices"});
        addPayments({{"Smith", "John", "2026-12-03", 5.0, "Legal fee"}});
        window(4);
        m_dialogs->clear(); // no disbursements yet
        m_dialogs->answer(Dialogs::vbNo);
        QVERIFY(statement(4, "Smith, John").pages.isEmpty());
        QCOMPARE(m_dialogs->messages(), QStringList({Question, NoLetterhead}));
        QCOMPARE(m_dialogs->shown().first().style, int(Dialogs::vbYesNo));
        QCOMPARE(m_dialogs->shown().last().style, int(Dialogs::vbOKOnly));

        // Yes, then the letterhead window left with Return.
        m_dialogs->clear();
        m_dialogs->answer(Dialogs::vbYes);
        pick("Smith, John");
        m_windows->answer<frmLetterhead>([](frmLetterhead& w) {
            w.Text1->setPlainText("Law Office");
            w.mnuReturn_Click();
        });
        window(4)->mnuReport->trigger();
        QVERIFY(m_reports->shown().isEmpty());
        QCOMPARE(m_dialogs->messages(), QStringList({Question, NoLetterhead}));

        // Yes, and a letterhead saved: straight on to the statement.
        m_dialogs->clear();
        m_dialogs->answer(Dialogs::vbYes);
        pick("Smith, John");
        m_windows->answer<frmLetterhead>([](frmLetterhead& w) {
            w.Text1->setPlainText("Law Office");
            w.mnuDone_Click();
        });
        window(4)->mnuReport->trigger();
        QCOMPARE(m_reports->shown().size(), 1);
        QCOMPARE(texts(m_reports->shown().last(), "Label1"), QStringList({"Law Office"}));
        QCOMPARE(m_dialogs->messages(), QStringList({Question}));
        QCOMPARE(m_windows->shown().size(), 5);
    }

    // A list closed without a pick ends the command, whatever client another command left in
    // the shared state; a client without rows of the kind is told rather than sent an empty
    // letter.
    void onlyAPickedClientWithRowsGetsAStatement() {
        addPayments({{"Smith", "John", "2026-12-03", 5.0, "Legal fee"}});
        gstrClient = "Smith, John";
        frmPaymentsDisbursements* w = window(4);
        m_dialogs->clear(); // no disbursements yet
        m_windows->leave();
        w->mnuReport->trigger();
        QCOMPARE(m_dialogs->messages(), QStringList({NoClient}));
        QVERIFY(m_reports->shown().isEmpty());

        m_dialogs->clear();
        QVERIFY(statement(2, "Smith, John").pages.isEmpty());
        QCOMPARE(m_dialogs->messages(),
                 QStringList({"There are no disbursements of Smith, John to list."}));
        m_dialogs->clear();
        QVERIFY(statement(4, "O'Brien, Pat").pages.isEmpty());
        QCOMPARE(m_dialogs->messages(),
                 QStringList({"There are no payments of O'Brien, Pat to list."}));
    }

    void theClientIndexServesBothStatements() {
        const Database db = Database::open(m_path);
        for (Kind kind : {Kind::Disbursements, Kind::Payments}) {
            QSqlQuery plan = db.exec("EXPLAIN QUERY PLAN " +
                                         JetSql::translate(PaymentStatements::statement(kind)),
                                     parameters({"Smith", "John"}));
            QStringList steps;
            while (plan.next())
                steps << plan.value(3).toString();
            QVERIFY2(steps.join('|').contains(" by Client"), qPrintable(steps.join('|')));
        }
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestPaymentStatements)
#include "test_payment_statements.moc"

#include "BillingFixture.h"
#include "WindowTestSupport.h"
#include "billing/logic/Invoice.h"
#include "billing/windows/frmLetterhead.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/DateBox.h"
#include "timelog/windows/frmSearchDatePicker.h"
#include "timelog/windows/frmSearchList.h"

#include <QListWidget>
#include <QPlainTextEdit>

using BillingRows::Log;
using LetterFixture::texts;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString NoPick =
    QStringLiteral("Please make a selection from the pull-down list and try again.");
const QString Question = QStringLiteral("There is no letterhead set for this invoice, would you "
                                        "like to create a letterhead for your invoice?");

} // namespace

class TestInvoice : public BillingFixture {
    Q_OBJECT

    // The client list picks that entry.
    void pick(const QString& client) {
        LetterFixture::pick(*m_windows, QStringLiteral("Select Client"), client);
    }
    // The date range dialog continues with that range.
    void range(const QDate& begin, const QDate& end) {
        m_windows->answer<frmSearchDatePicker>([begin, end](frmSearchDatePicker& p) {
            p.DTPicker1->setDate(begin);
            p.DTPicker2->setDate(end);
            p.mnuContinue_Click();
        });
    }
    // Create invoice, chosen in Data entry form 1.
    void createInvoice() { entry()->mnuCreateInvoice->trigger(); }

    // One invoice of a client over a range: the report shown.
    ReportRecorder::Shown invoice(const QString& client, const QDate& begin, const QDate& end) {
        pick(client);
        range(begin, end);
        createInvoice();
        if (m_reports->shown().isEmpty())
            return {};
        return m_reports->shown().last();
    }

private Q_SLOTS:
    void initTestCase() { registerSubsystems(); }
    void init() {
        start("invoice.mdb",
              {"Smith, John", "O'Brien, Pat", "100%_Corp, Ann", "100 Corp, Ann", "Gone, Al"});
    }
    void cleanup() { QCOMPARE(finish(), 0); }

    void theCommandsAreOffered() {
        for (QAction* item : {entry()->mnuLetterhead, entry()->mnuCreateInvoice})
            QVERIFY(item->isEnabled());
    }

    // The letter's parts follow one another with their blank lines, with a Re line of one line
    // or several.
    void theLetterKeepsItsBlankLinesWithAReLineOfAnyLength() {
        addLogs({{"Smith, John", "2026-12-02 09:00:00", 1.5, 165.0}});
        for (int count : {1, 2, 5}) {
            QStringList re;
            for (int line = 1; line <= count; ++line)
                re << QStringLiteral("Smith v. Jones, part %1").arg(line);
            LetterFixture::setReLine(m_path, re);
            const QString fault = LetterFixture::letterFault(
                invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8)), re);
            QVERIFY2(fault.isEmpty(),
                     qPrintable(QStringLiteral("%1 lines: %2").arg(count).arg(fault)));
        }
    }

    void composesTheLetterOfTheWindowsOwnFile() {
        addLogs({{"Smith, John", "2026-12-02 09:00:00", 1.5, 165.0, "Court appearance re"}});
        // Another file is current; the command takes the window's own.
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/other.mdb");
        const ReportRecorder::Shown shown =
            invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8));
        QCOMPARE(shown.caption, QStringLiteral("DataReport3"));
        QCOMPARE(gstrDatabasePath, m_path);
        QCOMPARE(gstrLetterhead, "Law Office" + CrLf + "Albany" + CrLf + CrLf);
        QCOMPARE(gstrLastName, QStringLiteral("Smith"));
        QCOMPARE(gstrFirstName, QStringLiteral("John"));
        QCOMPARE(texts(shown, "Label1"), QStringList({"Law Office\nAlbany"}));
        QCOMPARE(texts(shown, "Label2"), QStringList({"December 8, 2026"}));
        QCOMPARE(texts(shown, "Label3"),
                 QStringList({"John Smith\n12 Main St\nAlbany, NY  12207-1234"}));
        QCOMPARE(texts(shown, "Label4"), QStringList({"Smith v. Jones"}));
        QCOMPARE(texts(shown, "Label5"),
                 QStringList({"Dear Client:\n\nThis is your current statement for services "
                              "rendered."}));
        QCOMPARE(texts(shown, "Label8"), QStringList({"Employee:"}));
        QCOMPARE(texts(shown, "Label10"), QStringList({"Time (in tenths of an hour):"}));
        QCOMPARE(texts(shown, "Text1"), QStringList({"Doe, Jane"}));
        QCOMPARE(texts(shown, "Text2"), QStringList({"12/2/26 9:00 AM"}));
        QCOMPARE(texts(shown, "Text3"), QStringList({"$110.00"}));
        QCOMPARE(texts(shown, "Text4"), QStringList({"1.5"}));
        QCOMPARE(texts(shown, "Text5"), QStringList({"$165.00"}));
        QCOMPARE(texts(shown, "Text6"), QStringList({"Court appearance re"}));
        QCOMPARE(texts(shown, "Label12"), QStringList({"Total:"}));
        QCOMPARE(texts(shown, "Function1"), QStringList({"$165.00"}));
        QCOMPARE(texts(shown, "Label6"), QStringList({"Regards"}));
        QCOMPARE(texts(shown, "Label14"), QStringList({"Page 1 of 1"}));
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void theTotalIsTheSumOfThePrintedFees() {
        // 33.33 an hour for 1.1 hours: 36.663 each, printed 36.66; three make 109.98, not
        // the 109.99 of the unrounded fees.
        const float hours = 1.1f;
        addLogs({{"Smith, John", "2026-12-01 09:00:00", double(hours), 36.663},
                 {"Smith, John", "2026-12-01 10:00:00", double(hours), 36.663},
                 {"Smith, John", "2026-12-01 11:00:00", double(hours), 36.663}});
        const ReportRecorder::Shown shown =
            invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 1));
        QCOMPARE(texts(shown, "Text5"), QStringList({"$36.66", "$36.66", "$36.66"}));
        QCOMPARE(texts(shown, "Function1"), QStringList({"$109.98"}));
        // A single-precision duration prints as it was kept.
        QCOMPARE(texts(shown, "Text4"), QStringList({"1.1", "1.1", "1.1"}));
        // Halves of a cent go up, in the lines and in the total alike.
        const Database db = Database::open(m_path);
        db.exec("DELETE FROM Vellagons");
        addLogs({{"Smith, John", "2026-12-01 09:00:00", 1, 0.125},
                 {"Smith, John", "2026-12-01 10:00:00", 1, 0.125},
                 {"Smith, John", "2026-12-01 11:00:00", 1, QVariant()}});
        const ReportRecorder::Shown halves =
            invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 1));
        QCOMPARE(texts(halves, "Text5"), QStringList({"$0.13", "$0.13", ""}));
        QCOMPARE(texts(halves, "Function1"), QStringList({"$0.26"}));
    }

    void listsOnlyTheClientsOwnLogsOfWholeDaysInTimeOrder() {
        // A file without the indexes that keep the logs in time order.
        Fixtures::execRaw(m_path, {"DROP INDEX [Vellagons by Client and Time]",
                                   "DROP INDEX [Vellagons by Beginning Time]"});
        addLogs({{"Smith, John", "2026-12-08 10:00:00", 1, 1.0, "last day"},
                 {"smith, JOHN", "2026-12-01 00:00:00", 1, 2.0, "first instant"},
                 {"Smith, John", "2026-11-30 23:59:59", 1, 4.0, "day before"},
                 {"Smith, John", "2026-12-09 00:00:00", 1, 8.0, "day after"},
                 {"Smith, John ", "2026-12-03 00:00:00", 1, 16.0, "other client"},
                 {"Smith, Johnny", "2026-12-03 00:00:00", 1, 32.0, "other client"},
                 {"Smith, John", "2026-12-04 23:59:59", 1, 64.0, "middle"}});
        const ReportRecorder::Shown shown =
            invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8));
        QCOMPARE(texts(shown, "Text6"), QStringList({"first instant", "middle", "last day"}));
        QCOMPARE(texts(shown, "Function1"), QStringList({"$67.00"}));
    }

    void namesWithWildcardsAndApostrophesBillOnlyThemselves() {
        addLogs({{"100%_Corp, Ann", "2026-12-02 09:00:00", 1, 1.0, "corp"},
                 {"100 Corp, Ann", "2026-12-02 09:00:00", 1, 2.0, "other"},
                 {"100xxCorp, Ann", "2026-12-02 09:00:00", 1, 4.0, "other"},
                 {"O'Brien, Pat", "2026-12-02 09:00:00", 1, 8.0, "obrien"}});
        QCOMPARE(texts(invoice("100%_Corp, Ann", QDate(2026, 12, 1), QDate(2026, 12, 8)), "Text6"),
                 QStringList({"corp"}));
        const ReportRecorder::Shown obrien =
            invoice("O'Brien, Pat", QDate(2026, 12, 1), QDate(2026, 12, 8));
        QCOMPARE(texts(obrien, "Text6"), QStringList({"obrien"}));
        // A client with only its names: address of the name line, the default greeting.
        QCOMPARE(texts(obrien, "Label3"), QStringList({"Pat O'Brien\n  "}));
        QCOMPARE(texts(obrien, "Label6"), QStringList({"Very truly yours,"}));
    }

    void aClientWithoutItsRowGetsTheNameLineAlone() {
        addLogs({{"Gone, Al", "2026-12-02 09:00:00", 1, 1.0}});
        const ReportRecorder::Shown shown =
            invoice("Gone, Al", QDate(2026, 12, 1), QDate(2026, 12, 8));
        QCOMPARE(texts(shown, "Label3"), QStringList({"Al Gone"}));
        QCOMPARE(texts(shown, "Label5"), QStringList({""}));
        QCOMPARE(texts(shown, "Label6"), QStringList({""}));
        QCOMPARE(texts(shown, "Function1"), QStringList({"$1.00"}));
        QVERIFY(m_dialogs->shown().isEmpty());
    }

    void aRangeWithoutLogsIsToldNotInvoiced() {
        addLogs({{"Smith, John", "2026-11-02 09:00:00", 1, 1.0}});
        invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8));
        QVERIFY(m_reports->shown().isEmpty());
        QCOMPARE(m_dialogs->messages(),
                 QStringList({"There are no logs of Smith, John from 12/1/2026 to 12/8/2026 to "
                              "invoice."}));
    }

    void aLongInvoiceNumbersItsPages() {
        QList<Log> logs;
        // Two logs a month over three years.
        for (int month = 0; month < 36; ++month)
            for (int day : {3, 17})
                logs << Log{"Smith, John",
                            QDate(2023, 1, day).addMonths(month).toString("yyyy-MM-dd") +
                                " 09:00:00",
                            0.5, 55.0};
        addLogs(logs);
        const ReportRecorder::Shown shown =
            invoice("Smith, John", QDate(2023, 1, 1), QDate(2025, 12, 31));
        QCOMPARE(texts(shown, "Text5").size(), 72);
        const int pages = int(shown.pages.size());
        QVERIFY(pages > 2);
        QStringList expected;
        for (int page = 1; page <= pages; ++page)
            expected << QStringLiteral("Page %1 of %2").arg(page).arg(pages);
        QCOMPARE(texts(shown, "Label14"), expected);
        QCOMPARE(texts(shown, "Function1"), QStringList({"$3,960.00"}));
        // The letter heads the first page only; the total and closing end the last.
        QCOMPARE(shown.pages.first().textsOf("Label3").size(), 1);
        QCOMPARE(shown.pages.last().textsOf("Label6").size(), 1);
    }

    void withoutALetterheadItOffersTheLetterheadWindowAndEnds() {
        Fixtures::execRaw(m_path, {"DELETE FROM Invoices"});
        addLogs({{"Smith, John", "2026-12-02 09:00:00", 1, 1.0}});
        m_dialogs->answer(Dialogs::vbNo);
        createInvoice();
        QCOMPARE(m_dialogs->messages(), QStringList({Question}));
        QCOMPARE(m_dialogs->last()->style, int(Dialogs::vbYesNo));

        m_dialogs->answer(Dialogs::vbYes);
        m_windows->answer<frmLetterhead>([](frmLetterhead& w) {
            w.Text1->setPlainText("Law Office");
            w.mnuDone_Click();
        });
        createInvoice();
        // No pick list follows; the next invoice has its letterhead.
        QCOMPARE(m_windows->shown().size(), 1);
        QVERIFY(m_reports->shown().isEmpty());
        QCOMPARE(texts(invoice("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8)), "Label1"),
                 QStringList({"Law Office"}));
    }

    void onlyAnExplicitPickGoesOn() {
        addLogs({{"Smith, John", "2026-12-02 09:00:00", 1, 1.0}});
        // The contact window left a client in the shared state: it is not billed.
        gstrClient = "Smith, John";
        m_windows->leave();
        createInvoice();
        QCOMPARE(m_dialogs->messages(), QStringList({NoPick}));
        QCOMPARE(m_windows->shown().size(), 1);
        QVERIFY(m_reports->shown().isEmpty());
    }

    void returnFromTheDatesUsesTheLastRangeOrEndsQuietly() {
        addLogs({{"Smith, John", "2026-12-02 09:00:00", 1, 1.0},
                 {"Smith, John", "2026-11-02 09:00:00", 1, 2.0}});
        // At first use there is no range to take: nothing more happens.
        pick("Smith, John");
        m_windows->answer<frmSearchDatePicker>([](frmSearchDatePicker& p) { p.mnuReturn_Click(); });
        createInvoice();
        QVERIFY(m_reports->shown().isEmpty());
        QVERIFY(m_dialogs->shown().isEmpty());

        invoice("Smith, John", QDate(2026, 11, 1), QDate(2026, 11, 30));
        pick("Smith, John");
        m_windows->answer<frmSearchDatePicker>([](frmSearchDatePicker& p) { p.mnuReturn_Click(); });
        createInvoice();
        QCOMPARE(m_reports->shown().size(), 2);
        QCOMPARE(texts(m_reports->shown().last(), "Function1"), QStringList({"$2.00"}));
    }

    void aFileThatCannotBeReadIsReported() {
        entry()->setPath(TestSupport::newFolder() + "/missing.mdb");
        createInvoice();
        QCOMPARE(m_dialogs->messages().size(), 1);
        QVERIFY(m_dialogs->lastMessage().startsWith("Error:  3024  "));
        QCOMPARE(m_windows->shown().size(), 0);
    }

    void theStatementMatchesOneClientOverWholeDays() {
        QCOMPARE(Invoice::parameters("Smith, John", QDate(2026, 12, 1), QDate(2026, 12, 8)),
                 QVariantList({"Smith, John", "2026-12-01 00:00:00", "2026-12-08 23:59:59"}));
        // The client and time index serves it.
        const Database db = Database::open(m_path);
        QSqlQuery plan = db.exec("EXPLAIN QUERY PLAN " + JetSql::translate(Invoice::statement()),
                                 Invoice::parameters("x", QDate(2026, 1, 1), QDate(2026, 2, 1)));
        QStringList steps;
        while (plan.next())
            steps << plan.value(3).toString();
        QVERIFY2(steps.join('|').contains("Vellagons by Client and Time"),
                 qPrintable(steps.join('|')));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestInvoice)
#include "test_invoice.moc"

#include "BillingFixture.h"
#include "WindowTestSupport.h"
#include "billing/windows/ComboWidth.h"
#include "billing/windows/frmPaymentsDisbursements.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RecordScrollBar.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>

namespace {

const QString NoDisbursements = "No disbursement records have been entered yet.";
const QString NoPayments = "No payment records have been entered yet.";

const QStringList DisplayCommands{"&Return", "&Delete record", "&Search", "Re&port"};
const QString NoTerm = "A search cannot be made without a search term or amount being entered "
                       "by you.  Please try again.";
const QString NothingFound = "No records were found meeting your search criteria.";

// Messages that take the front from the program while they are shown, as a message box does
// under a window manager; the front goes back to the main window when the test says so.
class MessagesInFront : public ScriptedDialogs {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        TestSupport::showActive(&m_box);
        return ScriptedDialogs::msgBox(prompt, style, title);
    }
    // The message box closes: the window manager gives the front to the main window.
    void closed(QWidget* main) {
        m_box.hide();
        TestSupport::showActive(main);
    }

private:
    QWidget m_box;
};

QStringList enabledCommands(frmMain* main) {
    QStringList bar;
    for (QAction* a : main->menuBar()->actions())
        if (a->isEnabled())
            bar << a->text();
    return bar;
}

} // namespace

class TestPaymentsDisbursements : public BillingFixture {
    Q_OBJECT

    // The window opened from Data entry window 1 with its client box showing `client`.
    frmPaymentsDisbursements* open(const QString& client = "Smith, John") {
        entry()->Combo1->setEditText(client);
        entry()->mnuDisbursements->trigger();
        return frmPaymentsDisbursements::loaded();
    }

    void addDisbursement(const QString& last, const QString& first, const QString& date,
                         const QString& payee, double amount) {
        addDisbursements({{last, first, date, amount, "Filing", payee}});
    }
    void addPayment(const QString& last, const QString& first, const QString& date, double amount) {
        addPayments({{last, first, date, amount, "Legal fee"}});
    }

    // Runs a search from the Search command of a display tab.
    void search(frmPaymentsDisbursements* w, int fromTab, bool disbursements, const QString& term) {
        w->TabStrip1_Click(fromTab);
        w->mnuSearch_Click();
        (disbursements ? w->Option2_0 : w->Option2_1)->setChecked(true);
        w->Text5->setText(term);
        w->mnuContinue_Click();
    }

    int count(const QString& table) const {
        return Database::open(m_path).scalar("SELECT COUNT(*) FROM " + table).toInt();
    }

private Q_SLOTS:
    void initTestCase() { registerSubsystems(); }
    void init() { start("payments.mdb", {"Smith, John", "Adams, Cy"}, Letterhead::None); }
    void cleanup() { QCOMPARE(finish(), 0); }

    // Opened from the Data entry window on its file and client, one window at a time; both
    // navigators stand on their last row; the payee list holds each payee once, letter case
    // told apart; the menus follow the tab.
    void opensOnTheLastRowsWithTheEntryWindowsClient() {
        addDisbursement("Smith", "John", "2026-01-05", "Clerk", 10);
        addDisbursement("Adams", "Cy", "2026-02-01", "clerk", 20);
        addDisbursement("Smith", "John", "2026-01-02", "Clerk", 30);
        addDisbursement("Young", "Ann", "2026-03-01", "Courier", 40);
        addPayment("Adams", "Cy", "2026-02-01", 1250.75);
        frmPaymentsDisbursements* w = open("Adams, Cy");
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), "Disbursements and payments");
        QCOMPARE(w->path(), m_path);
        QCOMPARE(w->Combo1_0->currentText(), "Adams, Cy");
        QCOMPARE(w->Combo2->currentText(), "Adams, Cy");
        QCOMPARE(w->Combo1_0->count(), 2);
        QStringList payees;
        for (int i = 0; i < w->Combo1_1->count(); ++i)
            payees << w->Combo1_1->itemText(i);
        QCOMPARE(payees, (QStringList{"clerk", "Clerk", "Courier"}));
        QCOMPARE(w->Combo1_1->currentText(), "");
        QCOMPARE(enabledCommands(m_main), (QStringList{"&Return", "&Save record"}));

        w->TabStrip1_Click(2);
        QCOMPARE(w->currentTab(), 2);
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        QCOMPARE(w->Text2_0->text(), "Young, Ann");
        QCOMPARE(w->Text2_3->text(), "$40.00");
        QCOMPARE(w->HScroll1->value(), 100);
        w->Adodc1Navigator->previous();
        QCOMPARE(w->Text2_0->text(), "Smith, John");
        QCOMPARE(w->DTPicker2->date(), QDate(2026, 1, 5));
        w->TabStrip1_Click(4);
        QCOMPARE(w->Text4_0->text(), "Adams, Cy");
        QCOMPARE(w->Text4_2->text(), "$1,250.75");
        QVERIFY(m_dialogs->messages().isEmpty());

        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/other.mdb");
        entry()->mnuDisbursements->trigger();
        QCOMPARE(frmPaymentsDisbursements::loaded(), w);
        QCOMPARE(w->path(), m_path);
        const QPointer<QMdiSubWindow> frame = qobject_cast<QMdiSubWindow*>(w->parentWidget());
        QVERIFY(frame);
        w->mnuReturn_Click();
        QVERIFY(!frmPaymentsDisbursements::loaded());
        QVERIFY(!frame || !frame->isVisible()); // no empty frame stays behind
    }

    // The payees in the order of the rows, those of one client and day as they were entered,
    // a missing payee as an empty entry. The client boxes are as wide and as high as boxes
    // that measure every name, so that no name is cut.
    void payeesAndClientBoxesAsTheirListsNeed() {
        addDisbursement("Smith", "John", "2026-01-05", "Zed", 10);
        addDisbursement("Smith", "John", "2026-01-05", "Able", 20);
        addDisbursement("Smith", "John", "2026-01-05", "Zed", 30);
        Fixtures::execRaw(m_path, {"INSERT INTO Disbursements ([Disbursement Client Last "
                                   "Name], [Disbursement Payee]) VALUES ('Adams', NULL)"});
        frmPaymentsDisbursements* w = open();
        QStringList payees;
        for (int i = 0; i < w->Combo1_1->count(); ++i)
            payees << w->Combo1_1->itemText(i);
        QCOMPARE(payees, (QStringList{"", "Zed", "Able"}));

        const auto sameSize = [](QComboBox* box) {
            QComboBox measuring;
            measuring.setFont(box->font());
            measuring.setEditable(box->isEditable());
            for (int i = 0; i < box->count(); ++i)
                measuring.addItem(box->itemText(i));
            // As a layout sees them: the hints, raised to a minimum size set on the box.
            const auto laidOut = [](const QComboBox& b) {
                const QSize minimum = b.minimumSizeHint().expandedTo(b.minimumSize());
                return QList<QSize>{minimum, b.sizeHint().expandedTo(minimum)};
            };
            return laidOut(*box) == laidOut(measuring);
        };
        QVERIFY(sameSize(w->Combo1_0));
        QVERIFY(sameSize(w->Combo2));
        // The two tabs' client boxes offer the same list, each with a choice of its own.
        QCOMPARE(w->Combo2->count(), w->Combo1_0->count());
        w->Combo2->setCurrentIndex(0);
        QCOMPARE(w->Combo2->currentText(), "Adams, Cy");
        QCOMPARE(w->Combo1_0->currentText(), "Smith, John");
        // Long names of narrow letters and short ones of wide letters, kerned pairs, accents
        // written as combining marks, thousands of names, none.
        QStringList many;
        for (int i = 0; i < 3000; ++i)
            many << QStringLiteral("Client%1, Ann").arg(i, 4, 10, QLatin1Char('0'));
        many.insert(1234, "Wolfeschlegelsteinhausen-Bergerdorff, Hubert");
        for (const QStringList& names :
             {QStringList{"iiiiiiiiiiiiiiiiiiiiiiiiiiiiii, Li", "WWWWWWWWWWWW, Mo", "Adams, Cy"},
              QStringList{"AVAVAVAVAVAVAVAV, To", "XXXXXXXXXXXXXXXX, To"},
              QStringList{"P.P.P.P.P.P.P.P.P.P, Al", "Hamilton-Smythe, Al"},
              QStringList{"P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P.P, Al",
                          "Hamilton-Smythe-Washington, Al"},
              QStringList{"Nguye\u0302\u0303\u0301\u0302\u0303n, Ba", "Nguyen, Bao"}, many,
              QStringList{}}) {
            QComboBox box;
            box.setEditable(true);
            box.addItems(names);
            ComboWidth::fitToItems(&box);
            QVERIFY2(sameSize(&box), qPrintable(names.value(0)));
        }
    }

    // An empty file tells each kind's own message; a client that is not in the list is shown
    // as typed; with no client the first of the list is taken.
    void anEmptyFileTellsEachKind() {
        frmPaymentsDisbursements* w = open("Nobody, Known");
        QCOMPARE(m_dialogs->messages(), (QStringList{NoDisbursements, NoPayments}));
        QCOMPARE(w->Combo1_0->currentText(), "Nobody, Known");
        w->mnuReturn_Click();
        m_dialogs->clear();
        w = open("");
        QCOMPARE(w->Combo2->currentText(), "Adams, Cy");
        QCOMPARE(gstrClient, "Adams, Cy");
    }

    // The window takes the client as the Data entry window prepared it, trimmed as a completed
    // log stores it, so that a disbursement is stored under the names its statement looks for.
    void takesTheClientAsTheEntryWindowPreparedIt() {
        frmPaymentsDisbursements* w = open("Smith, John  ");
        QCOMPARE(gstrClient, "Smith, John");
        QCOMPARE(w->Combo1_0->currentText(), "Smith, John");
        w->Combo1_1->setEditText("Clerk");
        w->Text1_0->setPlainText("Filing");
        w->Text1_1->setText("3");
        w->mnuSave_Click();
        QCOMPARE(
            Database::open(m_path)
                .scalar(
                    "SELECT [Disbursement Client Last Name] || '|' || [Disbursement Client First "
                    "Name] || '|' FROM Disbursements")
                .toString(),
            "Smith|John|");
    }

    // A refused save writes nothing and keeps every entry; a save writes the row, confirms it,
    // shows it on the display tab at once and resets the entries.
    void savesDisbursementsAndPayments() {
        frmPaymentsDisbursements* w = open();
        m_dialogs->clear();
        w->Combo1_1->setEditText("New Payee");
        w->Text1_0->setPlainText("Filing fee");
        for (const char* bad : {"abc", "1,2,3", "$", "1.005"}) {
            w->Text1_1->setText(QLatin1String(bad));
            w->mnuSave_Click();
            QVERIFY(m_dialogs->lastMessage().contains("is not an amount of money"));
        }
        w->Text1_1->setText("99999999999999999");
        w->mnuSave_Click();
        QVERIFY(m_dialogs->lastMessage().startsWith(
            "\"99999999999999999\" is too large an amount of money."));
        w->Combo1_0->setEditText("Smith John");
        w->Text1_1->setText("$1,250.75");
        w->mnuSave_Click();
        QVERIFY(m_dialogs->lastMessage().startsWith("Please enter the client as last name"));
        QCOMPARE(count("Disbursements"), 0);
        QCOMPARE(w->Text1_1->text(), "$1,250.75");
        QCOMPARE(w->Text1_0->toPlainText(), "Filing fee");

        w->Combo1_0->setEditText("Adams, Cy");
        w->mnuSave_Click();
        QCOMPARE(m_dialogs->lastMessage(), "This record has been saved:\r\n\r\nAdams, Cy\r\nNew "
                                           "Payee\r\nFiling fee\r\n$1,250.75\r\n12/8/2026");
        QCOMPARE(count("Disbursements"), 1);
        QCOMPARE(Database::open(m_path)
                     .scalar("SELECT [Disbursement Amount] FROM Disbursements")
                     .toDouble(),
                 1250.75);
        QCOMPARE(w->Combo1_0->currentText(), "Adams, Cy");
        QCOMPARE(w->Combo1_1->currentText(), "");
        QCOMPARE(w->Combo1_1->count(), 0); // the payee list stays as loaded
        QCOMPARE(w->Text1_1->text(), "");
        w->TabStrip1_Click(2);
        w->Adodc1Navigator->last();
        QCOMPARE(w->Text2_0->text(), "Adams, Cy");
        QCOMPARE(w->Text2_1->text(), "New Payee");

        w->TabStrip1_Click(3);
        w->Option1_1->setChecked(true);
        w->Text3->setText("150");
        w->mnuSave_Click();
        QCOMPARE(m_dialogs->lastMessage(), "This record has been saved:\r\n\r\nSmith, "
                                           "John\r\nDisbursement\r\n150\r\n12/8/2026");
        QCOMPARE(Database::open(m_path).scalar("SELECT [Payment Description] FROM Payments"),
                 "Disbursement");
        QVERIFY(w->Option1_1->isChecked());
        QCOMPARE(w->Text3->text(), "");
    }

    // Delete goes on to the row that followed; past the last row there is none to delete,
    // so a second Delete deletes nothing.
    void deleteGoesOnToTheFollowingRow() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        addDisbursement("Baker", "Bo", "2026-01-01", "B", 2);
        addDisbursement("Cole", "Al", "2026-01-01", "C", 3);
        frmPaymentsDisbursements* w = open();
        w->TabStrip1_Click(2);
        w->Adodc1Navigator->first();
        w->mnuDelete_Click();
        QCOMPARE(w->Text2_0->text(), "Baker, Bo");
        QCOMPARE(w->HScroll1->value(), 0);
        w->Adodc1Navigator->last();
        w->mnuDelete_Click();
        QCOMPARE(w->Text2_0->text(), "");
        // Every bound box, the date box too, shows no row when there is none.
        QCOMPARE(w->Text2_1->text(), "");
        QCOMPARE(w->Text2_3->text(), "");
        QVERIFY(w->DTPicker2->isNull());
        QCOMPARE(w->HScroll1->value(), 100);
        w->mnuDelete_Click();
        QCOMPARE(count("Disbursements"), 1);
        w->Adodc1Navigator->last();
        QCOMPARE(w->Text2_0->text(), "Baker, Bo");
        w->mnuDelete_Click();
        QCOMPARE(count("Disbursements"), 0);
        QCOMPARE(w->Text2_0->text(), "");
        w->mnuDelete_Click(); // on the empty set: nothing
        w->TabStrip1_Click(4);
        w->mnuDelete_Click();
        QCOMPARE(count("Payments"), 0);
    }

    // Delete takes the row shown only as it was read: a disbursement that another program
    // deleted, recording a new one under its row id, and a payment changed meanwhile, stay.
    // Each is told, naming the row.
    void deleteTakesOnlyTheRowShownAsItWasRead() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        addDisbursement("Baker", "Bo", "2026-01-02", "B", 2);
        addPayment("Adams", "Cy", "2026-02-03", 50);
        frmPaymentsDisbursements* w = open();
        w->TabStrip1_Click(2);
        QCOMPARE(w->Text2_0->text(), "Baker, Bo"); // the last disbursement
        Fixtures::execRaw(m_path, {"DELETE FROM Disbursements WHERE [Disbursement Payee] = 'B'"});
        addDisbursement("Cole", "Al", "2026-01-03", "C", 3);
        QCOMPARE(Database::open(m_path).scalar("SELECT rowid FROM Disbursements WHERE "
                                               "[Disbursement Payee] = 'C'"),
                 QVariant(2));
        m_dialogs->clear();
        w->mnuDelete_Click();
        QCOMPARE(m_dialogs->messages(),
                 QStringList{"The disbursement of Baker, Bo dated 1/2/2026 was changed or deleted "
                             "by another window or program since it was shown; nothing was "
                             "deleted."});
        QCOMPARE(count("Disbursements"), 2);
        QCOMPARE(Database::open(m_path).scalar("SELECT [Disbursement Client Last Name] FROM "
                                               "Disbursements WHERE rowid = 2"),
                 "Cole");
        QCOMPARE(w->Text2_0->text(), ""); // past the end: Baker, Bo was the last

        w->TabStrip1_Click(4);
        QCOMPARE(w->Text4_0->text(), "Adams, Cy");
        Fixtures::execRaw(m_path, {"UPDATE Payments SET [Payment Amount] = 55"});
        m_dialogs->clear();
        w->mnuDelete_Click();
        QCOMPARE(m_dialogs->messages(),
                 QStringList{"The payment of Adams, Cy dated 2/3/2026 was changed or deleted by "
                             "another window or program since it was shown; nothing was "
                             "deleted."});
        QCOMPARE(count("Payments"), 1);
        QCOMPARE(w->Text4_0->text(), "");
    }

    // The panel takes the display frames' place with Continue as the one command; an empty
    // term is refused and gives the tab back with its commands.
    void searchPanelAndAnEmptyTerm() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        frmPaymentsDisbursements* w = open();
        QCOMPARE(w->DTPicker5->date(), QDate(2025, 12, 8));
        QCOMPARE(w->DTPicker6->date(), QDate(2026, 12, 8));
        QVERIFY(w->Option2_0->isChecked());
        w->TabStrip1_Click(2);
        w->mnuSearch_Click();
        QVERIFY(w->Frame5->isVisibleTo(w));
        QVERIFY(!w->Text2_0->isVisibleTo(w));
        QVERIFY(w->HScroll1->isVisibleTo(w));
        QCOMPARE(enabledCommands(m_main), QStringList{"&Continue"});
        w->mnuContinue_Click();
        QCOMPARE(m_dialogs->lastMessage(), NoTerm);
        QVERIFY(!w->Frame5->isVisibleTo(w));
        QVERIFY(w->Text2_0->isVisibleTo(w));
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        QCOMPARE(w->Adodc1->RecordCount(), 1);
    }

    // After each of its messages the window stays in front with its own menus: the child
    // window that has the focus when the main window gets the front back is this one.
    void staysInFrontAfterItsMessages() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        addPayment("Adams", "Cy", "2026-01-01", 2);
        frmPaymentsDisbursements* w = open();
        MessagesInFront messages;
        const auto inFront = [&] {
            messages.closed(m_main);
            QCOMPARE(activeChildWindow(), nullptr); // no Display or Data entry window
            QMdiSubWindow* frame = m_main->mdiArea()->activeSubWindow();
            QCOMPARE(frame->widget(), w);
            const QWidget* focus = QApplication::focusWidget();
            QVERIFY(focus == frame || frame->isAncestorOf(focus));
        };
        w->TabStrip1_Click(2);
        w->mnuSearch_Click();
        w->mnuContinue_Click(); // no term
        inFront();
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        search(w, 2, true, "nowhere");
        inFront();
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        w->TabStrip1_Click(1);
        w->mnuSave_Click(); // no vendor
        inFront();
        w->TabStrip1_Click(4);
        QCOMPARE(messages.messages().size(), 3);
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
    }

    // A search shows its kind's display tab, on the last hit, with that tab's commands, so
    // that Delete deletes a row in view; a client is found by part of a name with its
    // apostrophe, an amount by a fragment of its plain text.
    void aSearchShowsTheKindItFound() {
        addDisbursement("O'Brien", "Pat", "2026-03-01", "Clerk", 150);
        addDisbursement("Smith", "John", "2026-04-01", "Copy Shop", 1250.75);
        addDisbursement("Smith", "John", "2026-05-01", "Courier", 15);
        addPayment("O'Brien", "Pat", "2026-03-02", 500);
        addPayment("Smith", "John", "2026-03-03", 50);
        frmPaymentsDisbursements* w = open();
        search(w, 2, false, "o'bri");
        QCOMPARE(w->currentTab(), 4);
        QCOMPARE(w->TabStrip1->currentIndex(), 3);
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        QCOMPARE(w->Adodc2->RecordCount(), 1);
        QCOMPARE(w->Text4_0->text(), "O'Brien, Pat");
        w->mnuDelete_Click();
        QCOMPARE(count("Payments"), 1);
        QCOMPARE(count("Disbursements"), 3);
        w->TabStrip1_Click(2);
        QVERIFY(w->Text2_0->isVisibleTo(w)); // the frames the panel replaced are back

        search(w, 4, true, "50");
        QCOMPARE(w->currentTab(), 2);
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text2_3->text(), "$1,250.75");
        QCOMPARE(w->HScroll1->value(), 100);
        w->Adodc1Navigator->previous();
        QCOMPARE(w->Text2_0->text(), "O'Brien, Pat");
        QVERIFY(m_dialogs->messages().isEmpty());
        // The panel keeps its term, kind and dates for the next search.
        w->mnuSearch_Click();
        QCOMPARE(w->Text5->text(), "50");
        QVERIFY(w->Option2_0->isChecked());
    }

    // Nothing found: the full list of the kind again, on its last row, and the user is told;
    // "%" is no wildcard, and a range that ends before it begins finds nothing.
    void nothingFoundGivesTheFullList() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        addDisbursement("Baker", "Bo", "2026-01-01", "B", 2);
        frmPaymentsDisbursements* w = open();
        search(w, 2, true, "Adams");
        QCOMPARE(w->Adodc1->RecordCount(), 1);
        m_dialogs->clear();
        search(w, 2, true, "%");
        QCOMPARE(m_dialogs->messages(), QStringList{NothingFound});
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text2_0->text(), "Baker, Bo");
        QCOMPARE(enabledCommands(m_main), DisplayCommands);
        w->DTPicker5->setValue(QDate(2026, 2, 1));
        w->DTPicker6->setValue(QDate(2026, 1, 1));
        m_dialogs->clear();
        search(w, 2, true, "Adams");
        QCOMPARE(m_dialogs->messages(), QStringList{NothingFound});
        // An empty kind says so as well.
        m_dialogs->clear();
        search(w, 2, false, "Adams");
        QCOMPARE(m_dialogs->messages(), (QStringList{NoPayments, NothingFound}));
        QCOMPARE(w->currentTab(), 4);
    }

    // A date is typed into a search picker as written; a save on a narrowed set adds to it
    // and the scroll bar shows the new row's place.
    void typedDatesAndSavesOnASearchResult() {
        addDisbursement("Adams", "Cy", "2026-01-01", "A", 1);
        addDisbursement("Baker", "Bo", "2026-01-01", "B", 2);
        frmPaymentsDisbursements* w = open("Adams, Cy");
        w->TabStrip1_Click(2);
        w->mnuSearch_Click();
        w->DTPicker5->setFocus();
        w->DTPicker5->setSelectedSection(QDateTimeEdit::MonthSection);
        QTest::keyClicks(w->DTPicker5, "11/15/2025");
        QCOMPARE(w->DTPicker5->date(), QDate(2025, 11, 15));
        w->Text5->setText("Baker");
        w->mnuContinue_Click();
        w->Adodc1Navigator->first();
        QCOMPARE(w->HScroll1->value(), 0);
        w->TabStrip1_Click(1);
        w->Combo1_1->setEditText("Clerk");
        w->Text1_0->setPlainText("Filing");
        w->Text1_1->setText("3");
        w->mnuSave_Click();
        w->TabStrip1_Click(2);
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text2_0->text(), "Adams, Cy");
        QCOMPARE(w->HScroll1->value(), 100);
        w->Adodc1Navigator->first();
        QCOMPARE(w->Text2_0->text(), "Baker, Bo");
    }

    // Save record and Search share their access key: Alt+S runs the one the tab offers, once.
    void theSharedAccessKeyRunsTheTabsCommand() {
        frmPaymentsDisbursements* w = open();
        m_dialogs->clear();
        w->TabStrip1_Click(3);
        TestSupport::showActive(m_main);
        w->Text3->setFocus();
        QTest::keyClicks(w->Text3, "150");
        QTest::keyClick(w->Text3, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(count("Payments"), 1);
        QCOMPARE(m_dialogs->messages().size(), 1);
        QCOMPARE(w->Text3->text(), "");
        QTest::keyClicks(w->Text3, "7");
        QTest::keyClick(w->Text3, Qt::Key_S, Qt::AltModifier);
        QCOMPARE(count("Payments"), 2);
        QCOMPARE(m_dialogs->messages().size(), 2);
        w->TabStrip1_Click(4);
        w->Text4_1->setFocus();
        QTest::keyClick(w->Text4_1, Qt::Key_S, Qt::AltModifier);
        QVERIFY(w->Frame5->isVisibleTo(w));
        QCOMPARE(count("Payments"), 2);
    }

    // Next visits every row of a set larger than the scroll bar's range.
    void nextVisitsEveryRowOfALargeSet() {
        QStringList rows;
        for (int i = 0; i < 150; ++i)
            rows << QStringLiteral("('C%1', 'X', '2026-01-01 00:00:00', 'P', 'D', 1)")
                        .arg(i, 3, 10, QLatin1Char('0'));
        Fixtures::execRaw(m_path,
                          {"INSERT INTO Disbursements ([Disbursement Client Last Name], "
                           "[Disbursement Client First Name], [Disbursement Date], "
                           "[Disbursement Payee], [Disbursement Description], [Disbursement "
                           "Amount]) VALUES " +
                           rows.join(", ")});
        frmPaymentsDisbursements* w = open();
        w->TabStrip1_Click(2);
        w->Adodc1Navigator->first();
        for (int i = 1; i < 150; ++i) {
            w->Adodc1Navigator->next();
            QCOMPARE(w->Text2_0->text(), QStringLiteral("C%1, X").arg(i, 3, 10, QLatin1Char('0')));
        }
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestPaymentsDisbursements)
#include "test_payments_disbursements.moc"

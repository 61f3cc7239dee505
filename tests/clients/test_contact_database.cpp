#include "ClientsFixture.h"
#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "clients/logic/ClientDeactivation.h"
#include "clients/windows/ClientBoxes.h"
#include "clients/windows/Clients.h"
#include "clients/windows/frmActiveClients.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/Twips.h"
#include "timelog/logic/ListEditing.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>

namespace {

const QString NoRecords = "No records have been entered.  Use the Entry form to enter data.";
const QString Question = "Database updated. Continue with Active Clients window?";

// Clients by last and first name, with more fields where given.
void addClient(const QString& path, const QString& last, const QString& first,
               const QString& moreColumns = {}, const QString& moreValues = {}) {
    Fixtures::execRaw(path,
                      {QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], "
                                      "[Client First Name]%1) VALUES ('%2', '%3'%4)")
                           .arg(moreColumns.isEmpty() ? QString() : ", " + moreColumns, last, first,
                                moreValues.isEmpty() ? QString() : ", " + moreValues)});
}

} // namespace

class TestContactDatabase : public ClientsFixture {
    Q_OBJECT

    frmMain* m_main = nullptr;

    QVariant stored(const QString& field, const QString& last) {
        return Database::open(m_path).scalar(
            QStringLiteral("SELECT [%1] FROM [Active Clients] WHERE [Client Last Name] = ?")
                .arg(field),
            {last});
    }

    // Display window 1 and Data entry window 1 on the file, as after start-up.
    void start() {
        gstrDatabasePath = m_path;
        gstrRecordSource = "Select * From Vellagons ORDER BY [Beginning Time]";
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }

    // The window opened from Display window 1.
    frmActiveClients* open() {
        auto* display = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "1"));
        display->mnuActiveClients->trigger();
        return frmActiveClients::loaded();
    }

    QString client(frmActiveClients* w) const { return w->TabStrip1->tabText(0); }
    QWidget* box(frmActiveClients* w, const QString& field) const {
        return w->boxOf("Active Client " + field);
    }

    // The four clients of most cases, entered out of name order.
    void fourClients() {
        addClient(m_path, "Young", "Ann", "[Active Client State], [Active Client Work Telephone]",
                  "'NY', '5185550101'");
        addClient(m_path, "Adams", "Cy");
        addClient(m_path, "Moss", "Bo", "[Active Client Retainer Date]", "'2005-01-05 00:00:00'");
        addClient(m_path, "adams", "Al");
    }

private Q_SLOTS:
    void initTestCase() { registerSubsystems(); }

    void init() {
        freshProgramOnNewFile();
        m_main = TestSupport::showMainWindow();
    }

    void cleanup() { TestSupport::closeMainWindow(m_main); }

    // Both child windows open one window on their own file, with its menus in the main bar;
    // a second opening brings it to the front unchanged, and after it closes the next opening
    // loads it afresh on the then current file.
    void opensFromBothChildWindows() {
        fourClients();
        const QString other = Fixtures::newDatabase(TestSupport::newFolder() + "/other.mdb");
        addClient(other, "Zeta", "Zoe");
        start();
        gstrDatabasePath = other;
        NewDataEntryForm();
        auto* entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "2"));
        QAction* viewDetails = entry->Toolbar2->actions().at(1);
        QCOMPARE(viewDetails->data().toString(), "View Details");
        QVERIFY(viewDetails->isEnabled() && entry->mnuActiveClients->isEnabled());
        gstrDatabasePath = m_path; // the prologue makes the entry window's file current
        viewDetails->trigger();
        frmActiveClients* w = frmActiveClients::loaded();
        QVERIFY(w);
        QCOMPARE(w->path(), other);
        QCOMPARE(client(w), "Zeta, Zoe");
        QVERIFY(Forms::isMdiChild(w));
        QStringList bar;
        for (QAction* a : m_main->menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"&Return", "&Save", "R&eport"}));

        auto* display = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "1"));
        QVERIFY(display->mnuActiveClients->isEnabled());
        display->mnuActiveClients->trigger();
        QCOMPARE(frmActiveClients::loaded(), w);
        QCOMPARE(w->path(), other);

        // Return closes the window's frame with it: no empty frame is left in the main window.
        const QPointer<QWidget> frame = w->parentWidget();
        QVERIFY(frame && frame->isVisible());
        w->mnuReturn_Click();
        QVERIFY(!frmActiveClients::loaded());
        QVERIFY(!frame || !frame->isVisible());
        entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
        entry->mnuActiveClients->trigger();
        w = frmActiveClients::loaded();
        QCOMPARE(w->path(), m_path);
        QCOMPARE(client(w), "Young, Ann");
    }

    // Back and Forward may land on the contact window; it is no Data entry window, so the
    // current entry window stays the one it was (its caption holds "Data" all the same).
    void backAndForwardLandOnTheWindowWithoutTakingItForAnEntryWindow() {
        fourClients();
        start();
        frmActiveClients* w = open();
        auto* entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
        Forms::setFocus(entry);
        entry->Toolbar1_ButtonClick("Forward");
        QCOMPARE(childWindowArea()->activeSubWindow()->widget(), w);
        QVERIFY(gblnEntryActive);
        QCOMPARE(gstrEntryIndex, "1");
    }

    // The window opens on the last client in name order (case ignored); the navigator comes
    // back from either end with a beep; every move, the scroll bar's too, names the client
    // shown in the first tab and in gstrClient, and the boxes show the row's fields.
    void browsingNamesTheClientShown() {
        fourClients();
        start();
        gstrRecordSource = "kept";
        frmActiveClients* w = open();
        QCOMPARE(gstrRecordSource, "kept");
        QCOMPARE(client(w), "Young, Ann");
        QCOMPARE(gstrClient, "Young, Ann");
        QCOMPARE(w->HScroll1->value(), 32767);
        QCOMPARE(qobject_cast<QLineEdit*>(box(w, "State"))->text(), "NY");
        QCOMPARE(qobject_cast<QLineEdit*>(box(w, "Work Telephone"))->displayText(),
                 "(518) 555-0101");
        w->Adodc1Navigator->next();
        QCOMPARE(client(w), "Young, Ann");
        w->Adodc1Navigator->first();
        QCOMPARE(client(w), "adams, Al");
        w->Adodc1Navigator->previous();
        QCOMPARE(client(w), "adams, Al");
        QCOMPARE(w->HScroll1->value(), 0);

        w->HScroll1->setValue(24000); // 2.93: the third client
        QCOMPARE(client(w), "Moss, Bo");
        QCOMPARE(gstrClient, "Moss, Bo");
        QCOMPARE(w->DTPicker1->date(), QDate(2005, 1, 5));
        QCOMPARE(w->DTPicker1->text(), "01/05/2005");
        w->HScroll1->setValue(100);
        QCOMPARE(gstrClient, "adams, Al");
        w->Adodc1Navigator->next();
        QCOMPARE(gstrClient, "Adams, Cy");
        QCOMPARE(w->HScroll1->value(), 16384);

        // A client deleted by another window meanwhile is passed over without a message.
        ScriptedDialogs dialogs;
        Database::open(m_path).exec("DELETE FROM [Active Clients] WHERE [Client Last Name] = "
                                    "'Moss'");
        w->Adodc1Navigator->next();
        QCOMPARE(gstrClient, "Young, Ann");
        QCOMPARE(dialogs.messages(), QStringList());

        // Each tab gives the focus to its first text box (on tab 2 not the date picker).
        w->TabStrip1_Click(2);
        QCOMPARE(QApplication::focusWidget(), box(w, "Claim Type"));
        w->TabStrip1_Click(5);
        QCOMPARE(QApplication::focusWidget(), box(w, "Re Line"));
    }

    // An empty table: the Part's message, only Return left, no client named, the picker on
    // the present; a step of the navigator says it again.
    void anEmptyTable() {
        start();
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 15)));
        ScriptedDialogs dialogs;
        frmActiveClients* w = open();
        QCOMPARE(dialogs.messages(), QStringList{NoRecords});
        QVERIFY(w->mnuReturn->isEnabled());
        QVERIFY(!w->mnuSave->isEnabled() && !w->mnuReport->isEnabled());
        QCOMPARE(client(w), QString());
        QCOMPARE(w->DTPicker1->date(), QDate(2024, 3, 5));
        w->Adodc1Navigator->next();
        QCOMPARE(dialogs.messages(), (QStringList{NoRecords, NoRecords}));
        // Save says so again and closes the window with its frame.
        const QPointer<QWidget> frame = w->parentWidget();
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages().size(), 3);
        QVERIFY(!frmActiveClients::loaded());
        QVERIFY(!frame || !frame->isVisible());
    }

    // Save writes the edit, then asks; No closes the window. A text too long for its field,
    // or a row deleted by another window, is said so, and no question follows; the typing
    // stays in the box.
    void saveAsksOnlyAfterAWriteThatSucceeded() {
        fourClients();
        start();
        frmActiveClients* w = open();
        ScriptedDialogs dialogs;
        TestSupport::typeOver(box(w, "City"), "Albany");
        dialogs.answer(Dialogs::vbYes);
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(), QStringList{Question});
        QCOMPARE(stored("Active Client City", "Young"), "Albany");
        QVERIFY(frmActiveClients::loaded());

        dialogs.clear();
        const QString fiftyOne(51, QChar('x'));
        TestSupport::typeOver(box(w, "State"), fiftyOne);
        w->TabStrip1_Click(3);
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(),
                 QStringList{"The State box can hold at most 50 characters; it holds 51 now. "
                             "Shorten it, then save or move on."});
        QCOMPARE(w->TabStrip1->currentIndex(), 0);
        QCOMPARE(qobject_cast<QLineEdit*>(box(w, "State"))->text(), fiftyOne);
        QCOMPARE(stored("Active Client State", "Young"), "NY");
        w->Adodc1Navigator->first(); // a move is refused the same way
        QCOMPARE(client(w), "Young, Ann");
        QCOMPARE(dialogs.messages().size(), 2);

        dialogs.clear();
        TestSupport::typeOver(box(w, "State"), "VT");
        Database::open(m_path).exec("DELETE FROM [Active Clients] WHERE [Client Last Name] = "
                                    "'Young'");
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(),
                 QStringList{"The record of Young, Ann was changed or deleted by another window "
                             "or program since it was shown, so your changes to it were not "
                             "saved."});
        QCOMPARE(client(w), "Moss, Bo"); // on to the row before it, the last one left

        // No closes the window's frame with it: no empty frame stays in the main window.
        dialogs.clear();
        dialogs.answer(Dialogs::vbNo);
        const QPointer<QWidget> frame = w->parentWidget();
        QVERIFY(frame && frame->isVisible());
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(), QStringList{Question});
        QVERIFY(!frmActiveClients::loaded());
        QVERIFY(!frame || !frame->isVisible());
    }

    // Other windows' writes stand. A client deactivated while shown, and a new client that got
    // its row id: the new client keeps its City. A to-do text saved while the "To Do's" box is
    // being typed in: it is not written over unseen. Each is told, naming the client, with no
    // "Database updated"; the typing stays while the client does, for the next Save to write.
    void writesLandOnTheClientShownAsItWasRead() {
        fourClients();
        start();
        frmActiveClients* w = open();
        ScriptedDialogs dialogs;
        w->Adodc1Navigator->first();
        QCOMPARE(client(w), "adams, Al"); // the client added last
        const QString closed = "2024-03-05 00:00:00";
        QCOMPARE(ClientDeactivation::deactivate(
                     Database::open(m_path), ListTables::itemOf(MainLists::Clients, "adams", "Al"),
                     QDateTime(QDate(2024, 3, 5), QTime())),
                 ClientDeactivation::Outcome::Moved);
        ListEditing::add(m_path, MainLists::Clients,
                         ListTables::itemOf(MainLists::Clients, "Zed", "Zoe"));
        QCOMPARE(Database::open(m_path).scalar("SELECT rowid FROM [Active Clients] WHERE "
                                               "[Client Last Name] = 'Zed'"),
                 QVariant(4)); // adams, Al's
        TestSupport::typeOver(box(w, "City"), "Albany");
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(),
                 QStringList{"The record of adams, Al was changed or deleted by another window "
                             "or program since it was shown, so your changes to it were not "
                             "saved."});
        QCOMPARE(stored("Active Client City", "Zed"), QVariant(QMetaType::fromType<QString>()));
        QCOMPARE(stored("Client First Name", "Zed"), "Zoe");
        QCOMPARE(Database::open(m_path).scalar("SELECT count(*) FROM [Active Clients] WHERE "
                                               "[Active Client City] = 'Albany'"),
                 QVariant(0));
        QVERIFY(frmActiveClients::loaded());

        dialogs.clear();
        w->Adodc1Navigator->last();
        QCOMPARE(client(w), "Young, Ann");
        TestSupport::typeOver(box(w, "Things To Do"), "call Ann");
        // Another instance's Done, and a change of another field.
        Fixtures::execRaw(m_path, {"UPDATE [Active Clients] SET [Active Client Things To Do] = "
                                   "'file the brief' || char(13, 10), [Active Client City] = "
                                   "'Troy' WHERE [Client Last Name] = 'Young'"});
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(),
                 QStringList{"The record of Young, Ann was changed or deleted by another window "
                             "or program since it was shown, so your changes were not saved. It "
                             "is shown now as it stands, with your changes kept; they are "
                             "written when you save or move on again."});
        QCOMPARE(stored("Active Client Things To Do", "Young"), "file the brief\r\n");
        QCOMPARE(qobject_cast<QTextEdit*>(box(w, "Things To Do"))->toPlainText(), "call Ann");
        QCOMPARE(qobject_cast<QLineEdit*>(box(w, "City"))->text(), "Troy");
        QCOMPARE(client(w), "Young, Ann");

        // Seen, the typing is saved the next time.
        dialogs.clear();
        dialogs.answer(Dialogs::vbYes);
        w->mnuSave_Click();
        QCOMPARE(dialogs.messages(), QStringList{Question});
        QCOMPARE(stored("Active Client Things To Do", "Young"), "call Ann");
        QCOMPARE(stored("Active Client City", "Young"), "Troy");
    }

    // Browsing never writes: a Null retainer date stays Null and shows blank, an empty masked
    // box stores nothing. A date set is kept as the day shown, and the user can clear it.
    void browsingWritesNothingAndNullStaysNull() {
        fourClients();
        start();
        Clock::setNow(QDateTime(QDate(2024, 3, 5), QTime(9, 15, 42)));
        frmActiveClients* w = open();
        const QString before = Fixtures::contents(m_path);
        for (int i = 0; i < 4; ++i)
            w->Adodc1Navigator->previous();
        w->Adodc1Navigator->last();
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(Fixtures::contents(m_path), before);
        QVERIFY(w->DTPicker1->isNull());
        QCOMPARE(w->DTPicker1->text(), " ");

        w->DTPicker1->setFocus();
        QTest::keyClick(w->DTPicker1, Qt::Key_Up); // an empty picker starts from the present
        auto* zip = qobject_cast<QLineEdit*>(box(w, "Zip Code"));
        zip->setFocus();
        zip->setCursorPosition(0);
        QTest::keyClicks(zip, "12207");
        auto* phone = qobject_cast<QLineEdit*>(box(w, "Home Telephone"));
        TestSupport::typeOver(phone, "518");
        TestSupport::typeOver(phone, QString());
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("Active Client Retainer Date", "Young"), "2024-03-05 00:00:00");
        QCOMPARE(stored("Active Client Zip Code", "Young"), "12207");
        QCOMPARE(stored("Active Client Home Telephone", "Young"), "");

        w->DTPicker1->setFocus();
        QTest::keyClick(w->DTPicker1, Qt::Key_Delete);
        QVERIFY(w->Adodc1->Update());
        QVERIFY(stored("Active Client Retainer Date", "Young").isNull());
    }

    // What was typed is written when the window closes by Return, its close box or the end of
    // the program; a write that is refused keeps the window open, and the program with it.
    void closingWritesTheEditOrStaysOpen() {
        fourClients();
        start();
        frmActiveClients* w = open();
        ScriptedDialogs dialogs;
        TestSupport::typeOver(box(w, "History"), "Filed the claim.");
        w->mnuReturn_Click();
        QVERIFY(!frmActiveClients::loaded());
        QCOMPARE(stored("Active Client History", "Young"), "Filed the claim.");

        w = open();
        TestSupport::typeOver(box(w, "Referrer"), QString(201, QChar('r')));
        QVERIFY(!qobject_cast<QMdiSubWindow*>(w->parentWidget())->close());
        w->mnuReturn_Click();
        QVERIFY(!ExitProgram());
        QCOMPARE(frmActiveClients::loaded(), w);
        QVERIFY(m_main->isVisible());
        QCOMPARE(dialogs.messages().size(), 3);
        QVERIFY(dialogs.lastMessage().startsWith("The Referrer box can hold at most 200"));

        TestSupport::typeOver(box(w, "Referrer"), "Dr. Lee");
        QVERIFY(qobject_cast<QMdiSubWindow*>(w->parentWidget())->close());
        QCOMPARE(stored("Active Client Referrer", "Young"), "Dr. Lee");
    }

    // The window never gets smaller than its minimum; a narrow window says "Alt Telephone",
    // and whatever the width every caption of every tab shows whole.
    void theLayoutRules() {
        fourClients();
        start();
        frmActiveClients* w = open();
        QWidget* frame = w->parentWidget();
        const auto clipped = [w] {
            QStringList captions;
            for (int tab = 0; tab < w->TabStrip1->count(); ++tab) {
                w->TabStrip1->setCurrentIndex(tab);
                for (QGroupBox* f : w->TabStrip1->widget(tab)->findChildren<QGroupBox*>())
                    if (f->width() < ClientBoxes::captionWidth(f, f->title()))
                        captions << f->title();
            }
            w->TabStrip1->setCurrentIndex(0);
            return captions;
        };
        frame->resize(Twips::toPixels(16000), Twips::toPixels(8000));
        QCOMPARE(w->AlternativeTelephone->title(), "Alternative Telephone");
        for (int width = 16000; width >= 3000; width -= 500) {
            frame->resize(Twips::toPixels(width), Twips::toPixels(8000));
            QCOMPARE(clipped(), QStringList());
            if (width < 7000)
                QCOMPARE(w->AlternativeTelephone->title(), "Alt Telephone");
        }
        // Narrowed on another tab, the first one shows the short caption when it comes back.
        frame->resize(Twips::toPixels(16000), Twips::toPixels(8000));
        w->TabStrip1->setCurrentIndex(1);
        frame->resize(frame->minimumSize());
        w->TabStrip1->setCurrentIndex(0);
        QCOMPARE(w->AlternativeTelephone->title(), "Alt Telephone");
        frame->resize(Twips::toPixels(3000), Twips::toPixels(3000));
        QVERIFY(frame->width() >= Twips::toPixels(6000));
        QVERIFY(frame->height() >= Twips::toPixels(6800));
        // However small, each box keeps the height it needs to show its text.
        for (const char* field : {"First Address", "City", "Email Address"})
            QVERIFY(box(w, field)->height() >= box(w, field)->sizeHint().height());
    }

    // The report reads the file the window was loaded with, whichever file another window made
    // current since, and shows the edit typed before it was asked for.
    void theReportIsOfTheWindowsFile() {
        fourClients();
        start();
        frmActiveClients* w = open();
        TestSupport::typeOver(box(w, "Email Address"), "ann@example.com");
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/empty.mdb");
        ReportRecorder recorder;
        w->mnuReport_Click();
        QCOMPARE(recorder.shown().size(), 1);
        QCOMPARE(recorder.shown().first().caption, "Active Clients Report");
        QStringList clients;
        for (const ReportPage& page : recorder.shown().first().pages)
            for (const PlacedText& t : page.textsOf("Text1"))
                clients << t.lines.first();
        QCOMPARE(clients, (QStringList{"Al adams", "Cy Adams", "Bo Moss", "Ann Young"}));
        QCOMPARE(stored("Active Client Email Address", "Young"), "ann@example.com");
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestContactDatabase)
#include "test_contact_database.moc"

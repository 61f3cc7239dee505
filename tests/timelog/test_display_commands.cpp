#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/ChildWindows.h"
#include "core/Forms.h"
#include "core/LookupLists.h"
#include "core/SharedState.h"
#include "core/frmMain.h"
#include "platform/DataControl.h"
#include "platform/Database.h"
#include "timelog/TimeLogging.h"
#include "timelog/frmDisplay.h"
#include "timelog/frmEntryWithFrames.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTextEdit>

namespace {

void addLog(const QString& path, const QString& values) {
    Fixtures::execRaw(
        path,
        {QStringLiteral("INSERT INTO Vellagons (Client, Project, Employee, Rate, [Log Summary], "
                        "Vellagon, [Beginning Time], [Ending Time], Duration) VALUES (%1)")
             .arg(values)});
}

const QString Full =
    "'Smith, Jo', 'MARKETING', 'Doe, Al', '150', 'Call', 'Talked it over.', '2025-08-24 10:05:00', "
    "'2025-08-24 10:35:00', 0.5";

} // namespace

class TestDisplayCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;

    frmDisplay* display(const QString& tag = "1") {
        return static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, tag));
    }

    // Display window 1 and Entry window 1 on the file with the given logs, the display active.
    void start(const QStringList& logs = {}) {
        for (const QString& values : logs)
            addLog(m_path, values);
        gstrDatabasePath = m_path;
        gstrRecordSource = "Select * From Vellagons ORDER BY [Beginning Time]";
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        Forms::setFocus(display());
    }

    int logs() { return Database::open(m_path).scalar("SELECT count(*) FROM Vellagons").toInt(); }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }

    void init() {
        TestSupport::freshProgram();
        resetChildWindows();
        Forms::reset();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
        m_main = new frmMain;
        m_main->resize(1000, 800);
        m_main->show();
        m_main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_main));
    }
    void cleanup() {
        delete m_main;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void printingALog() {
        // By beginning time: a log without times, one without client, project or summary, and a
        // full one, which the window shows first.
        start({"'A', '', '', '', '', '', NULL, NULL, NULL",
               "'', '', NULL, '', '', 'x', '2025-08-24 10:05:00', '2025-08-24 10:35:00', 0.5",
               Full});
        ScriptedDialogs dialogs;
        PrintRecorder printer;
        frmDisplay* w = display();
        const auto printed = [&] {
            w->mnuPrintVellagon_Click();
            return printer.lastJob().documentPages.first().text.split('\n');
        };
        QCOMPARE(printed(),
                 (QStringList{"Client: Smith, Jo     Project: MARKETING     ",
                              "Employee (or user): Doe, Al     Rate: 150     ",
                              "Summary of Vellagon: Call",
                              "Beginning: 8/24/2025 10:05:00 AM     Ending: 8/24/2025 10:35:00 AM "
                              "    Duration: 0.5",
                              "Vellagon Notes: ", "Talked it over."}));
        QCOMPARE(w->RichTextBox2->toPlainText(), "Talked it over.");
        QVERIFY(!w->RichTextBox2->document()->isModified());
        w->Adodc1->MovePrevious(); // a move stores nothing of the print text
        QCOMPARE(Database::open(m_path).scalar("SELECT Vellagon FROM Vellagons WHERE Client = "
                                               "'Smith, Jo'"),
                 "Talked it over.");

        const QStringList lines = printed();
        QCOMPARE(lines.mid(0, 2), (QStringList{"", ""}));
        QVERIFY(lines.value(2).startsWith("Beginning: "));

        w->Adodc1->MovePrevious();
        w->mnuPrintVellagon_Click(); // no times: not printed, nothing said
        QCOMPARE(printer.jobs().size(), 2);
        w->Adodc1->MovePrevious();
        w->mnuPrintVellagon_Click();
        QCOMPARE(dialogs.messages(),
                 QStringList{"No current record found in the Vellagon Display window to print."});
        // The graphics view prints too; a cancelled print dialog says nothing.
        w->Adodc1->MoveLast();
        w->mnuGraphics_Click();
        printer.cancelNext();
        w->mnuPrintVellagon_Click();
        QCOMPARE(dialogs.messages().size(), 1);
    }

    void deleteAsksFirst() {
        start({Full, Full, Full});
        ScriptedDialogs dialogs;
        frmDisplay* w = display();
        dialogs.answer(Dialogs::vbNo);
        w->mnuDeleteLog_Click();
        QCOMPARE(dialogs.last()->text, "Are you sure?");
        QCOMPARE(dialogs.last()->title, "Delete This Record");
        QCOMPARE(dialogs.last()->style, 260);
        QCOMPARE(logs(), 3);
        QCOMPARE(QApplication::focusWidget(), w->Text2);

        w->Adodc1->MoveFirst();
        dialogs.answer(Dialogs::vbYes);
        w->mnuDeleteLog_Click();
        QCOMPARE(logs(), 2);
        QCOMPARE(w->Slider1->value(), 100);

        // Past the last row there is nothing to delete, even though the window has a log.
        w->Adodc1->MoveNext();
        dialogs.answer(Dialogs::vbYes);
        w->mnuDeleteLog_Click();
        QCOMPARE(dialogs.lastMessage(), "There are no records to delete.");
        QCOMPARE(dialogs.last()->title, "Delete This Record");
        QCOMPARE(logs(), 2);
    }

    void saveChangesStoresTheEdit() {
        start({Full});
        frmDisplay* w = display();
        w->Text5->setFocus();
        w->Text5->selectAll();
        QTest::keyClicks(w->Text5, "Call back");
        w->Toolbar1_ButtonClick("Save");
        QCOMPARE(Database::open(m_path).scalar("SELECT [Log Summary] FROM Vellagons"), "Call back");
        QCOMPARE(w->Text5->text(), "Call back");
    }

    void theReportShowsTheWindowsLogs() {
        start({Full, Full});
        ReportRecorder reports;
        display()->mnuReport_Click();
        QCOMPARE(reports.shown().size(), 1);
        QCOMPARE(reports.shown().first().pages.first().textsOf("Text1").size(), 2);
    }

    void enterDataOpensAnEntryWindowOnThisFile() {
        Fixtures::execRaw(m_path, {"INSERT INTO Projects VALUES ('APPEALS')"});
        start({Full});
        gstrDatabasePath = "/elsewhere.mdb";
        display()->mnuDEnter_Click();
        ChildWindow* entry = childWindow(ChildWindow::Kind::Entry, "2");
        QVERIFY(entry);
        QCOMPARE(entry->path(), m_path);
        QVERIFY(mainLists().List1[MainLists::Projects].items().contains("APPEALS"));

        ScriptedDialogs dialogs;
        display()->setPath(TestSupport::newFolder() + "/gone/x.mdb");
        display()->mnuDEnter_Click();
        QVERIFY(dialogs.lastMessage().startsWith("Error in creating new Enter data module: "));
    }

    void backAndForwardWrapThroughTheChildWindows() {
        start();
        ChildWindow* entry = childWindow(ChildWindow::Kind::Entry, "1");
        display()->Toolbar1_ButtonClick("Back");
        QCOMPARE(activeChildWindow(), entry);
        QVERIFY(gblnEntryActive);
        QCOMPARE(gstrEntryIndex, "1");
        display()->Toolbar1_ButtonClick("Forward");
        QCOMPARE(activeChildWindow(), entry);
        Forms::setFocus(entry);
        static_cast<frmEntryWithFrames*>(entry)->Toolbar1_ButtonClick("Back");
        QCOMPARE(activeChildWindow(), display());

        // A closed window is passed over.
        NewDisplayForm();
        Forms::close(display("2"));
        Forms::setFocus(display());
        display()->Toolbar1_ButtonClick("Forward");
        QCOMPARE(activeChildWindow(), entry);

        // Forward stops at a window that is no child window and shows where this window's file is.
        QWidget search;
        search.setWindowTitle("Search");
        Forms::add(&search);
        auto* entryWindow = static_cast<frmEntryWithFrames*>(entry);
        Forms::setFocus(entryWindow);
        entryWindow->Label1->clear();
        entryWindow->Toolbar1_ButtonClick("Forward");
        QCOMPARE(activeChildWindow(), entry);
        QCOMPARE(entryWindow->Label1->text(), m_path);
        Forms::remove(&search);
    }

    void fileCommandsActOnTheWindowsOwnFile() {
        start({Full});
        ScriptedDialogs dialogs;
        const QString other = Fixtures::newDatabase(TestSupport::newFolder() + "/other.mdb");
        gstrDatabasePath = other;
        dialogs.answerFile(m_path);
        display()->mnuCompactData_Click();
        QCOMPARE(dialogs.shown().first().file.initialName, m_path);
        QVERIFY(dialogs.lastMessage().startsWith(
            "You can only compact a database that is not being used."));

        const QString fresh = TestSupport::newFolder() + "/fresh.mdb";
        dialogs.answerFile(fresh);
        display()->mnuNewFile_Click();
        QCOMPARE(dialogs.lastMessage(),
                 "Your new database, " + fresh + ", has successfully been created.");
        QCOMPARE(activeChildWindow()->path(), fresh);
        QCOMPARE(static_cast<frmDisplay*>(activeChildWindow())->Adodc1->RecordCount(), 0);
        QCOMPARE(gstrDatabasePath, m_path);
    }

    void editCommandsWorkOnTheFocusedBox() {
        start({Full});
        frmDisplay* w = display();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText("old");
        w->Text5->setFocus();
        w->Text5->deselect();
        QTest::keyClick(w->Text5, Qt::Key_C, Qt::ControlModifier); // nothing selected: clears
        QCOMPARE(clipboard->text(), QString());
        w->Text5->setSelection(0, 4);
        QTest::keyClick(w->Text5, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), "Call");
        QCOMPARE(w->Text5->text(), QString());
        QTest::keyClick(w->Text5, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w->Text5->text(), "Call");
        w->Text5->setCursorPosition(0);
        QTest::keyClick(w->Text5, Qt::Key_Delete); // nothing selected: nothing removed
        QCOMPARE(w->Text5->text(), "Call");
        w->Text5->setSelection(1, 2);
        QTest::keyClick(w->Text5, Qt::Key_Delete);
        QCOMPARE(w->Text5->text(), "Cl");
        QCOMPARE(clipboard->text(), "Call");
    }
};

VELLAGON_TEST_MAIN(TestDisplayCommands)
#include "test_display_commands.moc"

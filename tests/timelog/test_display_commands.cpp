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

const QString Full = QStringLiteral(
    "'Smith, Jo', 'MARKETING', 'Doe, Al', '150', 'Call', 'Talked it over.', '2025-08-24 10:05:00', "
    "'2025-08-24 10:35:00', 0.5");

} // namespace

class TestDisplayCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;

    frmDisplay* display(const QString& tag = QStringLiteral("1")) {
        return static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, tag));
    }

    void start() {
        gstrDatabasePath = m_path;
        gstrRecordSource = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        Forms::setFocus(display());
    }

    int logs() {
        return Database::open(m_path)
            .scalar(QStringLiteral("SELECT count(*) FROM Vellagons"))
            .toInt();
    }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }

    void init() {
        TestSupport::freshProgram();
        resetChildWindows();
        Forms::reset();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/logs.mdb"));
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

    void printingALogLeavesTheNotesBoxAlone() {
        addLog(m_path, Full);
        start();
        PrintRecorder printer;
        frmDisplay* w = display();
        w->mnuPrintVellagon_Click();
        QCOMPARE(printer.jobs().size(), 1);
        const QString printed = printer.lastJob().documentPages.first().text;
        QCOMPARE(printed.split(QLatin1Char('\n')),
                 QStringList(
                     {QStringLiteral("Client: Smith, Jo     Project: MARKETING     "),
                      QStringLiteral("Employee (or user): Doe, Al     Rate: 150     "),
                      QStringLiteral("Summary of Vellagon: Call"),
                      QStringLiteral(
                          "Beginning: 8/24/2025 10:05:00 AM     Ending: 8/24/2025 10:35:00 AM     "
                          "Duration: 0.5"),
                      QStringLiteral("Vellagon Notes: "), QStringLiteral("Talked it over.")}));
        QCOMPARE(w->RichTextBox2->toPlainText(), QStringLiteral("Talked it over."));
        QVERIFY(!w->RichTextBox2->document()->isModified());
        w->Adodc1->MoveFirst(); // a move stores nothing of the print text
        QCOMPARE(Database::open(m_path)
                     .scalar(QStringLiteral("SELECT Vellagon FROM Vellagons"))
                     .toString(),
                 QStringLiteral("Talked it over."));
    }

    void aLogWithoutClientProjectOrSummary() {
        addLog(m_path,
               QStringLiteral(
                   "'', '', NULL, '', '', 'x', '2025-08-24 10:05:00', '2025-08-24 10:35:00', 0.5"));
        start();
        PrintRecorder printer;
        display()->mnuPrintVellagon_Click();
        const QStringList lines =
            printer.lastJob().documentPages.first().text.split(QLatin1Char('\n'));
        QCOMPARE(lines.value(0), QString());
        QCOMPARE(lines.value(1), QString());
        QVERIFY(lines.value(2).startsWith(QStringLiteral("Beginning: ")));
    }

    void printingWithoutALogOrCancelled() {
        addLog(m_path, QStringLiteral("'A', '', '', '', '', '', NULL, NULL, NULL"));
        start();
        ScriptedDialogs dialogs;
        PrintRecorder printer;
        display()->mnuPrintVellagon_Click(); // no times: not printed, nothing said
        QVERIFY(printer.jobs().isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
        display()->Adodc1->MoveNext();
        display()->mnuPrintVellagon_Click();
        QCOMPARE(
            dialogs.lastMessage(),
            QStringLiteral("No current record found in the Vellagon Display window to print."));
        display()->Adodc1->MoveFirst();
        display()->mnuGraphics_Click();
        printer.cancelNext();
        display()->mnuPrintVellagon_Click();
        QCOMPARE(dialogs.messages().size(), 1);
    }

    void deleteAsksFirst() {
        addLog(m_path, Full);
        addLog(m_path, Full);
        addLog(m_path, Full);
        start();
        ScriptedDialogs dialogs;
        frmDisplay* w = display();
        dialogs.answer(Dialogs::vbNo);
        w->mnuDeleteLog_Click();
        QCOMPARE(dialogs.last()->text, QStringLiteral("Are you sure?"));
        QCOMPARE(dialogs.last()->title, QStringLiteral("Delete This Record"));
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
        QCOMPARE(dialogs.lastMessage(), QStringLiteral("There are no records to delete."));
        QCOMPARE(dialogs.last()->title, QStringLiteral("Delete This Record"));
        QCOMPARE(logs(), 2);
    }

    void saveChangesStoresTheEdit() {
        addLog(m_path, Full);
        start();
        frmDisplay* w = display();
        w->Text5->setFocus();
        w->Text5->selectAll();
        QTest::keyClicks(w->Text5, QStringLiteral("Call back"));
        w->Toolbar1_ButtonClick(QStringLiteral("Save"));
        QCOMPARE(Database::open(m_path)
                     .scalar(QStringLiteral("SELECT [Log Summary] FROM Vellagons"))
                     .toString(),
                 QStringLiteral("Call back"));
        QCOMPARE(w->Text5->text(), QStringLiteral("Call back"));
    }

    void theReportShowsTheWindowsLogs() {
        addLog(m_path, Full);
        addLog(m_path, Full);
        start();
        ReportRecorder reports;
        display()->mnuReport_Click();
        QCOMPARE(reports.shown().size(), 1);
        QCOMPARE(reports.shown().first().caption, QStringLiteral("Vellagons"));
        int clients = 0;
        for (const ReportPage& page : reports.shown().first().pages)
            for (const PlacedText& t : page.texts)
                clients += t.control == QLatin1String("Text1") ? 1 : 0;
        QCOMPARE(clients, 2);
    }

    void enterDataOpensAnEntryWindowOnThisFile() {
        addLog(m_path, Full);
        Fixtures::execRaw(m_path, {QStringLiteral("INSERT INTO Projects VALUES ('APPEALS')")});
        start();
        gstrDatabasePath = QStringLiteral("/elsewhere.mdb");
        display()->mnuDEnter_Click();
        ChildWindow* entry = childWindow(ChildWindow::Kind::Entry, QStringLiteral("2"));
        QVERIFY(entry);
        QCOMPARE(entry->path(), m_path);
        QVERIFY(mainLists().List1[MainLists::Projects].items().contains(QStringLiteral("APPEALS")));

        ScriptedDialogs dialogs;
        display()->setPath(TestSupport::newFolder() + QStringLiteral("/gone/x.mdb"));
        display()->mnuDEnter_Click();
        QVERIFY(dialogs.lastMessage().startsWith(
            QStringLiteral("Error in creating new Enter data module: ")));
    }

    void backAndForwardWrapThroughTheChildWindows() {
        start();
        ChildWindow* entry = childWindow(ChildWindow::Kind::Entry, QStringLiteral("1"));
        display()->Toolbar1_ButtonClick(QStringLiteral("Back"));
        QCOMPARE(activeChildWindow(), entry);
        QVERIFY(gblnEntryActive);
        QCOMPARE(gstrEntryIndex, QStringLiteral("1"));
        display()->Toolbar1_ButtonClick(QStringLiteral("Forward"));
        QCOMPARE(activeChildWindow(), entry);
        Forms::setFocus(entry);
        static_cast<frmEntryWithFrames*>(entry)->Toolbar1_ButtonClick(QStringLiteral("Back"));
        QCOMPARE(activeChildWindow(), display());

        // A closed window is passed over.
        NewDisplayForm();
        Forms::close(display(QStringLiteral("2")));
        Forms::setFocus(display());
        display()->Toolbar1_ButtonClick(QStringLiteral("Forward"));
        QCOMPARE(activeChildWindow(), entry);

        // Forward stops at a window that is no child window and shows where this window's file is.
        QWidget search;
        search.setWindowTitle(QStringLiteral("Search"));
        Forms::add(&search);
        auto* entryWindow = static_cast<frmEntryWithFrames*>(entry);
        Forms::setFocus(entryWindow);
        entryWindow->Label1->clear();
        entryWindow->Toolbar1_ButtonClick(QStringLiteral("Forward"));
        QCOMPARE(activeChildWindow(), entry);
        QCOMPARE(entryWindow->Label1->text(), m_path);
        Forms::remove(&search);
    }

    void fileCommandsActOnTheWindowsOwnFile() {
        addLog(m_path, Full);
        start();
        ScriptedDialogs dialogs;
        const QString other =
            Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/other.mdb"));
        gstrDatabasePath = other;
        dialogs.answerFile(m_path);
        display()->mnuCompactData_Click();
        QCOMPARE(dialogs.shown().first().file.initialName, m_path);
        QVERIFY(dialogs.lastMessage().startsWith(
            QStringLiteral("You can only compact a database that is not being used.")));

        const QString fresh = TestSupport::newFolder() + QStringLiteral("/fresh.mdb");
        dialogs.answerFile(fresh);
        display()->mnuNewFile_Click();
        QCOMPARE(
            dialogs.lastMessage(),
            QStringLiteral("Your new database, %1, has successfully been created.").arg(fresh));
        QCOMPARE(activeChildWindow()->Caption(), QStringLiteral("Display form 2"));
        QCOMPARE(activeChildWindow()->path(), fresh);
        QCOMPARE(gstrDatabasePath, m_path);

        dialogs.answerFile(other);
        display()->mnuOpenFile_Click();
        QCOMPARE(dialogs.lastMessage(), other + QStringLiteral(" has successfully been opened"));
        QCOMPARE(activeChildWindow()->path(), other);
        QCOMPARE(static_cast<frmDisplay*>(activeChildWindow())->Adodc1->RecordCount(), 0);
    }

    void editCommandsWorkOnTheFocusedBox() {
        addLog(m_path, Full);
        start();
        frmDisplay* w = display();
        QClipboard* clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("old"));
        w->Text5->setFocus();
        w->Text5->deselect();
        QTest::keyClick(w->Text5, Qt::Key_C, Qt::ControlModifier); // nothing selected: clears
        QCOMPARE(clipboard->text(), QString());
        w->Text5->setSelection(0, 4);
        QTest::keyClick(w->Text5, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(clipboard->text(), QStringLiteral("Call"));
        QCOMPARE(w->Text5->text(), QString());
        QTest::keyClick(w->Text5, Qt::Key_G, Qt::ControlModifier);
        QCOMPARE(w->Text5->text(), QStringLiteral("Call"));
        w->Text5->setCursorPosition(0);
        QTest::keyClick(w->Text5, Qt::Key_Delete); // nothing selected: nothing removed
        QCOMPARE(w->Text5->text(), QStringLiteral("Call"));
        w->Text5->setSelection(1, 2);
        QTest::keyClick(w->Text5, Qt::Key_Delete);
        QCOMPARE(w->Text5->text(), QStringLiteral("Cl"));
        QCOMPARE(clipboard->text(), QStringLiteral("Call"));
    }
};

VELLAGON_TEST_MAIN(TestDisplayCommands)
#include "test_display_commands.moc"

#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/Settings.h"
#include "platform/widgets/RichText.h"
#include "timelog/logic/DisplayRules.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>
#include <sqlite3.h>

namespace {

QString addLog(const QString& path, const QString& client, const QString& begin,
               const QString& rate = QString(), double duration = 1.0) {
    Fixtures::execRaw(
        path, {QStringLiteral(
                   "INSERT INTO Vellagons (Client, [Beginning Time], [Ending Time], Rate, "
                   "Duration, Fee, Vellagon) VALUES ('%1', '%2', '%2', '%3', %4, 0, 'notes of %1')")
                   .arg(client, begin, rate)
                   .arg(duration)});
    return client;
}

void insertLog(const QString& path, const QString& values) {
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

class TestDisplayWindow : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;

    // A Display window of its own on the file.
    std::unique_ptr<frmDisplay> open() {
        gstrDatabasePath = m_path;
        auto w = std::make_unique<frmDisplay>();
        w->resize(900, 700);
        w->show();
        return w;
    }

    frmDisplay* display(const QString& tag = "1") {
        return static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, tag));
    }

    // Display window 1 and Entry window 1 in the main window, on the file with the given logs,
    // the display active.
    void start(const QStringList& logs = {}) {
        for (const QString& values : logs)
            insertLog(m_path, values);
        gstrDatabasePath = m_path;
        gstrRecordSource = "Select * From Vellagons ORDER BY [Beginning Time]";
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        Forms::setFocus(display());
    }

    QVariant stored(const QString& sql) { return Database::open(m_path).scalar(sql); }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }

    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
        gstrDisplayFontName = "MS Sans Serif";
        gstrDisplayFontSize = "12";
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    // The ends of the recordset; the rounding between them is the scroll arithmetic's.
    void theSliderAtTheEnds() {
        QCOMPARE(DisplayRules::sliderValue(false, false, 1, 3, 100), 0);
        QCOMPARE(DisplayRules::sliderValue(false, false, 2, 3, 100), 67);
        QCOMPARE(DisplayRules::sliderValue(true, true, -1, 0, 100), 0);
        QCOMPARE(DisplayRules::sliderValue(false, true, -3, 3, 100), 100);
        QCOMPARE(DisplayRules::sliderValue(true, false, -2, 3, 100), 0);
        QCOMPARE(DisplayRules::positionForSlider(0, 100, 3), std::optional<int>());
        QCOMPARE(DisplayRules::positionForSlider(50, 100, 3), std::optional<int>(2));
    }

    void feeMessages() {
        QCOMPARE(DisplayRules::feeMessage("50", "2.5"),
                 std::optional<QString>("Fee for services is $125"));
        QCOMPARE(DisplayRules::feeMessage("75", "1.5"),
                 std::optional<QString>("Fee for services is $112.5"));
        QCOMPARE(DisplayRules::feeMessage(QString(), "2.5"), std::optional<QString>());
        QCOMPARE(DisplayRules::feeMessage("fifty", "2.5"), std::optional<QString>());
    }

    void atStartUpTheLogsAreReadOnceTheMainWindowIsDrawn() {
        // A file of a million logs would otherwise keep the program from appearing.
        addLog(m_path, "Older", "2005-08-01 09:00:00");
        addLog(m_path, "Newest", "2005-08-24 09:00:00");
        TestSupport::closeMainWindow(m_main);
        Settings::setValue("DefaultLogFile", "Default Log File", m_path);
        ScriptedDialogs dialogs;
        m_main = new frmMain;
        m_main->MDIForm_Load();
        QCOMPARE(display()->Adodc1->RecordCount(), 0);
        QCOMPARE(display()->Text1->text(), QString());
        m_main->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main));
        QTRY_COMPARE(display()->Text1->text(), "Newest");
        QCOMPARE(display()->Adodc1->RecordCount(), 2);
        QCOMPARE(display()->Slider1->value(), 100);
        QCOMPARE(gvarBeginDate, QVariant(QDateTime(QDate(2005, 8, 1), QTime(9, 0))));
        QCOMPARE(activeChildWindow()->Caption(), "Data entry form 1");
    }

    void anEmptyFileOpensQuietly() {
        ScriptedDialogs dialogs;
        gvarBeginDate = "kept";
        auto w = open();
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(gvarBeginDate.toString(), "kept");
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->path(), m_path);
        // Even a tiny window raises nothing.
        w->resize(30, 20);
        w->resize(2, 2);
        QVERIFY(dialogs.shown().isEmpty());
        // Nothing typed is taken, so Save changes has nothing to drop.
        TestSupport::typeOver(w->Text1, "Typed, Tom");
        QCOMPARE(w->Text1->text(), QString());
        w->mnuSaveChanges_Click();
        QCOMPARE(Fixtures::logCount(m_path), 0);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void opensOnTheNewestLogAndTracksThePosition() {
        addLog(m_path, "B", "2025-02-01 09:00:00");
        addLog(m_path, "C", "2025-03-01 09:00:00");
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        QCOMPARE(w->Text1->text(), "C");
        QCOMPARE(w->Slider1->value(), 100);
        QCOMPARE(gvarBeginDate.toDateTime(), QDateTime(QDate(2025, 1, 1), QTime(9, 0)));
        QCOMPARE(gvarEndDate.toDateTime(), QDateTime(QDate(2025, 3, 1), QTime(9, 0)));
        QCOMPARE(w->RichTextBox2->toPlainText(), "notes of C");
        w->Adodc1->MoveFirst();
        QCOMPARE(w->Slider1->value(), 0);
        w->Adodc1->MoveNext();
        QCOMPARE(w->Slider1->value(), 67);

        // Releasing the slider at 0 moves nothing; at 50 it goes to the second log.
        w->Adodc1->MoveLast();
        w->Slider1->setValue(0);
        w->Slider1_MouseUp();
        QCOMPARE(w->Slider1->value(), 0);
        QCOMPARE(w->Text1->text(), "C");
        w->Slider1->setValue(50);
        w->Slider1_MouseUp();
        QCOMPARE(w->Text1->text(), "B");
        QCOMPARE(w->Slider1->value(), 67);

        // A delete leaves the slider; the next move sets it.
        w->Adodc1->Delete();
        QCOMPARE(w->Slider1->value(), 67);
        w->Adodc1->MoveLast();
        QCOMPARE(w->Slider1->value(), 100);
    }

    void statusHints() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        gstrFrame1Caption = "Matter";
        const auto hover = [](QWidget* target) {
            QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                             Qt::NoButton, Qt::NoModifier);
            QCoreApplication::sendEvent(target, &move);
        };
        hover(w->Text1);
        QCOMPARE(w->Label1->text(), "Matter");
        hover(w->Slider1);
        QCOMPARE(w->Label1->text(), "  Use this slider to navigate through 1 Vellagon records  ");
        hover(w->Toolbar1);
        QCOMPARE(w->Label1->text(), "  " + m_path + "  ");
    }

    void focusLossKeepsATypedEditAndShowsNewLogs() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        TestSupport::typeOver(w->Text5, "typed, not yet committed");
        addLog(m_path, "Z", "2025-06-01 09:00:00");
        w->Form_LostFocus();
        QCOMPARE(stored("SELECT [Log Summary] FROM Vellagons WHERE Client = 'A'").toString(),
                 "typed, not yet committed");
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text1->text(), "A"); // still on the log it showed
        // A log completed while the window was in the background shows when it comes back.
        addLog(m_path, "Y", "2025-05-01 09:00:00");
        w->Form_Activate();
        QCOMPARE(w->Adodc1->RecordCount(), 3);
        QCOMPARE(w->Text1->text(), "A");
    }

    // A window reads its logs as it opens; the activation that comes with its showing, in the
    // same command, finds nothing new, while a later one reads again.
    void aNewWindowReadsItsLogsOnceAndLaterActivationsAgain() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        auto w = open();
        sqlite3* connection = w->Adodc1->database().handle();
        QStringList statements;
        const auto trace = [](unsigned, void* list, void*, void* sql) {
            static_cast<QStringList*>(list)->append(QString::fromUtf8(static_cast<char*>(sql)));
            return 0;
        };
        sqlite3_trace_v2(connection, SQLITE_TRACE_STMT, trace, &statements);
        w->Form_Activate();
        sqlite3_trace_v2(connection, 0, nullptr, nullptr);
        QCOMPARE(statements, QStringList());
        QCOMPARE(w->Text1->text(), "A");

        QCoreApplication::processEvents();
        addLog(m_path, "Z", "2025-06-01 09:00:00");
        w->Form_Activate();
        QCOMPARE(w->Adodc1->RecordCount(), 2);
        QCOMPARE(w->Text1->text(), "A"); // still on the log it showed
    }

    void theFeeIsShownOnLeavingTheRateAndStoredOnChanges() {
        addLog(m_path, "A", "2025-01-01 09:00:00", "50", 2.5);
        auto w = open();
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), "Fee for services is $125");
        QCOMPARE(gstrRate, "50");
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 0.0); // shown only
        w->Label1->setText("before");
        w->Text4->setText("n/a"); // no fee to show: the status stays
        w->Text4_LostFocus();
        QCOMPARE(w->Label1->text(), "before");

        TestSupport::typeOver(w->Text4, "33.33");
        TestSupport::typeOver(w->Text8, "1.1");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 36.663);
        TestSupport::typeOver(w->Text8, "2");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Fee FROM Vellagons"), 66.66);
        // A rate that is no number leaves the fee as it was.
        TestSupport::typeOver(w->Text4, "tbd");
        QVERIFY(w->Adodc1->Update());
        QCOMPARE(stored("SELECT Rate || ' ' || Fee FROM Vellagons"), "tbd 66.66");
    }

    // The duration and beginning boxes are bound as a number and a date: text is refused and
    // stays for correction.
    void textThatIsNoNumberOrDateIsRefused() {
        addLog(m_path, "A", "2025-01-01 09:00:00", "100", 1.5);
        auto w = open();
        ScriptedDialogs dialogs;
        TestSupport::typeOver(w->Text8, "an hour");
        QVERIFY(!w->Adodc1->Update());
        QCOMPARE(w->Text8->text(), "an hour");
        w->Adodc1->CancelUpdate();
        TestSupport::typeOver(w->Text7, "yesterday");
        QVERIFY(!w->Adodc1->MoveFirst());
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(stored("SELECT [Beginning Time] || Duration FROM Vellagons"),
                 "2025-01-01 09:00:001.5");
    }

    void picturesInTheGraphicsViewSurviveAnEdit() {
        addLog(m_path, "A", "2025-01-01 09:00:00");
        QImage image(8, 8, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QTextDocument source;
        QTextCursor(&source).insertText("Before the picture ");
        source.addResource(QTextDocument::ImageResource, QUrl("pic"), image);
        QTextCursor(&source).insertImage("pic");
        Database::open(m_path).exec("UPDATE Vellagons SET VellaGraphic = ?",
                                    {RichText::toStoredHtml(source)});
        auto w = open();
        w->mnuGraphics_Click();
        QVERIFY(w->RichTextBox1->isVisible() && !w->RichTextBox2->isVisible());
        QTextCursor cursor(w->RichTextBox1->document());
        cursor.movePosition(QTextCursor::End);
        w->RichTextBox1->setTextCursor(cursor);
        QTest::keyClicks(w->RichTextBox1, " and after");
        QVERIFY(w->Adodc1->Update());
        const QString html = stored("SELECT VellaGraphic FROM Vellagons").toString();
        QVERIFY(html.contains("data:image/png;base64,"));
        QVERIFY(html.contains("and after"));
    }

    void aFileThatCannotBeReadIsReportedOnce() {
        // Once at load; the refreshes when the window is activated or left do not repeat it.
        ScriptedDialogs dialogs;
        m_path = Fixtures::writeFile(TestSupport::newFolder() + "/letter.mdb", "Dear Sir");
        start();
        Forms::setFocus(childWindow(ChildWindow::Kind::Entry, "1"));
        Forms::setFocus(display());
        QCOMPARE(dialogs.messages(),
                 QStringList{"The file \"" + m_path +
                             "\" is not a Vellagon database file. in loading display form."});
        QCOMPARE(display()->path(), m_path);
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
        QCOMPARE(Fixtures::logCount(m_path), 3);
        QCOMPARE(QApplication::focusWidget(), w->Text2);

        w->Adodc1->MoveFirst();
        dialogs.answer(Dialogs::vbYes);
        w->mnuDeleteLog_Click();
        QCOMPARE(Fixtures::logCount(m_path), 2);
        QCOMPARE(w->Slider1->value(), 100);

        // Past the last row there is nothing to delete, even though the window has a log.
        w->Adodc1->MoveNext();
        dialogs.answer(Dialogs::vbYes);
        w->mnuDeleteLog_Click();
        QCOMPARE(dialogs.lastMessage(), "There are no records to delete.");
        QCOMPARE(dialogs.last()->title, "Delete This Record");
        QCOMPARE(Fixtures::logCount(m_path), 2);
    }

    void saveChangesStoresTheEdit() {
        start({Full});
        frmDisplay* w = display();
        TestSupport::typeOver(w->Text5, "Call back");
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

VELLAGON_WINDOW_TEST_MAIN(TestDisplayWindow)
#include "test_display_window.moc"

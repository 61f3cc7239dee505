#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RichText.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/SortedItems.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <memory>

namespace {

const QDateTime Nine(QDate(2024, 3, 5), QTime(9, 0, 0));

} // namespace

class TestEntryWindow : public QObject {
    Q_OBJECT

    QString m_file;
    std::unique_ptr<frmEntryWithFrames> m_window;

    frmEntryWithFrames* load() {
        m_window = std::make_unique<frmEntryWithFrames>();
        return m_window.get();
    }

    // Shown as the active window, so that focus can be checked.
    frmEntryWithFrames* showActive() {
        frmEntryWithFrames* w = load();
        TestSupport::showActive(w);
        return w;
    }

    void typeEntry(frmEntryWithFrames* w) {
        w->Combo1->setEditText(" Smith, Ann ");
        w->Combo3->setEditText("Appeal");
        w->Combo4->setEditText("150");
        w->Text1->setText("Court appearance re motion");
        w->RichTextBox1->setPlainText("Argued the motion.");
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee(); // a first start's captions and fonts
        gstrDefaultEmployee = "Doe, Jim";
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
        gstrDatabasePath = m_file;
        Clock::setNow(Nine);
    }
    void cleanup() { m_window.reset(); }

    void loadFillsTheWindowFromTheSharedState() {
        MainLists& lists = mainLists();
        for (const char* client : {"smith, Ann", "Adams, Bo", "baker, Cy"})
            lists.List1[MainLists::Clients].addItem(client);
        for (const char* employee : {"Doe, Jim", "able, Kay"})
            lists.List1[MainLists::Employees].addItem(employee);
        for (const char* rate : {"0", "50", "75", "100", "125", "150"})
            lists.List1[MainLists::Rates].addItem(rate);
        for (const char* activity : {"Legal research", "court appearance re", "Call to"})
            lists.List1[MainLists::Activities].addItem(activity);

        // Sorted without regard to case, rates as text; no box takes its first item by itself.
        frmEntryWithFrames* w = load();
        QCOMPARE(itemsOf(w->Combo1), (QStringList{"Adams, Bo", "baker, Cy", "smith, Ann"}));
        QCOMPARE(itemsOf(w->Combo4), (QStringList{"0", "100", "125", "150", "50", "75"}));
        QCOMPARE(itemsOf(w->List1),
                 (QStringList{"Call to", "court appearance re", "Legal research"}));
        QVERIFY(w->List1->isHidden());
        QCOMPARE(w->Combo1->currentText(), QString());
        QCOMPARE(w->Combo2->currentText(), "Doe, Jim"); // the default employee
        QCOMPARE(w->Combo4->currentText(), QString());
        QCOMPARE(w->DTPicker2->text(), "3/05/2024 09:00 AM");
    }

    void theCaptionVariablesNameTheMenus() {
        gstrFrame1Caption = "Patient";
        gstrFrame2Caption = "Doctor";
        gstrFrame3Caption = "Treatment";
        frmEntryWithFrames* w = load();
        QCOMPARE((QStringList{w->mnuCClient->text(), w->mnuInactiveClients->text(),
                              w->mnuEmployees->text(), w->mnuProject->text()}),
                 (QStringList{"Add a Patient", "Inactive Patients", "Doctors", "Treatments"}));
    }

    void recentFilesShowAtMostFiveUpToTheFirstEmpty_data() {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("none") << QStringList() << QStringList();
        QTest::newRow("six") << QStringList{"/1.mdb", "/2.mdb", "/3.mdb",
                                            "/4.mdb", "/5.mdb", "/6.mdb"}
                             << QStringList{"/1.mdb", "/2.mdb", "/3.mdb", "/4.mdb", "/5.mdb"};
        QTest::newRow("third empty")
            << QStringList{"/1.mdb", "/2.mdb", "", "/4.mdb"} << QStringList{"/1.mdb", "/2.mdb"};
    }
    void recentFilesShowAtMostFiveUpToTheFirstEmpty() {
        QFETCH(QStringList, recent);
        QFETCH(QStringList, shown);
        mainLists().List2 = recent;
        frmEntryWithFrames* w = load();
        QStringList visible;
        for (QAction* item : w->mnuFileName)
            if (item->isVisible())
                visible << item->text();
        QCOMPARE(visible, shown);
        QCOMPARE(w->mnuSeparator->isVisible(), !shown.isEmpty());
    }

    void theEntryFontReachesTheSevenFieldsOnly() {
        gstrEntryFontName = "DejaVu Serif";
        gstrEntryFontSize = "14.5";
        frmEntryWithFrames* w = load();
        for (QWidget* field : QList<QWidget*>{w->Text1, w->Combo1, w->Combo2, w->Combo3, w->Combo4,
                                              w->List1, w->RichTextBox1})
            QCOMPARE(field->font().family() + ' ' + QString::number(field->font().pointSizeF()),
                     "DejaVu Serif 14.5");
        QVERIFY(w->Frame1->font().family() != "DejaVu Serif");
    }

    void aResizeShowsThePathAndFocusesTheClient() {
        frmEntryWithFrames* w = showActive();
        w->Label1->setText("Vellagon saved");
        w->Text1->setFocus();
        w->resize(w->width() + 20, w->height() + 10);
        QCOMPARE(w->Label1->text(), "  " + m_file + "  ");
        QCOMPARE(QApplication::focusWidget(), w->Combo1);
    }

    void theEndingTimeFollowsTheClockUntilTheUserEditsIt() {
        frmEntryWithFrames* w = showActive();
        Clock::setNow(Nine.addSecs(60));
        w->Timer1_Timer();
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(60));
        QVERIFY(w->endingTimeFollowsClock()); // the window's own change does not count

        w->DTPicker2->setFocus();
        w->DTPicker2->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(w->DTPicker2, Qt::Key_Up);
        const QDateTime edited = Nine.addSecs(3600 + 60);
        QCOMPARE(w->DTPicker2->dateTime(), edited);
        QVERIFY(!w->endingTimeFollowsClock());

        // Leaving the picker does not start the clock again; a refused log neither.
        w->Text1->setFocus();
        QVERIFY(!w->endingTimeFollowsClock());
        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QCOMPARE(dialogs.lastMessage(), "You did not enter a client or a project.");
        QVERIFY(!w->endingTimeFollowsClock());
        QCOMPARE(w->DTPicker2->dateTime(), edited);

        // The completed log keeps the edited time; the next entry follows the clock.
        typeEntry(w);
        Clock::setNow(Nine.addSecs(7200));
        w->mnuLogcompleted_Click();
        QCOMPARE(Fixtures::sqlite3Tool(m_file, "SELECT [Ending Time], Duration, "
                                               "Fee FROM Vellagons"),
                 "2024-03-05 10:01:00|1.1|165.0");
        QVERIFY(w->endingTimeFollowsClock());
        Clock::setNow(Nine.addSecs(7260));
        w->Timer1_Timer();
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(7260));
        QVERIFY(w->endingTimeFollowsClock());
    }

    // 7:32 to 7:44 on screen is 12 minutes, .2 hours, whatever seconds lie behind the minutes:
    // those the clock had when it set the times, or those an edited picker kept.
    void theMinutesShownAreTheTimesStoredAndBilled() {
        const QDateTime begin(Nine.date(), QTime(7, 32, 8));
        const QDateTime end(Nine.date(), QTime(7, 44, 38));
        const QString stored = "2024-03-05 07:32:00|2024-03-05 07:44:00|0.2|30.0";

        Clock::setNow(begin);
        frmEntryWithFrames* w = showActive();
        Clock::setNow(end);
        w->Timer1_Timer();
        QCOMPARE(w->DTPicker1->text() + " " + w->DTPicker2->text(),
                 "3/05/2024 07:32 AM 3/05/2024 07:44 AM");
        typeEntry(w);
        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        const QString query = "SELECT [Beginning Time], [Ending Time], Duration, Fee FROM "
                              "Vellagons ORDER BY [Indexing Field] DESC LIMIT 1";
        QCOMPARE(Fixtures::sqlite3Tool(m_file, query), stored);

        // Typed over pickers that hold seconds: only the typed hours and minutes count.
        w->DTPicker1->setDateTime(QDateTime(Nine.date(), QTime(6, 10, 59)));
        w->DTPicker2->setDateTime(QDateTime(Nine.date(), QTime(6, 10, 1)));
        for (const auto& [picker, minutes] :
             {std::pair{w->DTPicker1, "32"}, std::pair{w->DTPicker2, "44"}}) {
            picker->setFocus();
            picker->setSelectedSection(QDateTimeEdit::HourSection);
            QTest::keyClicks(picker, "07");
            picker->setSelectedSection(QDateTimeEdit::MinuteSection);
            QTest::keyClicks(picker, minutes);
        }
        QCOMPARE(w->DTPicker1->text() + " " + w->DTPicker2->text(),
                 "3/05/2024 07:32 AM 3/05/2024 07:44 AM");
        typeEntry(w);
        w->mnuLogcompleted_Click();
        QCOMPARE(dialogs.messages(), QStringList());
        QCOMPARE(Fixtures::sqlite3Tool(m_file, query), stored);
    }

    void aCompletedLogGoesToTheWindowsOwnFileAndClearsTheWindow() {
        frmEntryWithFrames* w = load();
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/OTHER.MDB");
        typeEntry(w);
        w->Combo2->setEditText("Roe, Kim");
        w->RichTextBox1->insertPicture(QImage(4, 4, QImage::Format_RGB32));
        Clock::setNow(Nine.addSecs(20 * 60));
        w->DTPicker2->setDateTime(Nine.addSecs(20 * 60));
        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QCOMPARE(dialogs.messages(), QStringList());
        QCOMPARE(Fixtures::logCount(gstrDatabasePath), 0);
        QCOMPARE(Fixtures::sqlite3Tool(m_file, "SELECT Client, Employee, Fee, VellaGraphic LIKE "
                                               "'%data:image/png%' FROM Vellagons"),
                 "Smith, Ann|Roe, Kim|60.0|1");
        QCOMPARE(gstrDuration, ".4");
        QCOMPARE(w->Label1->text(), "Vellagon saved");
        QCOMPARE(
            (QStringList{w->Combo1->currentText(), w->Combo2->currentText(),
                         w->Combo3->currentText(), w->Combo4->currentText(), w->Text1->text()}),
            (QStringList{"", "Doe, Jim", "", "", ""}));
        QVERIFY(w->RichTextBox1->document()->isEmpty());
        QCOMPARE(w->DTPicker1->dateTime(), Nine.addSecs(20 * 60)); // the next log begins now
    }

    void aRefusedLogKeepsEveryField_data() {
        QTest::addColumn<QString>("client");
        QTest::addColumn<int>("endingMinutes");
        QTest::addColumn<bool>("fileGone");
        QTest::addColumn<QString>("message");
        QTest::newRow("no client or project")
            << "  " << 20 << false << "You did not enter a client or a project.";
        QTest::newRow("ending before beginning")
            << "Smith, Ann" << -5 << false << "The ending time is earlier";
        QTest::newRow("file gone")
            << "Smith, Ann" << 20 << true << "Error in Log completed function: ";
    }
    void aRefusedLogKeepsEveryField() {
        QFETCH(QString, client);
        QFETCH(int, endingMinutes);
        QFETCH(bool, fileGone);
        QFETCH(QString, message);
        frmEntryWithFrames* w = showActive();
        w->Combo1->setEditText(client);
        w->Combo4->setEditText("150");
        w->Text1->setText("  summary");
        w->RichTextBox1->setHtml("<b>bold</b> notes");
        w->RichTextBox1->insertPicture(QImage(4, 4, QImage::Format_RGB32));
        const QString notes = RichText::toStoredHtml(*w->RichTextBox1->document());
        w->DTPicker2->setDateTime(Nine.addSecs(endingMinutes * 60));
        if (fileGone)
            QFile::remove(m_file);
        w->Label1->setText("Vellagon saved"); // as the last log left it

        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QVERIFY2(dialogs.lastMessage().startsWith(message), qPrintable(dialogs.lastMessage()));
        QCOMPARE((QStringList{w->Combo1->currentText(), w->Combo2->currentText(),
                              w->Combo4->currentText(), w->Text1->text(), w->Label1->text()}),
                 (QStringList{client, "Doe, Jim", "150", "  summary", "Vellagon not saved"}));
        QCOMPARE(RichText::toStoredHtml(*w->RichTextBox1->document()), notes);
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(endingMinutes * 60));
        if (fileGone)
            QVERIFY(!QFile::exists(m_file));
        else
            QCOMPARE(Fixtures::logCount(m_file), 0);
        if (!fileGone && client.trimmed().isEmpty())
            QCOMPARE(QApplication::focusWidget(), w->Combo1);
    }

    void theNewButtonOpensAnotherEntryWindowReadyForTyping() {
        registerTimeLogging();
        frmMain main;
        main.resize(1000, 800);
        main.show();
        QVERIFY(QTest::qWaitForWindowActive(&main));
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        auto* first = static_cast<frmEntryWithFrames*>(currentEntryWindow());
        first->Toolbar1_ButtonClick("New");
        QCOMPARE(gstrEntryIndex, "2");
        QCOMPARE(activeChildWindow()->Caption(), "Data entry form 2");
        // A new window opens with the client field focused.
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<frmEntryWithFrames*>(activeChildWindow())->Combo1);
        first->Toolbar1_ButtonClick("Nothing");
        QCOMPARE(openChildWindows().size(), 2);
        ExitProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // "&Lists" shares the access key; Qt would take turns between the two at each press.
    void altLCompletesTheLogAtEveryPress() {
        registerTimeLogging();
        frmMain main;
        main.resize(1000, 800);
        TestSupport::showActive(&main);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        auto* w = static_cast<frmEntryWithFrames*>(currentEntryWindow());
        QCOMPARE(QApplication::focusWidget(), w->Combo1);
        ScriptedDialogs dialogs;
        for (int press = 0; press < 3; ++press)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::AltModifier);
        QCOMPARE(dialogs.messages(),
                 QStringList(3, QStringLiteral("You did not enter a client or a project.")));
        ExitProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"

#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/ChildWindows.h"
#include "core/FormPosition.h"
#include "core/Forms.h"
#include "core/LookupLists.h"
#include "core/SharedState.h"
#include "core/frmMain.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/RichText.h"
#include "platform/RichTextBox.h"
#include "timelog/SortedItems.h"
#include "timelog/TimeLogging.h"
#include "timelog/frmEntryWithFrames.h"

#include <QComboBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <memory>

namespace {

const QDateTime Nine(QDate(2024, 3, 5), QTime(9, 0, 0));

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList visibleRecentFiles(const frmEntryWithFrames& w) {
    QStringList shown;
    for (QAction* item : w.mnuFileName)
        if (item->isVisible())
            shown << item->text();
    return shown;
}

int px(double twips) {
    return qRound(twips / twipsPerPixel());
}

int rowCount(const QString& path) {
    return Database::open(path).scalar(QStringLiteral("SELECT COUNT(*) FROM Vellagons")).toInt();
}

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
        w->show();
        w->activateWindow();
        if (!QTest::qWaitForWindowActive(w))
            qWarning("window not active");
        return w;
    }

    void typeEntry(frmEntryWithFrames* w) {
        w->Combo1->setEditText(QStringLiteral(" Smith, Ann "));
        w->Combo3->setEditText(QStringLiteral("Appeal"));
        w->Combo4->setEditText(QStringLiteral("150"));
        w->Text1->setText(QStringLiteral("Court appearance re motion"));
        w->RichTextBox1->setPlainText(QStringLiteral("Argued the motion."));
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        resetChildWindows();
        Forms::reset();
        gstrFrame1Caption = QStringLiteral("Client");
        gstrFrame2Caption = QStringLiteral("Employee (or user)");
        gstrFrame3Caption = QStringLiteral("Project");
        gstrFrame5Caption = QStringLiteral("Invoice summary line");
        gstrDefaultEmployee = QStringLiteral("Doe, Jim");
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/LOG.MDB"));
        gstrDatabasePath = m_file;
        Clock::setNow(Nine);
    }
    void cleanup() { m_window.reset(); }

    void loadFillsTheWindowFromTheSharedState() {
        MainLists& lists = mainLists();
        for (const char* client : {"smith, Ann", "Adams, Bo", "baker, Cy"})
            lists.List1[MainLists::Clients].addItem(QString::fromLatin1(client));
        for (const char* employee : {"Doe, Jim", "able, Kay"})
            lists.List1[MainLists::Employees].addItem(QString::fromLatin1(employee));
        for (const char* rate : {"0", "50", "75", "100", "125", "150", "175", "200", "225", "250",
                                 "275", "300", "325", "350", "375"})
            lists.List1[MainLists::Rates].addItem(QString::fromLatin1(rate));
        for (const char* activity : {"Legal research", "court appearance re", "Call to"})
            lists.List1[MainLists::Activities].addItem(QString::fromLatin1(activity));

        frmEntryWithFrames* w = load();
        QCOMPARE(itemsOf(w->Combo1),
                 QStringList({QStringLiteral("Adams, Bo"), QStringLiteral("baker, Cy"),
                              QStringLiteral("smith, Ann")}));
        QCOMPARE(itemsOf(w->Combo2),
                 QStringList({QStringLiteral("able, Kay"), QStringLiteral("Doe, Jim")}));
        QCOMPARE(itemsOf(w->Combo4).join(QLatin1Char(' ')),
                 QStringLiteral("0 100 125 150 175 200 225 250 275 300 325 350 375 50 75"));
        QCOMPARE(itemsOf(w->List1),
                 QStringList({QStringLiteral("Call to"), QStringLiteral("court appearance re"),
                              QStringLiteral("Legal research")}));
        QVERIFY(w->List1->isHidden());
        QCOMPARE(w->List1->selectionMode(), QAbstractItemView::ExtendedSelection);
        QCOMPARE(w->List1->toolTip(), QStringLiteral("Select an item and then press [Enter]"));
        // Filled boxes do not take their first item: only the employee is preset.
        QCOMPARE(w->Combo1->currentText(), QString());
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("Doe, Jim"));
        QCOMPARE(w->Combo3->currentText(), QString());
        QCOMPARE(w->Combo4->currentText(), QString());
        QCOMPARE(w->DTPicker1->dateTime(), Nine);
        QCOMPARE(w->DTPicker2->dateTime(), Nine);
        QCOMPARE(w->DTPicker2->displayFormat(), QStringLiteral("M/dd/yyyy hh:mm AP"));
        QCOMPARE(w->DTPicker2->text(), QStringLiteral("3/05/2024 09:00 AM"));
        QCOMPARE(w->path(), m_file);
        QVERIFY(gblnEntryActive);
        QVERIFY(!gblnDisplayActive);
        QVERIFY(w->endingTimeFollowsClock());
        QCOMPARE(w->Timer1->interval(), 30000);

        QStringList bar;
        for (QAction* entry : w->menuBarEntries())
            bar << entry->text();
        QCOMPARE(bar.join(QLatin1Char('|')),
                 QStringLiteral("&File|&Edit|&Log completed|&Display|&Search|&New Entry|&Lists|"
                                "&Clients|&Window|&Help"));
    }

    void anEmptyDefaultEmployeeLeavesTheEmployeeEmpty() {
        gstrDefaultEmployee.clear();
        mainLists().List1[MainLists::Employees].addItem(QStringLiteral("Doe, Jim"));
        QCOMPARE(load()->Combo2->currentText(), QString());
    }

    void sortedBoxesNeverSelectTheirFirstItem() {
        QComboBox box;
        box.setEditable(true);
        addSorted(&box, QStringLiteral("smith"));
        QCOMPARE(box.currentText(), QString());
        box.setEditText(QStringLiteral("typed"));
        addSorted(&box, QStringLiteral("Baker"));
        addSorted(&box, QStringLiteral("adams"));
        addSorted(&box, QStringLiteral("Smith")); // after its equal, as it came later
        QCOMPARE(itemsOf(&box), QStringList({QStringLiteral("adams"), QStringLiteral("Baker"),
                                             QStringLiteral("smith"), QStringLiteral("Smith")}));
        QCOMPARE(box.currentText(), QStringLiteral("typed"));
        fillSorted(&box, {QStringLiteral("b"), QStringLiteral("A")});
        QCOMPARE(itemsOf(&box), QStringList({QStringLiteral("A"), QStringLiteral("b")}));
        QCOMPARE(box.currentText(), QString());
    }

    void captionsComeFromTheCaptionVariables_data() {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("employee");
        QTest::addColumn<QString>("project");
        QTest::addColumn<QStringList>("menus");
        QTest::newRow("defaults") << "Client"
                                  << "Employee (or user)"
                                  << "Project"
                                  << QStringList({"Add a Client", "Inactive Clients",
                                                  "Employee (or user)s", "Projects"});
        QTest::newRow("own words")
            << "Patient"
            << "Doctor"
            << "Treatment"
            << QStringList({"Add a Patient", "Inactive Patients", "Doctors", "Treatments"});
        QTest::newRow("empty") << ""
                               << ""
                               << "" << QStringList({"Add a ", "Inactive s", "s", "s"});
    }
    void captionsComeFromTheCaptionVariables() {
        QFETCH(QString, client);
        QFETCH(QString, employee);
        QFETCH(QString, project);
        QFETCH(QStringList, menus);
        gstrFrame1Caption = client;
        gstrFrame2Caption = employee;
        gstrFrame3Caption = project;
        gstrFrame5Caption = QStringLiteral("Summary");
        frmEntryWithFrames* w = load();
        QCOMPARE(w->Frame1->title(), client);
        QCOMPARE(w->Frame2->title(), employee);
        QCOMPARE(w->Frame3->title(), project);
        QCOMPARE(w->Frame4->title(), QStringLiteral("Rate (hourly)"));
        QCOMPARE(w->Frame5->title(), QStringLiteral("Summary"));
        QCOMPARE(w->Frame6->title(), QStringLiteral("Vellagon notes"));
        QCOMPARE(QStringList({w->mnuCClient->text(), w->mnuInactiveClients->text(),
                              w->mnuEmployees->text(), w->mnuProject->text()}),
                 menus);
    }

    void recentFilesShowAtMostFiveUpToTheFirstEmpty_data() {
        QTest::addColumn<QStringList>("recent");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("separator");
        QTest::newRow("none") << QStringList() << QStringList() << false;
        QTest::newRow("six")
            << QStringList({"/a/1.mdb", "/a/2.mdb", "/a/3.mdb", "/a/4.mdb", "/a/5.mdb", "/a/6.mdb"})
            << QStringList({"/a/1.mdb", "/a/2.mdb", "/a/3.mdb", "/a/4.mdb", "/a/5.mdb"}) << true;
        QTest::newRow("third empty") << QStringList({"/a/1.mdb", "/a/2.mdb", "", "/a/4.mdb"})
                                     << QStringList({"/a/1.mdb", "/a/2.mdb"}) << true;
    }
    void recentFilesShowAtMostFiveUpToTheFirstEmpty() {
        QFETCH(QStringList, recent);
        QFETCH(QStringList, shown);
        QFETCH(bool, separator);
        mainLists().List2 = recent;
        frmEntryWithFrames* w = load();
        QCOMPARE(visibleRecentFiles(*w), shown);
        QCOMPARE(w->mnuSeparator->isVisible(), separator);
        QCOMPARE(w->mnuSeparator->isEnabled(), separator);
    }

    void theEntryFontReachesTheSevenFieldsOnly() {
        gstrEntryFontName = QStringLiteral("DejaVu Serif");
        gstrEntryFontSize = QStringLiteral("14.5");
        frmEntryWithFrames* w = load();
        for (QWidget* field : QList<QWidget*>{w->Text1, w->Combo1, w->Combo2, w->Combo3, w->Combo4,
                                              w->List1, w->RichTextBox1}) {
            QCOMPARE(field->font().family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(field->font().pointSizeF(), 14.5);
        }
        QVERIFY(w->Frame1->font().family() != QStringLiteral("DejaVu Serif"));
        QVERIFY(w->DTPicker1->font().family() != QStringLiteral("DejaVu Serif"));
    }

    void theLayoutFollowsTheWindowInTwips() {
        frmEntryWithFrames* w = load();
        w->resize(900, 700);
        w->show();
        const double SW = 900 * twipsPerPixel();
        const double SH = 700 * twipsPerPixel();
        QCOMPARE(w->Frame2->geometry(), QRect(px(SW / 2), px(440), px(SW / 2), px(780)));
        QCOMPARE(w->Frame5->geometry(), QRect(0, px(2020), px(SW), px(780)));
        QCOMPARE(w->Frame6->geometry(), QRect(0, px(2820), px(SW), px(SH - 3640)));
        QCOMPARE(w->Frame8->geometry(), QRect(px(SW / 2), px(SH - 800), px(SW / 2), px(780)));
        QCOMPARE(w->RichTextBox1->geometry(), QRect(px(100), px(250), px(SW - 200), px(SH - 3970)));
        QCOMPARE(w->Combo1->geometry().width(), px((SW - 400) / 2 - 1335));
        QCOMPARE(w->Toolbar2->geometry().left(), px((SW - 400) / 2 - 1200));
        QCOMPARE(w->Label1->geometry(), QRect(px(3300), px(30), px(SW - 3300), px(390)));
        QCOMPARE(w->Label1->text(), QStringLiteral("  ") + m_file + QStringLiteral("  "));

        // Too small: negative sizes are skipped, everything else still moves, nothing is raised.
        const QRect notes = w->Frame6->geometry();
        const int comboWidth = w->Combo1->width();
        w->resize(100, 150);
        QCOMPARE(w->Frame6->height(), notes.height());
        QCOMPARE(w->Frame7->y(), px(150 * twipsPerPixel() - 800));
        QCOMPARE(w->Combo1->width(), comboWidth);
        QCOMPARE(w->Frame1->width(), px(50 * twipsPerPixel()));
    }

    void aResizeShowsThePathAndFocusesTheClient() {
        frmEntryWithFrames* w = showActive();
        w->Label1->setText(QStringLiteral("Vellagon saved"));
        w->Text1->setFocus();
        w->resize(w->width() + 20, w->height() + 10);
        QCOMPARE(w->Label1->text(), QStringLiteral("  ") + m_file + QStringLiteral("  "));
        QCOMPARE(QApplication::focusWidget(), w->Combo1);
    }

    void theEndingTimeFollowsTheClockUntilTheUserEditsIt() {
        frmEntryWithFrames* w = showActive();
        Clock::setNow(Nine.addSecs(30));
        w->Timer1_Timer();
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(30));
        QVERIFY(w->endingTimeFollowsClock()); // the window's own change does not count

        w->DTPicker2->setFocus();
        w->DTPicker2->setCurrentSection(QDateTimeEdit::HourSection);
        QTest::keyClick(w->DTPicker2, Qt::Key_Up);
        const QDateTime edited = Nine.addSecs(3600 + 30);
        QCOMPARE(w->DTPicker2->dateTime(), edited);
        QVERIFY(!w->endingTimeFollowsClock());

        // Leaving the picker does not start the clock again; a refused log neither.
        w->Text1->setFocus();
        QVERIFY(!w->endingTimeFollowsClock());
        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QCOMPARE(dialogs.lastMessage(), QStringLiteral("You did not enter a client or a project."));
        QVERIFY(!w->endingTimeFollowsClock());
        QCOMPARE(w->DTPicker2->dateTime(), edited);

        // The completed log keeps the edited time; the next entry follows the clock.
        typeEntry(w);
        Clock::setNow(Nine.addSecs(7200));
        w->mnuLogcompleted_Click();
        QCOMPARE(Fixtures::sqlite3Tool(m_file, QStringLiteral("SELECT [Ending Time], Duration, "
                                                              "Fee FROM Vellagons")),
                 QStringLiteral("2024-03-05 10:00:30|1.1|165.0"));
        QVERIFY(w->endingTimeFollowsClock());
        Clock::setNow(Nine.addSecs(7230));
        w->Timer1_Timer();
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(7230));
        QVERIFY(w->endingTimeFollowsClock());
    }

    void aCompletedLogGoesToTheWindowsOwnFileAndClearsTheWindow() {
        frmEntryWithFrames* w = load();
        gstrDatabasePath =
            Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/OTHER.MDB"));
        typeEntry(w);
        w->Combo2->setEditText(QStringLiteral("Roe, Kim"));
        w->RichTextBox1->insertPicture(QImage(4, 4, QImage::Format_RGB32));
        Clock::setNow(Nine.addSecs(20 * 60));
        w->DTPicker2->setDateTime(Nine.addSecs(20 * 60));
        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QCOMPARE(dialogs.messages(), QStringList());

        QCOMPARE(rowCount(gstrDatabasePath), 0);
        QCOMPARE(
            Fixtures::sqlite3Tool(m_file, QStringLiteral("SELECT Client, Employee, Project, Rate, "
                                                         "[Log Summary], Vellagon, Duration, Fee, "
                                                         "VellaGraphic LIKE '%data:image/png%' "
                                                         "FROM Vellagons")),
            QStringLiteral("Smith, Ann|Roe, Kim|Appeal|150|Court appearance re motion|"
                           "Argued the motion.|0.4|60.0|1"));
        QCOMPARE(gstrDuration, QStringLiteral(".4"));
        QCOMPARE(w->Label1->text(), QStringLiteral("Vellagon saved"));
        QCOMPARE(w->Combo1->currentText(), QString());
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("Doe, Jim"));
        QCOMPARE(w->Combo3->currentText(), QString());
        QCOMPARE(w->Combo4->currentText(), QString());
        QCOMPARE(w->Text1->text(), QString());
        QVERIFY(w->RichTextBox1->document()->isEmpty());
        QCOMPARE(w->DTPicker1->dateTime(), Nine.addSecs(20 * 60));
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(20 * 60));
    }

    void aRefusedLogKeepsEveryField_data() {
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("endingMinutes");
        QTest::addColumn<bool>("fileGone");
        QTest::addColumn<QString>("message");
        QTest::newRow("no client or project")
            << "  "
            << "150" << 20 << false << "You did not enter a client or a project.";
        QTest::newRow("rate no number")
            << "Smith, Ann"
            << "1O0" << 20 << false << "The Rate (hourly) \"1O0\" is not a number.";
        QTest::newRow("ending before beginning")
            << "Smith, Ann"
            << "150" << -5 << false << "The ending time is earlier";
        QTest::newRow("client too long") << QString(201, QLatin1Char('c')) << "150" << 20 << false
                                         << "The Client field can hold at most 200 characters.";
        QTest::newRow("file gone") << "Smith, Ann"
                                   << "150" << 20 << true << "Error in Log completed function: ";
    }
    void aRefusedLogKeepsEveryField() {
        QFETCH(QString, client);
        QFETCH(QString, rate);
        QFETCH(int, endingMinutes);
        QFETCH(bool, fileGone);
        QFETCH(QString, message);
        frmEntryWithFrames* w = showActive();
        w->Combo1->setEditText(client);
        w->Combo4->setEditText(rate);
        w->Text1->setText(QStringLiteral("  summary"));
        w->RichTextBox1->setHtml(QStringLiteral("<b>bold</b> notes"));
        w->RichTextBox1->insertPicture(QImage(4, 4, QImage::Format_RGB32));
        const QString notes = RichText::toStoredHtml(*w->RichTextBox1->document());
        w->DTPicker2->setDateTime(Nine.addSecs(endingMinutes * 60));
        if (fileGone)
            QFile::remove(m_file);
        w->Label1->setText(QStringLiteral("status"));

        ScriptedDialogs dialogs;
        w->mnuLogcompleted_Click();
        QVERIFY2(dialogs.lastMessage().startsWith(message), qPrintable(dialogs.lastMessage()));
        QCOMPARE(w->Combo1->currentText(), client);
        QCOMPARE(w->Combo2->currentText(), QStringLiteral("Doe, Jim"));
        QCOMPARE(w->Combo4->currentText(), rate);
        QCOMPARE(w->Text1->text(), QStringLiteral("  summary"));
        QCOMPARE(RichText::toStoredHtml(*w->RichTextBox1->document()), notes);
        QCOMPARE(w->DTPicker2->dateTime(), Nine.addSecs(endingMinutes * 60));
        QCOMPARE(w->Label1->text(), QStringLiteral("status"));
        if (fileGone)
            QVERIFY(!QFile::exists(m_file));
        else
            QCOMPARE(rowCount(m_file), 0);
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
        first->Toolbar1_ButtonClick(QStringLiteral("New"));
        QCOMPARE(gstrEntryIndex, QStringLiteral("2"));
        QCOMPARE(activeChildWindow()->Caption(), QStringLiteral("Data entry form 2"));
        // A new window opens with the client field focused.
        QCOMPARE(QApplication::focusWidget(),
                 static_cast<frmEntryWithFrames*>(activeChildWindow())->Combo1);
        first->Toolbar1_ButtonClick(QStringLiteral("Nothing"));
        QCOMPARE(openChildWindows().size(), 2);
        ExitProgram();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

VELLAGON_TEST_MAIN(TestEntryWindow)
#include "test_entry_window.moc"

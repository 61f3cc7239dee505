#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/SortedItems.h"
#include "timelog/logic/SearchStatements.h"
#include "timelog/windows/Search.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"
#include "timelog/windows/frmSearch.h"
#include "timelog/windows/frmSearchDatePicker.h"
#include "timelog/windows/frmSearchList.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

using namespace SearchStatements;

namespace {

// One log: client, employee, project, notes, beginning time.
void addLog(const QString& path, const QString& client, const QString& employee,
            const QString& project, const QString& notes, const QString& begin) {
    QStringList values;
    for (const QString& value : {client, employee, project, notes, begin, begin})
        values << Fixtures::sqlText(value);
    Fixtures::execRaw(path, {QStringLiteral("INSERT INTO Vellagons (Client, Employee, Project, "
                                            "Vellagon, [Beginning Time], [Ending Time], Duration) "
                                            "VALUES (%1, 1)")
                                 .arg(values.join(QStringLiteral(", ")))});
}

QStringList column(frmDisplay* w, const char* field) {
    QStringList values;
    w->Adodc1->forEachRow(
        [&](QVariantList& row) {
            values << row.at(0).toString();
            return true;
        },
        {QLatin1String(field)});
    return values;
}

} // namespace

class TestSearch : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;
    std::unique_ptr<ScriptedDialogs> m_unexpected; // no message box may block a test
    std::unique_ptr<ScriptedWindows> m_windows;    // the pick lists and date ranges shown

    // The pick list chooses the entry with that text.
    void pickEntry(const QString& text) {
        m_windows->answer<frmSearchList>([text](frmSearchList& list) {
            const QList<QListWidgetItem*> found = list.List1->findItems(text, Qt::MatchExactly);
            QVERIFY(!found.isEmpty());
            list.List1->setCurrentItem(found.first());
        });
    }

    frmDisplay* display(const QString& tag) {
        return static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, tag));
    }
    frmEntryWithFrames* entry() {
        return static_cast<frmEntryWithFrames*>(
            childWindow(ChildWindow::Kind::Entry, QStringLiteral("1")));
    }

    // Main window with Display form 1 and Data entry form 1 on the seeded file, the Display
    // window current.
    void start() {
        gstrDatabasePath = m_path;
        gstrRecordSource = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        Forms::setFocus(display(QStringLiteral("1")));
        mainLists().List1[MainLists::Clients].clear();
        for (const char* client : {"Acme, Inc", "O'Neil, Pat", "100%_Corp", "100 Corp", "[Br]own"})
            mainLists().List1[MainLists::Clients].addItem(QLatin1String(client));
        for (const char* employee : {"Smith, Jo", "Doe, Al"})
            mainLists().List1[MainLists::Employees].addItem(QLatin1String(employee));
        for (const char* project : {"PAY BILLS", "MARKETING", "A_B", "AxB"})
            mainLists().List1[MainLists::Projects].addItem(QLatin1String(project));
    }

    // Search from a Display window through the search window's Continue.
    frmDisplay* continueSearch(frmDisplay* from, int type, int timeFrame) {
        Forms::setFocus(from);
        from->mnuSearch_Click();
        frmSearch* search = frmSearch::loaded();
        search->Option1[type]->setEnabled(true);
        search->Option1[type]->setChecked(true);
        search->Option2[timeFrame]->setChecked(true);
        const int before = int(gfrmDisplays.size());
        search->mnuContinue_Click();
        return int(gfrmDisplays.size()) > before
                   ? static_cast<frmDisplay*>(gfrmDisplays.last().data())
                   : nullptr;
    }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }

    void init() {
        TestSupport::freshProgram();
        m_unexpected = std::make_unique<ScriptedDialogs>();
        m_windows = std::make_unique<ScriptedWindows>();
        Clock::setNow(QDateTime(QDate(2005, 8, 24), QTime(12, 0)));
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/logs.mdb"));
        addLog(m_path, "Acme, Inc", "Doe, Al", "MARKETING", "50 percent", "2005-06-01 09:00:00");
        addLog(m_path, "Acme, Inc", "Smith, Jo", "PAY BILLS", "witnesses", "2005-07-24 00:00:00");
        addLog(m_path, "100 Corp", "Doe, Al", "AxB", "", "2005-07-30 09:00:00");
        addLog(m_path, "100%_Corp", "Doe, Al", "A_B", "a 50% discount", "2005-08-01 09:00:00");
        addLog(m_path, "[Br]own", "Doe, Al", "", "", "2005-08-02 09:00:00");
        addLog(m_path, "O'Neil, Pat", "Smith, Jo", "PAY BILLS", "call", "2005-08-24 10:00:00");
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() {
        TestSupport::closeMainWindow(m_main);
        QVERIFY2(m_unexpected->shown().isEmpty(), qPrintable(m_unexpected->messages().join('|')));
        QCOMPARE(m_windows->pending(), 0);
        m_windows.reset();
        m_unexpected.reset();
    }

    // ---- the pick list

    void pickListIsSortedWithoutEmptyEntries() {
        mainLists().List1[MainLists::Employees].addItem(QStringLiteral("smith, al"));
        mainLists().List1[MainLists::Employees].addItem(QString());
        mainLists().List1[MainLists::Employees].addItem(QStringLiteral("Brown, Bo"));
        mainLists().List1[MainLists::Employees].addItem(QStringLiteral("Smith, Jo"));
        gintSearchType = Employee;
        frmSearchList list;
        QCOMPARE(itemsOf(list.List1), (QStringList{"Brown, Bo", "smith, al", "Smith, Jo"}));
        QCOMPARE(list.List1->toolTip(), QStringLiteral("Click on item you wish to select"));
        // In the main window's place and of its size.
        QCOMPARE(list.pos(), m_main->pos());
        QCOMPARE(list.size(), m_main->size());

        for (int selector : {0, 2, 5, 6}) {
            gintSearchType = selector;
            frmSearchList empty;
            QCOMPARE(empty.List1->count(), 0);
        }
    }

    // Wherever the main window stands, the list takes its place and size; a long list scrolls.
    void pickListTakesTheMainWindowsPlaceAndSize() {
        for (int i = 0; i < 500; ++i)
            mainLists().List1[MainLists::Projects].addItem(QStringLiteral("Project %1").arg(i));
        gintSearchType = Project;
        m_main->setGeometry(QRect(QPoint(120, 80), QSize(700, 500)));
        frmSearchList list;
        QCOMPARE(list.pos(), m_main->pos());
        QCOMPARE(list.size(), m_main->size());
        QCOMPARE(list.List1->count(), 500);
    }

    void pickListChoosesOnClickOrKeyAndKeepsTheValueOtherwise() {
        start();
        gintSearchType = AnotherClient;
        gstrClient = QStringLiteral("before");
        {
            frmSearchList list;
            list.setWindowTitle(QStringLiteral("Select a client"));
            m_windows->answer<frmSearchList>([](frmSearchList& l) {
                QListWidgetItem* item = l.List1->item(1);
                QTest::mouseClick(l.List1->viewport(), Qt::LeftButton, {},
                                  l.List1->visualItemRect(item).center());
            });
            QCOMPARE(ModalWindows::exec(list), int(QDialog::Accepted));
            QCOMPARE(gstrClient, QStringLiteral("100%_Corp"));
            QVERIFY(list.chosen());
        }
        {
            frmSearchList list;
            m_windows->answer<frmSearchList>(
                [](frmSearchList& l) { QTest::keyClick(l.List1, Qt::Key_End); });
            QCOMPARE(ModalWindows::exec(list), int(QDialog::Accepted));
            QCOMPARE(gstrClient, QStringLiteral("O'Neil, Pat"));
        }
        {
            frmSearchList list;
            m_windows->answer<frmSearchList>(
                [](frmSearchList& l) { QTest::keyClick(&l, Qt::Key_Escape); });
            QCOMPARE(ModalWindows::exec(list), int(QDialog::Rejected));
            QVERIFY(!list.chosen());
            QCOMPARE(gstrClient, QStringLiteral("O'Neil, Pat"));
        }
    }

    // ---- the date range dialog

    void dateRangeDialog() {
        ScriptedDialogs dialogs;
        gvarBeginDate = QStringLiteral("kept begin");
        gvarEndDate = QStringLiteral("kept end");
        const QDate today(2005, 8, 24);
        {
            frmSearchDatePicker picker;
            QCOMPARE(picker.windowTitle(), QStringLiteral("Select beginning and ending dates"));
            QCOMPARE(picker.Frame1->title(), QStringLiteral("Start date"));
            QCOMPARE(picker.Frame2->title(), QStringLiteral("End date"));
            QCOMPARE(picker.Frame1->palette().color(QPalette::Window), QColor(Qt::blue));
            QCOMPARE(picker.DTPicker1->date(), today.addDays(-138));
            QCOMPARE(picker.DTPicker2->date(), today);
            m_windows->answer<frmSearchDatePicker>(
                [](frmSearchDatePicker& p) { p.mnuReturn->trigger(); });
            QCOMPARE(ModalWindows::exec(picker), int(QDialog::Rejected));
            QCOMPARE(gvarBeginDate.toString(), QStringLiteral("kept begin"));
        }
        {
            // An end before the start is refused, stores nothing, and resets the pickers.
            frmSearchDatePicker picker;
            picker.DTPicker1->setDate(QDate(2005, 8, 2));
            picker.DTPicker2->setDate(QDate(2005, 8, 1));
            picker.show();
            picker.mnuContinue_Click();
            QCOMPARE(dialogs.lastMessage(),
                     QStringLiteral("The beginning time must be earlier than "
                                    "the ending time.  Please try again."));
            QCOMPARE(dialogs.last()->title, Dialogs::programTitle());
            QVERIFY(picker.isVisible());
            QCOMPARE(picker.DTPicker1->date(), today.addDays(-183));
            QCOMPARE(picker.DTPicker2->date(), today);
            QCOMPARE(gvarBeginDate.toString(), QStringLiteral("kept begin"));
            QCOMPARE(gvarEndDate.toString(), QStringLiteral("kept end"));
            // One day is a range.
            picker.DTPicker1->setDate(QDate(2005, 8, 1));
            picker.DTPicker2->setDate(QDate(2005, 8, 1));
            picker.mnuContinue_Click();
            QCOMPARE(picker.result(), int(QDialog::Accepted));
            QCOMPARE(gvarBeginDate.toDate(), QDate(2005, 8, 1));
            QCOMPARE(gvarEndDate.toDate(), QDate(2005, 8, 1));
            QCOMPARE(dialogs.messages().size(), 1);
        }
    }

    // ---- the search window and the Display window's command

    void searchWindowLoadRules() {
        start();
        frmDisplay* w = display(QStringLiteral("1"));
        w->Adodc1->MoveLast(); // O'Neil, Pat / PAY BILLS
        w->mnuSearch_Click();
        frmSearch* search = frmSearch::loaded();
        QVERIFY(search && search->isVisible());
        QCOMPARE(search->windowTitle(), QStringLiteral("Search"));
        QCOMPARE(search->Frame1->title(), QStringLiteral("Type of search:"));
        QCOMPARE(search->Frame2->title(), QStringLiteral("Time frame for search:"));
        QCOMPARE(search->Frame1->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(search->Frame1->font().pointSizeF(), 13.5);
        QCOMPARE(search->Option1[0]->font().pointSizeF(), QApplication::font().pointSizeF());
        QCOMPARE(search->Option1[5]->text(), QStringLiteral("Log"));
        QCOMPARE(search->Option2[4]->text(), QStringLiteral("Customized time frame"));
        QCOMPARE(search->selectedSearchType(), int(CurrentClient));
        QCOMPARE(search->selectedTimeFrame(), int(AllTime));
        QVERIFY(search->Option1[CurrentClient]->isEnabled());
        QCOMPARE(search->mnuReport->text(),
                 QStringLiteral("   Report all Vellagons for O'Neil, Pat"));
        QVERIFY(search->mnuReport->isVisible());
        QVERIFY(Forms::list().contains(search));
        QVERIFY(!Forms::isMdiChild(search));
        QCOMPARE(gstrDatabasePath, m_path);
        QCOMPARE(gstrDisplayIndex, QStringLiteral("1"));

        // A second Search while it is open reuses it; its options stay as the user left them.
        search->Option1[Employee]->setChecked(true);
        w->Adodc1->MoveFirst();
        w->Adodc1->MoveNext();
        w->Adodc1->MoveNext(); // 100 Corp / AxB
        w->Text1->setText(QString());
        w->mnuSearch_Click();
        QCOMPARE(frmSearch::loaded(), search);
        QCOMPARE(search->selectedSearchType(), int(Employee));
        QCOMPARE(search->mnuReport->text(), QStringLiteral("   Report all Vellagons for AxB"));
        w->Text3->setText(QString());
        w->mnuSearch_Click();
        QVERIFY(!search->mnuReport->isVisible());
        QCOMPARE(gstrClient, QString());
        QCOMPARE(gstrProject, QString());

        // Loaded afresh with neither value from a Display window: Another client, and Current
        // client cannot be chosen.
        search->mnuReturn_Click();
        QCOMPARE(frmSearch::loaded(), nullptr);
        QVERIFY(!Forms::list().contains(search));
        w->mnuSearch_Click();
        search = frmSearch::loaded();
        QCOMPARE(search->selectedSearchType(), int(AnotherClient));
        QVERIFY(!search->Option1[CurrentClient]->isEnabled());
        // and it looks so: its caption is not drawn in white as the others are (the blue
        // behind it has no red at all).
        const auto brightest = [](QRadioButton* option) {
            QStyleOptionButton look;
            look.initFrom(option);
            const QImage image = option
                                     ->grab(option->style()->subElementRect(
                                         QStyle::SE_RadioButtonContents, &look, option))
                                     .toImage();
            int red = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    red = qMax(red, image.pixelColor(x, y).red());
            return red;
        };
        QVERIFY(brightest(search->Option1[AnotherClient]) > 230);
        QVERIFY(brightest(search->Option1[CurrentClient]) < 180);
        search->close();

        // From a Data entry window with empty boxes Current client stays enabled here (the
        // entry window's command disables it itself).
        gblnDisplayActive = false;
        search = frmSearch::instance();
        QCOMPARE(search->selectedSearchType(), int(AnotherClient));
        QVERIFY(search->Option1[CurrentClient]->isEnabled());
        search->close();
    }

    void displayMenuBarOrder() {
        start();
        QStringList captions;
        for (const QAction* a : display(QStringLiteral("1"))->menuBarEntries())
            captions << a->text();
        QCOMPARE(captions, (QStringList{"&File", "&Edit", "&View", "&Delete Log", "&Search",
                                        "&Active Clients", "Enter &data", "&Window", "&Help"}));
    }

    // ---- searches from a Display window

    void aSearchOpensItsLogsInANewWindow() {
        start();
        frmDisplay* first = display(QStringLiteral("1"));
        first->Adodc1->MoveFirst();
        const QString firstSource = first->sqlWhereCaption();
        gstrRecordSource = QStringLiteral("kept source");
        gvarBeginDate = QStringLiteral("kept begin");
        pickEntry(QStringLiteral("Smith, Jo"));
        frmDisplay* result = continueSearch(first, Employee, LastMonth);
        QVERIFY(result);
        const QString statement = QStringLiteral(
            "SELECT * FROM Vellagons WHERE Employee Like 'Smith, Jo' AND [Beginning Time] BETWEEN "
            "#7/24/2005# AND #8/24/2005 11:59:59 PM#  ORDER BY [Beginning Time]");
        QCOMPARE(result->sqlWhereCaption(), statement);
        QCOMPARE(result->sqlWhereTag(), QStringLiteral("WHERE Employee Like 'Smith, Jo' "));
        QCOMPARE(result->Caption(), QStringLiteral("Display form 2"));
        QCOMPARE(result->path(), m_path);
        // The range takes in both its first instant and the whole of its last day.
        QCOMPARE(column(result, "Client"), (QStringList{"Acme, Inc", "O'Neil, Pat"}));
        QCOMPARE(result->Text1->text(), QStringLiteral("O'Neil, Pat")); // the newest
        QCOMPARE(activeChildWindow(), result);
        QCOMPARE(gstrDisplayIndex, QStringLiteral("2"));
        QCOMPARE(frmSearch::loaded(), nullptr);
        QCOMPARE(gstrRecordSource, QStringLiteral("kept source"));
        QCOMPARE(gvarBeginDate.toString(), QStringLiteral("kept begin"));
        QCOMPARE(gstrEmployee, QStringLiteral("Smith, Jo"));
        // The window that started it keeps its own records and clause.
        QCOMPARE(first->sqlWhereCaption(), firstSource);
        QCOMPARE(first->sqlWhereTag(), QString());
        QCOMPARE(first->Adodc1->RecordCount(), 6);

        // Searching the result refines it.
        pickEntry(QStringLiteral("PAY BILLS"));
        frmDisplay* refined = continueSearch(result, Project, AllTime);
        QCOMPARE(refined->sqlWhereTag(),
                 QStringLiteral("WHERE Employee Like 'Smith, Jo'  AND Project Like 'PAY BILLS' "));
        QCOMPARE(column(refined, "Client"), (QStringList{"Acme, Inc", "O'Neil, Pat"}));
        QCOMPARE(result->sqlWhereCaption(), statement);
    }

    void quotedNamesAndWildcardsMatchOnlyThemselves() {
        start();
        frmDisplay* first = display(QStringLiteral("1"));
        first->Adodc1->MoveLast(); // O'Neil, Pat
        frmDisplay* result = continueSearch(first, CurrentClient, AllTime);
        QCOMPARE(result->sqlWhereTag(), QStringLiteral("WHERE Client Like 'O''Neil, Pat' "));
        QCOMPARE(column(result, "Client"), QStringList{"O'Neil, Pat"});
        // The shared value keeps the raw name, so the next search quotes it once again.
        QCOMPARE(gstrClient, QStringLiteral("O'Neil, Pat"));
        result = continueSearch(first, CurrentClient, AllTime);
        QCOMPARE(column(result, "Client"), QStringList{"O'Neil, Pat"});

        pickEntry(QStringLiteral("100%_Corp"));
        result = continueSearch(first, AnotherClient, AllTime);
        QCOMPARE(column(result, "Client"), QStringList{"100%_Corp"});
        pickEntry(QStringLiteral("[Br]own"));
        result = continueSearch(first, AnotherClient, AllTime);
        QCOMPARE(column(result, "Client"), QStringList{"[Br]own"});
        pickEntry(QStringLiteral("A_B"));
        result = continueSearch(first, Project, AllTime);
        QCOMPARE(column(result, "Project"), QStringList{"A_B"});

        ScriptedDialogs dialogs;
        dialogs.answerInput(QStringLiteral("50%"));
        result = continueSearch(first, LogText, AllTime);
        QCOMPARE(dialogs.last()->text,
                 QStringLiteral("Enter the text being sought in your Vellagons"));
        QCOMPARE(dialogs.last()->title, QStringLiteral("Search for Vellagon text"));
        QCOMPARE(column(result, "Client"), QStringList{"100%_Corp"});
        QCOMPARE(gstrSearchText, QStringLiteral("50%"));
    }

    void allActiveClientsInClientOrder() {
        start();
        frmDisplay* result =
            continueSearch(display(QStringLiteral("1")), AllActiveClients, AllTime);
        QCOMPARE(column(result, "Client"), (QStringList{"100 Corp", "100%_Corp", "[Br]own",
                                                        "Acme, Inc", "Acme, Inc", "O'Neil, Pat"}));
        QVERIFY(result->sqlWhereCaption().endsWith(
            QStringLiteral(" ORDER BY Client, [Beginning Time]")));
    }

    void allActiveClientsWithoutClientsOpensNothing() {
        start();
        mainLists().List1[MainLists::Clients].clear();
        ScriptedDialogs dialogs;
        QVERIFY(!continueSearch(display(QStringLiteral("1")), AllActiveClients, LastYear));
        QCOMPARE(dialogs.messages(), QStringList{"No such records were found."});
        QCOMPARE(frmSearch::loaded(), nullptr);
    }

    void noRecordsLeavesTheEmptyWindowOpen() {
        start();
        ScriptedDialogs dialogs;
        dialogs.answerInput(QStringLiteral("nowhere"));
        frmDisplay* result = continueSearch(display(QStringLiteral("1")), LogText, AllTime);
        QVERIFY(result);
        QCOMPARE(dialogs.lastMessage(), QStringLiteral("No such records were found."));
        QCOMPARE(dialogs.last()->title, Dialogs::programTitle());
        QCOMPARE(dialogs.last()->style, int(Dialogs::vbOKOnly));
        QCOMPARE(result->Adodc1->RecordCount(), 0);
        QVERIFY(!result->isClosed());
        QCOMPARE(activeChildWindow(), result);
    }

    // The search window stays for another try, in front: a window manager would give the front
    // to the main window when the dialog closes.
    void aDialogLeftWithoutAChoiceEndsTheSearch() {
        start();
        frmDisplay* first = display(QStringLiteral("1"));
        ScriptedDialogs dialogs;
        gstrClient = QStringLiteral("kept");
        const auto searchInFront = [] {
            QVERIFY(frmSearch::loaded());
            QVERIFY(QTest::qWaitForWindowActive(frmSearch::loaded(), 1000));
        };
        m_windows->answer<frmSearchList>([](frmSearchList& list) {
            QCOMPARE(list.parentWidget(), frmSearch::loaded()); // it stands over the search
            QCOMPARE(list.pos(), frmMain::instance()->pos());
        });
        QVERIFY(!continueSearch(first, AnotherClient, AllTime));
        QCOMPARE(gstrClient, QStringLiteral("O'Neil, Pat")); // as the Search command set it
        searchInFront();
        dialogs.cancelInput();
        QVERIFY(!continueSearch(first, LogText, AllTime));
        searchInFront();
        gvarBeginDate = QStringLiteral("kept begin");
        m_windows->answer<frmSearchDatePicker>([](frmSearchDatePicker& p) {
            QCOMPARE(p.parentWidget(), frmSearch::loaded());
            p.mnuReturn_Click();
        });
        first->Adodc1->MoveLast();
        QVERIFY(!continueSearch(first, CurrentClient, CustomRange));
        searchInFront();
        QCOMPARE(gvarBeginDate.toString(), QStringLiteral("kept begin"));
        QVERIFY(dialogs.messages().isEmpty());
        QCOMPARE(gfrmDisplays.size(), qsizetype(1));
        // The search window stays for another try.
        QVERIFY(frmSearch::loaded());
    }

    void aCustomisedRangeOfOneDay() {
        start();
        m_windows->answer<frmSearchDatePicker>([](frmSearchDatePicker& p) {
            p.DTPicker1->setDate(QDate(2005, 8, 24));
            p.DTPicker2->setDate(QDate(2005, 8, 24));
            p.mnuContinue_Click();
        });
        frmDisplay* first = display(QStringLiteral("1"));
        first->Adodc1->MoveLast();
        frmDisplay* result = continueSearch(first, CurrentClient, CustomRange);
        QCOMPARE(column(result, "Client"), QStringList{"O'Neil, Pat"});
        QVERIFY(result->sqlWhereCaption().contains(
            QStringLiteral("BETWEEN #8/24/2005# AND #8/24/2005 11:59:59 PM# ")));
    }

    // ---- searches for a Data entry window

    void quickSearchesStartAfreshEachTime() {
        start();
        frmEntryWithFrames* e = entry();
        e->runPrologue();
        gstrClient = QStringLiteral("Acme, Inc");
        gstrProject = QStringLiteral("MARKETING"); // the client wins
        SearchRoutine(ClientOrProject, AllTime, false);
        frmDisplay* result = display(QStringLiteral("2"));
        QCOMPARE(column(result, "Client"), (QStringList{"Acme, Inc", "Acme, Inc"}));
        QCOMPARE(result->path(), m_path);
        gstrClient = QStringLiteral("O'Neil, Pat");
        SearchRoutine(ClientOrProject, AllTime, false);
        result = display(QStringLiteral("3"));
        QCOMPARE(result->sqlWhereTag(), QStringLiteral("WHERE Client Like 'O''Neil, Pat' "));
        QCOMPARE(column(result, "Client"), QStringList{"O'Neil, Pat"});
        QCOMPARE(e->sqlWhereTag(), QString());
        gstrClient.clear();
        gstrProject = QStringLiteral("AxB");
        SearchRoutine(ClientOrProject, AllTime, false);
        QCOMPARE(column(display(QStringLiteral("4")), "Client"), QStringList{"100 Corp"});

        // Nothing sought but a time frame: every log of the range.
        gstrProject.clear();
        SearchRoutine(ClientOrProject, LastMonth, false);
        QCOMPARE(display(QStringLiteral("5"))->Adodc1->RecordCount(), 5);

        // The current client of a Data entry window is the text of its client box, without
        // the blanks that Log completed does not store either.
        e->Combo1->setEditText(QStringLiteral("  100 Corp "));
        SearchRoutine(CurrentClient, AllTime, false);
        QCOMPARE(column(display(QStringLiteral("6")), "Client"), QStringList{"100 Corp"});
    }

    // ---- reports

    void reportsOfASearch() {
        start();
        frmDisplay* first = display(QStringLiteral("1"));
        first->Adodc1->MoveFirst(); // Acme, Inc
        ReportRecorder reports;
        first->mnuSearch_Click();
        frmSearch::loaded()->mnuReport_Click();
        QCOMPARE(reports.shown().size(), 1);
        QCOMPARE(frmSearch::loaded(), nullptr);
        const auto texts = [&](const QString& control) {
            QStringList values;
            for (const ReportPage& page : reports.shown().last().pages)
                for (const PlacedText& t : page.textsOf(control))
                    values << t.lines.join(QLatin1Char(' ')); // undo the wrapping
            return values;
        };
        QCOMPARE(texts(QStringLiteral("Text1")), (QStringList{"Acme, Inc", "Acme, Inc"}));
        QCOMPARE(texts(QStringLiteral("Label1")), QStringList{"Vellagon Report"});

        // A record with neither client nor project: the selected options decide.
        gstrClient.clear();
        gstrProject.clear();
        frmSearch* search = frmSearch::instance();
        search->Option1[Employee]->setChecked(true);
        search->Option2[LastMonth]->setChecked(true);
        pickEntry(QStringLiteral("Doe, Al"));
        search->mnuReport_Click();
        QCOMPARE(texts(QStringLiteral("Text1")), (QStringList{"100 Corp", "100%_Corp", "[Br]own"}));

        // Nothing found: the sorry text stands in the title's place.
        ScriptedDialogs dialogs;
        dialogs.answerInput(QStringLiteral("nowhere"));
        ReportRoutine(LogText, AllTime);
        QCOMPARE(
            texts(QStringLiteral("Label1")),
            QStringList{"Sorry, no records were found meeting your search criteria.  Closing "
                        "this report window will return you to your Vellagon display window."});
        QVERIFY(texts(QStringLiteral("Text1")).isEmpty());

        // A dialog left without a choice shows no report.
        m_windows->leave();
        ReportRoutine(AnotherClient, AllTime);
        dialogs.cancelInput();
        ReportRoutine(LogText, AllTime);
        QCOMPARE(reports.shown().size(), 3);

        // All active clients: every client's logs, client by client.
        ReportRoutine(AllActiveClients, AllTime);
        QCOMPARE(texts(QStringLiteral("Text1")).size(), 6);
        mainLists().List1[MainLists::Clients].clear();
        ReportRoutine(AllActiveClients, AllTime);
        QCOMPARE(texts(QStringLiteral("Label1")).first().left(6), QStringLiteral("Sorry,"));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestSearch)
#include "test_search.moc"

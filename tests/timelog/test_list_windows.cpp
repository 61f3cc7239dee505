#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/frmMain.h"
#include "platform/data/Settings.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/SortedItems.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmActivity.h"
#include "timelog/windows/frmClient.h"
#include "timelog/windows/frmEmployee.h"
#include "timelog/windows/frmEntryWithFrames.h"
#include "timelog/windows/frmProject.h"
#include "timelog/windows/frmRate.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QToolBar>

namespace {

// What a window shows before anything is typed: caption, frames, commands and tooltips.
QString faceOf(ListDialog& w) {
    QStringList parts{w.windowTitle()};
    for (QGroupBox* frame : {w.Frame1, w.Frame2, w.Frame3})
        if (frame)
            parts << frame->title();
    QStringList commands;
    for (QAction* command : w.menuBar->actions())
        commands << command->text();
    parts << commands.join('|');
    for (QWidget* box : QList<QWidget*>{w.Text1, w.Text2, w.List1})
        if (box)
            parts << box->toolTip();
    return parts.join(" / ");
}

void select(QListWidget* list, const QStringList& texts) {
    list->clearSelection();
    for (const QString& text : texts)
        list->findItems(text, Qt::MatchExactly).value(0)->setSelected(true);
}

} // namespace

// The rates, projects, clients, employees and activities windows, opened from a Data entry
// window as the user opens them.
class TestListWindows : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_file;

    frmEntryWithFrames* entry() {
        return qobject_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
    }
    QString rows(const QString& sql) { return Fixtures::sqlite3Tool(m_file, sql); }
    QStringList lookup(int list) { return mainLists().List1[std::size_t(list)].items(); }

    // Opens the window of type T from the Data entry window's menu item and acts in it.
    template <class T>
    void open(const char* item, std::function<void(T&)> act) {
        ScriptedWindows windows;
        windows.answer<T>(std::move(act));
        entry()->findChild<QAction*>(item)->trigger();
        QCOMPARE(windows.pending(), 0);
    }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee();
        m_main = TestSupport::showMainWindow();
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
        Fixtures::execRaw(m_file, {"DELETE FROM Rates", "INSERT INTO Rates VALUES ('50')",
                                   "INSERT INTO Rates VALUES ('100')"});
        gstrDatabasePath = m_file;
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void eachWindowShowsItsOwnTexts_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("face");
        QTest::newRow("rates") << "mnuRates"
                               << "Rates List / Add Rate Here / Vellagon's List of Rates / "
                                  "&Return|&Add|&Delete|&Done / Enter rate here / Use [Ctrl] to "
                                  "select multiple rates for deletion";
        QTest::newRow("projects") << "mnuProject"
                                  << "Treatment List / Add Project Here / Treatment / "
                                     "&Return|&Add|&Delete|&Print List|&Done /  / Use [Ctrl] to "
                                     "select multiple projects for deletion";
        const QString enter = "Press [Enter] when first and last names have been added";
        QTest::newRow("clients") << "mnuCClient"
                                 << "Patient List / Add first name here / Add last name here / "
                                    "Patient / &Return|&Add|Delete selected Patient|&Print "
                                    "list|&Done / " +
                                        enter + " / " + enter +
                                        " / Use [Ctrl] to select multiple clients for deletion";
        QTest::newRow("employees")
            << "mnuEmployees"
            << "Doctor List / Add first name here / Add last name here / Doctor / "
               "&Return|&Add|&Delete|&Select default employee|&Print list|&Done / Enter "
               "employee's first name here / Enter employee's last name here / Use [Ctrl] to "
               "select multiple employees for deletion";
        QTest::newRow("activities")
            << "mnuActivity"
            << "Activities List / Add Activity Here / Vellagon's List of Activities / &Return "
               "|&Add|&Delete|&Print List|&Done / Enter activity here / Use [Ctrl] to select "
               "multiple activities for deletion";
    }
    void eachWindowShowsItsOwnTexts() {
        QFETCH(QString, item);
        QFETCH(QString, face);
        gstrFrame1Caption = "Patient";
        gstrFrame2Caption = "Doctor";
        gstrFrame3Caption = "Treatment";
        open<ListDialog>(qPrintable(item), [&](ListDialog& w) {
            QCOMPARE(faceOf(w), face);
            QCOMPARE(w.focusWidget(), w.Text1);
            // Every window but the activities' lies over the main window.
            const bool covers = w.pos() == m_main->pos() && w.size() == m_main->size();
            QCOMPARE(covers, item != "mnuActivity");
        });
        QCOMPARE(gstrDatabasePath, m_file); // the window's command prologue ran
    }

    // A refused row leaves no item behind for Done to push into the lookup list.
    void anItemIsListedOnlyOnceItsRowIsWritten() {
        Fixtures::execRaw(m_file, {"INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name]) VALUES ('Smith', 'Ann')"});
        ScriptedDialogs dialogs;
        open<frmClient>("mnuCClient", [&](frmClient& w) {
            w.Text1->setText("ann");
            QTest::keyClick(w.Text1, Qt::Key_Return); // Enter in the first-name box adds nothing
            QVERIFY(dialogs.shown().isEmpty());
            w.Text2->setText(" smith ");
            QTest::keyClick(w.Text2, Qt::Key_Return);
            QCOMPARE(dialogs.lastMessage(), "Error in Client List module: \"smith, ann\" is "
                                            "already in the list as \"Smith, Ann\". No two may "
                                            "have the same last and first name (capital and "
                                            "small letters count as the same).");
            QCOMPARE(w.Text2->text(), " smith "); // kept, to be mended
            w.Text1->setText(" Bo ");
            QTest::keyClick(w.Text2, Qt::Key_Return);
            QCOMPARE(itemsOf(w.List1), (QStringList{"Smith, Ann", "smith, Bo"}));
            QCOMPARE(w.Text1->text() + w.Text2->text(), QString());
            QCOMPARE(w.focusWidget(), w.Text1);

            w.Text1->setText("Cy");
            w.mnuAdd->trigger(); // no last name: both boxes are emptied
            QCOMPARE(dialogs.lastMessage(),
                     "You forgot to enter a first name or last name, please try again.");
            QCOMPARE(w.Text1->text(), QString());
            QTest::keyClick(w.Text2, Qt::Key_Escape); // Done
        });
        QCOMPARE(lookup(MainLists::Clients), (QStringList{"Smith, Ann", "smith, Bo"}));
        QCOMPARE(itemsOf(entry()->Combo1), lookup(MainLists::Clients));
        QCOMPARE(rows("SELECT count(*) FROM [Active Clients]"), "2");
    }

    void deleteTakesTheSelectedItemsAndTheirExactRows() {
        Fixtures::execRaw(m_file,
                          {"INSERT INTO Rates VALUES ('ABC')", "INSERT INTO Rates VALUES ('abc')"});
        ScriptedDialogs dialogs;
        open<frmRate>("mnuRates", [&](frmRate& w) {
            QCOMPARE(itemsOf(w.List1), (QStringList{"100", "50", "ABC", "abc"}));
            w.List1->setFocus();
            QTest::keyClick(w.List1, Qt::Key_Delete); // nothing selected: nothing happens
            select(w.List1, {"100", "abc"});
            QTest::keyClick(w.List1, Qt::Key_Delete);
            QCOMPARE(itemsOf(w.List1), (QStringList{"50", "ABC"}));
            QCOMPARE(rows("SELECT Rates FROM Rates"), "50\nABC");

            // A failed delete leaves the items, as it leaves the rows.
            QFile::remove(m_file);
            select(w.List1, {"50"});
            w.mnuDelete->trigger();
            QVERIFY2(dialogs.lastMessage().startsWith("Error in Rates List module: "),
                     qPrintable(dialogs.lastMessage()));
            QCOMPARE(itemsOf(w.List1), (QStringList{"50", "ABC"}));
            w.mnuReturn->trigger();
        });
        // The clients list has no Delete key.
        Fixtures::newDatabase(m_file);
        Fixtures::execRaw(m_file, {"INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name]) VALUES ('Smith', 'Ann')"});
        open<frmClient>("mnuCClient", [&](frmClient& w) {
            select(w.List1, {"Smith, Ann"});
            w.List1->setFocus();
            QTest::keyClick(w.List1, Qt::Key_Delete);
            QCOMPARE(w.List1->count(), 1);
            w.mnuDelete->trigger();
            QCOMPARE(w.List1->count(), 0);
        });
        QCOMPARE(rows("SELECT count(*) FROM [Active Clients]"), "0");
    }

    // Done rebuilds the lookup list and the current Data entry window's box from the window's
    // list; Return, the close box and Esc in the activities' entry box leave both as they were.
    void onlyDoneRefreshesTheLookupListAndTheEntryWindow() {
        entry()->Combo4->setEditText("typed");
        const auto addRate = [](ListDialog& w, const QString& rate) {
            w.Text1->setText(rate);
            QTest::keyClick(w.Text1, Qt::Key_Return);
        };
        open<frmRate>("mnuRates", [&](frmRate& w) {
            addRate(w, " 75 ");
            w.mnuReturn->trigger();
        });
        open<frmRate>("mnuRates", [&](frmRate& w) {
            addRate(w, "0");
            w.close();
        });
        QVERIFY(lookup(MainLists::Rates).isEmpty());
        QCOMPARE(entry()->Combo4->currentText(), "typed");
        open<frmRate>("mnuRates", [&](frmRate& w) { QTest::keyClick(w.Text1, Qt::Key_Escape); });
        const QStringList rates{"0", "100", "50", "75"};
        QCOMPARE(lookup(MainLists::Rates), rates);
        QCOMPARE(itemsOf(entry()->Combo4), rates);
        QCOMPARE(entry()->Combo4->currentText(), QString());

        open<frmActivity>("mnuActivity", [&](frmActivity& w) {
            addRate(w, "Call to");
            QTest::keyClick(w.Text1, Qt::Key_Escape); // Return here
        });
        QVERIFY(lookup(MainLists::Activities).isEmpty());

        // With the Data entry window closed, Done refreshes the lookup list alone.
        gblnEntryActive = true;
        frmEntryWithFrames* closed = entry();
        closed->parentWidget()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ScriptedWindows windows;
        windows.answer<frmProject>([](frmProject& w) { w.mnuDone->trigger(); });
        ListDialog::showModal<frmProject>();
        QCOMPARE(lookup(MainLists::Projects).size(), 6);
    }

    void aWindowWithoutItsTableOpensEmptyAndReports() {
        Fixtures::execRaw(m_file, {"DROP TABLE Projects"});
        mainLists().List1[MainLists::Projects].addItem("Appeal");
        const QString missing = "The file \"" + m_file +
                                "\" is not a valid Vellagon file: it has no table \"Projects\".";
        ScriptedDialogs dialogs;
        open<frmProject>("mnuProject", [&](frmProject& w) {
            QCOMPARE(dialogs.messages(), QStringList{"Error in Project List module: " + missing});
            QVERIFY(!w.loaded());
            QCOMPARE(w.List1->count(), 0);
            w.Text1->setText("Appeal");
            w.mnuAdd->trigger();
            QCOMPARE(dialogs.lastMessage(), "Error in Project List module: " + missing);
            QCOMPARE(w.List1->count(), 0);
            w.mnuDone->trigger();
        });
        // An empty list that does not show the table never replaces the lookup list.
        QCOMPARE(lookup(MainLists::Projects), QStringList{"Appeal"});
    }

    void theDefaultEmployeeIsTheSelectedCurrentItem() {
        Fixtures::execRaw(m_file, {"INSERT INTO Employees VALUES ('Jim', 'Doe')",
                                   "INSERT INTO Employees VALUES ('Kay', 'Able')"});
        ScriptedDialogs dialogs;
        const QString none = "Please select an employee and try again.";
        open<frmEmployee>("mnuEmployees", [&](frmEmployee& w) {
            w.mnuDefaultEmployee->trigger();
            w.List1->setCurrentRow(1, QItemSelectionModel::NoUpdate); // current, not selected
            w.mnuDefaultEmployee->trigger();
            QCOMPARE(dialogs.messages(), (QStringList{none, none}));
            QCOMPARE(gstrDefaultEmployee, QString());

            select(w.List1, {"Able, Kay", "Doe, Jim"});
            w.List1->setCurrentRow(0, QItemSelectionModel::NoUpdate); // the current one decides
            w.mnuDefaultEmployee->trigger();
            QCOMPARE(dialogs.lastMessage(), "Able, Kay selected as default employee.");
        });
        QCOMPARE(gstrDefaultEmployee, "Able, Kay");
        QCOMPARE(Settings::value("defaultemployee", "DEFAULT EMPLOYEE"), "Able, Kay");
    }

    void listsPrintInThePrintFontTheClientsUnderAHeading() {
        Fixtures::execRaw(m_file, {"INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name]) VALUES ('Smith', 'Ann')",
                                   "INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name]) VALUES ('adams', 'Bo')"});
        gstrFrame1Caption = "Patient";
        gstrPrintFontName = "DejaVu Sans";
        gstrPrintFontSize = "10";
        gPrintLines = {PrintLine{"earlier", ":>01", 2.0, "Courier", "20"}};
        PrintRecorder printer;
        open<frmClient>("mnuCClient", [](frmClient& w) { w.mnuPrintList->trigger(); });
        open<frmEmployee>("mnuEmployees", [](frmEmployee& w) { w.mnuPrintList->trigger(); });
        QCOMPARE(printer.jobs().size(), 2);
        QCOMPARE(printer.jobs()[0]->textStrings(),
                 (QStringList{"Patient List", "", "adams, Bo", "Smith, Ann"}));
        const PrintedText& line = printer.jobs()[0]->texts.last();
        QCOMPARE(line.fontName + ' ' + QString::number(line.fontSize), "DejaVu Sans 10");
        QCOMPARE(line.x, 1.0); // at the left margin, whatever an earlier printout left
        QVERIFY(printer.jobs()[1]->textStrings().isEmpty());
    }

    // The phrases go in at the caret of the field that had the focus last, the last selected
    // first, and the focus ends in the summary line.
    void activitiesGoInWhereTheUserWasTyping() {
        frmEntryWithFrames* w = entry();
        w->Text1->setText("Call  re");
        w->Text1->setFocus();
        QVERIFY(gblnSummaryFocus);
        w->Text1->setCursorPosition(5);
        open<frmActivity>("mnuActivity", [](frmActivity& a) {
            select(a.List1, {"Court appearance re", "Legal research", "Attend"});
            a.List1->setFocus();
            QTest::keyClick(a.List1, Qt::Key_Return);
        });
        QCOMPARE(w->Text1->text(), "Call Legal research Court appearance re Attend   re");
        QVERIFY(lookup(MainLists::Activities).isEmpty()); // Enter is no Done

        w->RichTextBox1->setPlainText("Met with the client.");
        w->RichTextBox1->setFocus();
        QVERIFY(!gblnSummaryFocus);
        QTextCursor cursor = w->RichTextBox1->textCursor();
        cursor.setPosition(4);
        cursor.setPosition(8, QTextCursor::KeepAnchor); // "with" is replaced
        w->RichTextBox1->setTextCursor(cursor);
        open<frmActivity>("mnuActivity", [](frmActivity& a) {
            QListWidgetItem* item =
                a.List1->findItems("Telephone conference with", Qt::MatchExactly).value(0);
            a.List1->scrollToItem(item);
            select(a.List1, {"Attend", "Review file"});
            // The first click of a double click selects its item alone, the second is Done.
            QTest::mouseClick(a.List1->viewport(), Qt::LeftButton, {},
                              a.List1->visualItemRect(item).center());
            emit a.List1->itemDoubleClicked(item);
        });
        QCOMPARE(w->RichTextBox1->toPlainText(), "Met Telephone conference with   the client.");
        QCOMPARE(lookup(MainLists::Activities).size(), 15); // a double click is Done
        QCOMPARE(itemsOf(w->List1).size(), 15);
        QCOMPARE(QApplication::focusWidget(), w->Text1);
        QVERIFY(gblnSummaryFocus);

        // Nothing selected inserts one blank; Esc in the list inserts nothing.
        w->Text1->setText("x");
        open<frmActivity>("mnuActivity", [](frmActivity& a) { a.mnuDone->trigger(); });
        open<frmActivity>("mnuActivity", [](frmActivity& a) {
            select(a.List1, {"Legal research"});
            a.List1->setFocus();
            QTest::keyClick(a.List1, Qt::Key_Escape);
        });
        QCOMPARE(w->Text1->text(), "x ");
    }

    void theDataEntryWindowOpensEveryListFromItsKeysAndButtons() {
        frmEntryWithFrames* w = entry();
        const QList<std::pair<QKeySequence, QString>> keys{{Qt::Key_F2, "frmClient"},
                                                           {Qt::Key_F3, "frmActivity"},
                                                           {Qt::Key_F4, "frmEmployee"},
                                                           {Qt::Key_F5, "frmProject"},
                                                           {Qt::Key_F6, "frmRate"}};
        ScriptedWindows windows;
        for (const auto& [key, window] : keys) {
            QAction* item = nullptr;
            for (QAction* action : w->findChildren<QAction*>())
                if (action->shortcut() == key)
                    item = action;
            QVERIFY(item && item->isEnabled());
            item->trigger();
            QCOMPARE(windows.shown().last().className, window);
        }
        const QList<std::pair<QToolBar*, QString>> buttons{{w->Toolbar2, "frmClient"},
                                                           {w->Toolbar3, "frmEmployee"},
                                                           {w->Toolbar4, "frmProject"},
                                                           {w->Toolbar6, "frmRate"}};
        for (const auto& [bar, window] : buttons) {
            bar->findChild<QAction*>("Properties")->trigger();
            QCOMPARE(windows.shown().last().className, window);
        }

        // The first-run introduction hands over to the client and employee lists.
        startupDialogs().clientsList();
        startupDialogs().employeesList();
        QCOMPARE(windows.shown().size(), 11);
        QCOMPARE(windows.shown().last().className, "frmEmployee");
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestListWindows)
#include "test_list_windows.moc"

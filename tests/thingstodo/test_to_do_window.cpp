#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/data/Settings.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/PickListOverlay.h"
#include "platform/widgets/SortedItems.h"
#include "thingstodo/windows/ThingsToDo.h"
#include "thingstodo/windows/frmAddToToDo.h"
#include "thingstodo/windows/frmEditToDo.h"
#include "thingstodo/windows/frmToDo.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>
#include <QTreeWidget>

// The to-do window and its two dialogs as a user works them: opened from the Data entry window,
// keys, clicks on the headers, pressing on one row and releasing over another, and what each
// command leaves in the file.
namespace {

QStringList column(const frmToDo& w, int c) {
    QStringList texts;
    for (int row = 0; row < w.ListView1->topLevelItemCount(); ++row)
        texts << w.ListView1->topLevelItem(row)->text(c);
    return texts;
}

QPoint rowCentre(const frmToDo& w, int row) {
    return w.ListView1->visualItemRect(w.ListView1->topLevelItem(row)).center();
}

void clickHeader(const frmToDo& w, int section) {
    QHeaderView* header = w.ListView1->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
}

void selectEntry(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!found.isEmpty(), qPrintable(text));
    list->setCurrentItem(found.first());
}

} // namespace

class TestToDoWindow : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;

    Database db() const { return Database::open(m_path); }
    QVariant scalar(const QString& sql) const { return db().scalar(sql); }
    void raw(const QString& sql) { Fixtures::execRaw(m_path, {sql}); }
    void addItem(const QString& text, const QString& last, const QString& first,
                 const QString& project, const QString& priority, const QString& deadline) {
        raw(QStringLiteral("INSERT INTO [Things To Do] ([ThingToDo], [TTD Client Last Name], "
                           "[TTD Client First Name], [TTD Project], [TTD Priority], "
                           "[Thing To Do Start Date], [Thing To Do Deadline]) VALUES ('%1', %2, "
                           "%3, %4, '%5', '2025-01-02 00:00:00', '%6')")
                .arg(text, last.isEmpty() ? "NULL" : "'" + last + "'",
                     first.isEmpty() ? "NULL" : "'" + first + "'",
                     project.isEmpty() ? "NULL" : "'" + project + "'", priority, deadline));
    }

    // Opens the window from Data entry window 1 as the user does; `act` works in it.
    void openToDo(ScriptedWindows& windows, const std::function<void(frmToDo&)>& act) {
        windows.answer<frmToDo>(act);
        auto* entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
        QVERIFY(entry->mnuThingsToDo->isEnabled());
        entry->mnuThingsToDo->trigger();
        QCOMPARE(windows.pending(), 0);
    }

private Q_SLOTS:
    void initTestCase() {
        registerTimeLogging();
        registerThingsToDo();
    }

    void init() {
        TestSupport::freshProgram();
        Clock::setNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/todo.mdb");
        raw("INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES "
            "('Smith', 'Mary'), ('Smith', 'John'), ('adams', 'Al')");
        addItem("file the brief", "Smith", "Mary", "", "1", "2005-09-30 00:00:00");
        addItem("book the room", "", "", "Smith, Jones", "2", "2005-10-01 00:00:00");
        addItem("file the brief", "Smith", "John", "", "3", "2005-01-15 00:00:00");
        m_main = TestSupport::showMainWindow();
        gstrDatabasePath = m_path;
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }

    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void theWindowOpensWithItsCommandsAndRows() {
        ScriptedWindows windows;
        openToDo(windows, [&](frmToDo& w) {
            QCOMPARE(w.windowTitle(), "To Do List");
            QCOMPARE(w.ListView1->headerItem()->text(1), "Client or Project");
            QCOMPARE(column(w, 0), QStringList({"1", "2", "3"}));
            QCOMPARE(column(w, 1), QStringList({"Smith, Mary", "Smith, Jones", "Smith, John"}));
            QCOMPARE(column(w, 4), QStringList({"9/30/2005", "10/1/2005", "1/15/2005"}));
            // Delete (list only), then Enter: nothing is written.
            w.selectRow(0);
            w.ListView1->setFocus();
            QTest::keyClick(w.ListView1, Qt::Key_Delete);
            QCOMPARE(column(w, 1), QStringList({"Smith, Jones", "Smith, John"}));
            QTest::keyClick(w.ListView1, Qt::Key_Return);
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(windows.shown().value(0).title, "To Do List");
        QCOMPARE(scalar("SELECT count(*) FROM [Things To Do]"), QVariant(3));
        // Its place is kept under its tag.
        QVERIFY(!Settings::value("FormPosition", "frmToDo").isEmpty());
        openToDo(windows, [&](frmToDo& w) {
            QCOMPARE(w.ListView1->topLevelItemCount(), 3);
            QTest::keyClick(w.ListView1, Qt::Key_Escape);
            QVERIFY(!w.isVisible());
        });
    }

    void sortingAndReRankingThenDone() {
        ScriptedWindows windows;
        openToDo(windows, [&](frmToDo& w) {
            // Priority is the sort column of a window just opened: its first click sorts
            // descending.
            clickHeader(w, 0);
            QCOMPARE(column(w, 0), QStringList({"3", "2", "1"}));
            QCOMPARE(column(w, 1), QStringList({"Smith, John", "Smith, Jones", "Smith, Mary"}));

            // Pressing on the third row and releasing over the first: the items change places,
            // the priorities stay.
            QTest::mousePress(w.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(w, 2));
            QTest::mouseRelease(w.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(w, 0));
            QCOMPARE(column(w, 0), QStringList({"3", "2", "1"}));
            QCOMPARE(column(w, 1), QStringList({"Smith, Mary", "Smith, Jones", "Smith, John"}));
            QCOMPARE(gintDragFromRow, 3);
            QCOMPARE(gintDragToRow, 1);
            // On one row, or released below the last: nothing.
            QTest::mouseClick(w.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(w, 1));
            QTest::mousePress(w.ListView1->viewport(), Qt::LeftButton, {}, rowCentre(w, 1));
            QTest::mouseRelease(w.ListView1->viewport(), Qt::LeftButton, {},
                                QPoint(5, w.ListView1->viewport()->height() - 2));
            QCOMPARE(column(w, 1), QStringList({"Smith, Mary", "Smith, Jones", "Smith, John"}));
            w.mnuDone->trigger();
            QVERIFY(!w.isVisible());
            QCOMPARE(w.result(), int(QDialog::Accepted));
        });
        // Stored in list order; the project named like a client stays a project.
        const QList<ToDoItem> stored = ToDoItems::load(db());
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored[0].firstName, "Mary");
        QCOMPARE(stored[0].priority, "3");
        QVERIFY(!stored[1].isClient());
        QCOMPARE(scalar("SELECT [Active Client Things To Do] FROM [Active Clients] WHERE "
                        "[Client First Name] = 'Mary'"),
                 QVariant("file the brief\r\n"));
        QCOMPARE(scalar("SELECT [Active Client Things To Do] FROM [Active Clients] WHERE "
                        "[Client First Name] = 'Al'"),
                 QVariant(""));
    }

    void aDoneThatFailsKeepsTheWindowAndTheFile() {
        raw("CREATE TRIGGER refuse BEFORE INSERT ON [Things To Do] WHEN NEW.ThingToDo = "
            "'book the room' BEGIN SELECT RAISE(ABORT, 'refused by the file'); END");
        const QString before = Fixtures::toDoContents(m_path);
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            w.mnuDone->trigger();
            QVERIFY(w.isVisible());
            QCOMPARE(w.ListView1->topLevelItemCount(), 3);
        });
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.lastMessage().startsWith(
                     "There was an error in returning from the To Do List: ") &&
                     dialogs.lastMessage().contains("refused by the file"),
                 qPrintable(dialogs.lastMessage()));
        QCOMPARE(Fixtures::toDoContents(m_path), before);
    }

    // Items that another window or program added while the list was open stay: Done writes
    // the window's list, then them (also one given the row id of an item that went), tells the
    // user and shows the list as saved; the clients' texts are those of that list. What the
    // user deleted in the list goes.
    void doneKeepsWhatOthersAddedMeanwhile() {
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            raw("DELETE FROM [Things To Do] WHERE [TTD Client First Name] = 'John'");
            addItem("call the clerk", "Smith", "John", "", "2", "2026-12-20 00:00:00");
            addItem("pay the fee", "", "", "Lease", "4", "2026-12-21 00:00:00");
            QCOMPARE(scalar("SELECT rowid FROM [Things To Do] WHERE [ThingToDo] = "
                            "'call the clerk'"),
                     QVariant(3)); // the row id of John's item, which the list still holds
            w.selectRow(1);
            w.mnuDeleteItem_Click();
            w.mnuDone->trigger();
            QVERIFY(w.isVisible());
            QCOMPARE(column(w, 2), QStringList({"file the brief", "file the brief",
                                                "call the clerk", "pay the fee"}));
            QCOMPARE(column(w, 1),
                     QStringList({"Smith, Mary", "Smith, John", "Smith, John", "Lease"}));
            QCOMPARE(dialogs.messages(),
                     QStringList{"The to-do list has been saved. It also holds 2 items that "
                                 "another window or program added or changed while this list was "
                                 "open; they are kept at the end of the list."});
            // Saved as shown: Done again has nothing more to keep, and closes.
            w.mnuDone->trigger();
            QVERIFY(!w.isVisible());
        });
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(scalar("SELECT group_concat([ThingToDo], '|') FROM (SELECT * FROM [Things To "
                        "Do] ORDER BY rowid)"),
                 QVariant("file the brief|file the brief|call the clerk|pay the fee"));
        QCOMPARE(scalar("SELECT [Active Client Things To Do] FROM [Active Clients] WHERE "
                        "[Client First Name] = 'John'"),
                 QVariant("file the brief\r\ncall the clerk\r\n"));
    }

    // The file refusing the clients' texts undoes the whole of Done: the list and every client's
    // text stay as they were, and so does the window.
    void aDoneRefusedAtTheClientsTextsChangesNothing() {
        raw("UPDATE [Active Clients] SET [Active Client Things To Do] = 'typed' WHERE "
            "[Client First Name] = 'Mary'");
        raw("CREATE TRIGGER refuse BEFORE UPDATE ON [Active Clients] WHEN "
            "NEW.[Active Client Things To Do] <> '' BEGIN SELECT RAISE(ABORT, 'refused by the "
            "file'); END");
        const QString before = Fixtures::toDoContents(m_path);
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            w.selectRow(1);
            w.mnuDeleteItem_Click();
            w.mnuDone->trigger();
            QVERIFY(w.isVisible());
            QCOMPARE(column(w, 2), QStringList({"file the brief", "file the brief"}));
        });
        QVERIFY2(dialogs.lastMessage().contains("refused by the file"),
                 qPrintable(dialogs.lastMessage()));
        QCOMPARE(Fixtures::toDoContents(m_path), before);
        QCOMPARE(scalar("SELECT group_concat(ifnull([Active Client Things To Do], 'Null'), '|') "
                        "FROM (SELECT * FROM [Active Clients] ORDER BY rowid)"),
                 QVariant("typed|Null|Null"));
        QCOMPARE(scalar("SELECT count(*) FROM [Things To Do]"), QVariant(3));
    }

    void addingAnItem() {
        Settings::setValue("Preferences", "Time Allowance", "two weeks");
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        windows.answer<frmToDo>([&](frmToDo& w) {
            w.mnuAddItem->trigger();
            QCOMPARE(w.ListView1->topLevelItemCount(), 3); // refused: no row
            w.mnuAddItem->trigger();
            QCOMPARE(column(w, 1).last(), "adams, Al");
            QCOMPARE(column(w, 2).last(), "call Court appearance re");
            QCOMPARE(column(w, 3).last(), "12/9/2026");
            QCOMPARE(column(w, 0).last(), "5");
        });
        // First: nothing chosen, then a text of 101 characters, then Return.
        windows.answer<frmAddToToDo>([&](frmAddToToDo& d) {
            QCOMPARE(d.windowTitle(), "Add to the To Do list");
            // A setting that is no whole number counts as 7 days.
            QCOMPARE(d.DTPicker1->date(), QDate(2026, 12, 16));
            QVERIFY(d.Option1[2]->isChecked());
            QCOMPARE(itemsOf(d.List1), QStringList({"adams, Al", "Smith, John", "Smith, Mary"}));
            d.mnuDone->trigger();
            QCOMPARE(dialogs.lastMessage(), "You must select a client or a project.  Try again.");
            QVERIFY(d.isVisible());
            selectEntry(d.List2, "MARKETING");
            d.Text1->setText(QString(101, 'x'));
            QTest::keyClick(d.Text1, Qt::Key_Return);
            QVERIFY(d.isVisible());
            QCOMPARE(d.Text1->text(), QString(101, 'x'));
            QVERIFY(dialogs.lastMessage().contains("101"));
            QTest::keyClick(d.Text1, Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        });
        // Then: a client and a project, the activity on F3, level 5.
        windows.answer<frmAddToToDo>([&](frmAddToToDo& d) {
            selectEntry(d.List1, "adams, Al");
            selectEntry(d.List2, "MARKETING");
            d.Text1->setFocus();
            QTest::keyClicks(d.Text1, "call");
            QTest::keyClick(d.Text1, Qt::Key_F3);
            QVERIFY(d.activities->isVisible());
            QCOMPARE(d.activities->geometry(), d.rect());
            selectEntry(d.activities, "Court appearance re");
            d.activities->currentItem()->setSelected(true);
            QTest::keyClick(d.activities, Qt::Key_Escape);
            QVERIFY(!d.activities->isVisible());
            QVERIFY(d.isVisible());
            d.Option1[4]->setChecked(true);
            d.Toolbar1_ButtonClick("Done");
        });
        auto* entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
        entry->mnuThingsToDo->trigger();
        QCOMPARE(windows.pending(), 0);
        // Stored at once, a client item, whatever the window did after.
        QCOMPARE(scalar("SELECT [TTD Client Last Name] || '/' || [TTD Priority] || '/' || "
                        "[Thing To Do Deadline] || '/' || ifnull([TTD Project], 'null') FROM "
                        "[Things To Do] WHERE [ThingToDo] = 'call Court appearance re'"),
                 QVariant("adams/5/2026-12-16 00:00:00/null"));
        QCOMPARE(scalar("SELECT count(*) FROM [Things To Do]"), QVariant(4));
    }

    void anAddTheFileRefusesLeavesNoRow() {
        raw("CREATE TRIGGER refuse BEFORE INSERT ON [Things To Do] BEGIN SELECT RAISE(ABORT, "
            "'refused'); END");
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            windows.answer<frmAddToToDo>([&](frmAddToToDo& d) {
                selectEntry(d.List2, "PAY BILLS");
                d.mnuDone->trigger();
            });
            w.mnuAddItem_Click();
            QCOMPARE(w.ListView1->topLevelItemCount(), 3);
        });
        QCOMPARE(dialogs.messages(), QStringList({"Unable to add To Do item"}));
    }

    void changingAnItemRewritesItsOwnRow() {
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            // Nothing selected: nothing happens.
            w.ListView1->clearSelection();
            w.mnuEditItem_Click();
            windows.answer<frmEditToDo>([&](frmEditToDo& d) {
                QCOMPARE(d.windowTitle(), "Edit To Do Item");
                QCOMPARE(d.Text1->text(), "Smith, John");
                QVERIFY(d.Option1[2]->isChecked());
                QCOMPARE(d.DTPicker1->date(), QDate(2005, 1, 15));
                QTest::keyClicks(d.Text1, "x");
                QCOMPARE(d.Text1->text(), "Smith, John");
                d.Text2->setText("file the reply");
                d.Option1[3]->setChecked(true);
                // The deadline typed over the whole of the one shown, after a click into it.
                d.show();
                QLineEdit* deadline = d.DTPicker1->findChild<QLineEdit*>();
                QTest::mouseClick(deadline, Qt::LeftButton, {}, QPoint(3, deadline->height() / 2));
                QTest::keyClick(d.DTPicker1, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(d.DTPicker1, "3/15/2027");
                QTest::keyClick(d.Text2, Qt::Key_Return);
            });
            w.selectRow(2);
            w.Toolbar1_ButtonClick("Edit");
            QCOMPARE(column(w, 2),
                     QStringList({"file the brief", "book the room", "file the reply"}));
            QCOMPARE(column(w, 0).last(), "4");
            QCOMPARE(column(w, 4).last(), "3/15/2027");
        });
        QCOMPARE(windows.pending(), 0);
        QVERIFY(dialogs.shown().isEmpty());
        // John's row changed in place; Mary's, of the same last name, level and text, did not.
        const QList<ToDoItem> stored = ToDoItems::load(db());
        QCOMPARE(stored.size(), 3);
        QCOMPARE(stored[0].thingToDo, "file the brief");
        QCOMPARE(stored[2].firstName, "John");
        QCOMPARE(stored[2].thingToDo, "file the reply");
        QCOMPARE(stored[2].priority, "4");
        QCOMPARE(stored[2].deadline, QDate(2027, 3, 15));
    }

    // In an unsorted list the changed item's row moves to the end, and Done keeps that order.
    void aChangedItemMovesToTheEnd() {
        ScriptedWindows windows;
        openToDo(windows, [&](frmToDo& w) {
            windows.answer<frmEditToDo>([&](frmEditToDo& d) {
                d.Text2->setText("file the answer");
                d.mnuDone->trigger();
            });
            w.selectRow(0);
            w.mnuEditItem_Click();
            QCOMPARE(column(w, 2),
                     QStringList({"book the room", "file the brief", "file the answer"}));
            QCOMPARE(column(w, 1), QStringList({"Smith, Jones", "Smith, John", "Smith, Mary"}));
            QCOMPARE(w.selectedRow(), 2);
            w.mnuDone_Click();
        });
        QStringList stored;
        for (const ToDoItem& item : ToDoItems::load(db()))
            stored << item.thingToDo;
        QCOMPARE(stored, QStringList({"book the room", "file the brief", "file the answer"}));
    }

    // A change finds the item's row only as it was read: an item that another window changed
    // meanwhile stays as that window left it, the change is stored as a new item, and the user
    // is told.
    void aChangeOfAnItemChangedElsewhereIsStoredAnew() {
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            raw("UPDATE [Things To Do] SET [Thing To Do Deadline] = '2006-01-01 00:00:00' WHERE "
                "[TTD Project] = 'Smith, Jones'");
            windows.answer<frmEditToDo>([&](frmEditToDo& d) {
                d.Text2->setText("book the hall");
                d.mnuDone_Click();
            });
            w.selectRow(1);
            w.mnuEditItem_Click();
            QCOMPARE(column(w, 2).contains("book the hall"), true);
        });
        QCOMPARE(dialogs.messages(),
                 QStringList{"The to-do item \"book the room\" (Smith, Jones) was changed or "
                             "deleted by another window or program since it was shown, so it was "
                             "left as it is now; your change is stored as a new item."});
        QCOMPARE(scalar("SELECT group_concat([ThingToDo] || ' ' || [Thing To Do Deadline], '|') "
                        "FROM (SELECT * FROM [Things To Do] WHERE [TTD Project] = 'Smith, Jones' "
                        "ORDER BY rowid)"),
                 QVariant("book the room 2006-01-01 00:00:00|book the hall 2005-10-01 00:00:00"));
    }

    void theFontCommands() {
        ScriptedWindows windows;
        ScriptedDialogs dialogs;
        openToDo(windows, [&](frmToDo& w) {
            dialogs.answerFont("DejaVu Sans", "10");
            w.Toolbar1_ButtonClick("Font");
            QCOMPARE(w.ListView1->font().family(), "DejaVu Sans");
            QCOMPARE(w.ListView1->font().pointSizeF(), 10.0);
            dialogs.cancelFont();
            w.mnuProgramFont->trigger();
            dialogs.answerFont("DejaVu Serif", "8.25");
            w.mnuPrintFont->trigger();
            QCOMPARE(w.ListView1->font().family(), "DejaVu Sans");
        });
        QCOMPARE(dialogs.shown().size(), 3);
        QCOMPARE(dialogs.shown()[0].font.flags, 259);
        QCOMPARE(Settings::value("DefaultToDoFontName", "Default To Do Font Name"), "DejaVu Sans");
        QCOMPARE(Settings::value("DefaultToDoFontSize", "Default To Do Font Size"), "10");
        QCOMPARE(gstrPrintFontName, "DejaVu Serif");
        QCOMPARE(Settings::value("DefaultPrintFontSize", "Default Print Font Size"), "8.25");
    }

    void printingWhatTheListShows() {
        ScriptedWindows windows;
        PrintRecorder printer;
        gstrPrintFontName = "DejaVu Serif";
        gstrPrintFontSize = "12";
        openToDo(windows, [&](frmToDo& w) {
            clickHeader(w, 4);
            w.Toolbar1_ButtonClick("Print");
        });
        QCOMPARE(printer.jobs().size(), 1);
        const QStringList texts = printer.lastJob().textStrings();
        QVERIFY(texts.indexOf("1/15/2005") < texts.indexOf("9/30/2005"));
        QVERIFY(texts.indexOf("9/30/2005") < texts.indexOf("10/1/2005"));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestToDoWindow)
#include "test_to_do_window.moc"

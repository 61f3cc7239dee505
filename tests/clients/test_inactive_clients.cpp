#include "ClientsFixture.h"
#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "clients/windows/Clients.h"
#include "clients/windows/frmDatePicker.h"
#include "clients/windows/frmInactiveClients.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/ListRefill.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/SortedItems.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QTextEdit>

namespace {

const QString NoRecords = "No records have been entered.  Use the Entry form to enter data.";

// A row of a client table from its last and first name and more fields where given.
void addRow(const QString& path, const QString& table, const QString& lastField,
            const QString& firstField, const QString& last, const QString& first,
            const QStringList& moreFields = {}, const QStringList& moreValues = {}) {
    QStringList fields{"[" + lastField + "]", "[" + firstField + "]"};
    for (const QString& f : moreFields)
        fields << "[" + f + "]";
    Fixtures::execRaw(
        path,
        {QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
             .arg(table, fields.join(", "),
                  (QStringList{Fixtures::sqlText(last), Fixtures::sqlText(first)} + moreValues)
                      .join(", "))});
}

void addActive(const QString& path, const QString& last, const QString& first) {
    addRow(path, "Active Clients", "Client Last Name", "Client First Name", last, first);
}

void addInactive(const QString& path, const QString& last, const QString& first,
                 const QStringList& moreFields = {}, const QStringList& moreValues = {}) {
    addRow(path, "Inactive Clients", "Inactive Client Last Name", "Inactive Client First Name",
           last, first, moreFields, moreValues);
}

QListWidgetItem* itemNamed(QListWidget* list, const QString& text) {
    const QList<QListWidgetItem*> found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

// Clicks a name of the active list as a user does.
void clickActive(frmInactiveClients& w, const QString& text) {
    QListWidgetItem* item = itemNamed(w.List1, text);
    QVERIFY2(item, qPrintable(text));
    w.List1->scrollToItem(item);
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, {},
                      w.List1->visualItemRect(item).center());
}

QStringList menuBarTexts(const QWidget& w) {
    QStringList texts;
    for (QAction* a : w.findChild<QMenuBar*>()->actions())
        texts << a->text();
    return texts;
}

} // namespace

class TestInactiveClients : public ClientsFixture {
    Q_OBJECT

    QString count(const QString& table) const {
        return Database::open(m_path).scalar("SELECT count(*) FROM [" + table + "]").toString();
    }

    QString lineText(frmInactiveClients& w, const QString& field) const {
        QWidget* box = w.boxOf("Inactive Client " + field);
        if (auto* line = qobject_cast<QLineEdit*>(box))
            return line->text();
        return qobject_cast<QTextEdit*>(box)->toPlainText();
    }

    // A window shown on the file, as the Clients menu opens it.
    void load(frmInactiveClients& w) {
        gstrDatabasePath = m_path;
        QVERIFY(w.Form_Load());
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

    // Yes to the question and Done on this date, typed over the whole of today's after a
    // click into it.
    static void answerDone(ScriptedDialogs& dialogs, ScriptedWindows& windows, QDate date) {
        dialogs.answer(Dialogs::vbYes);
        windows.answer<frmDatePicker>([date](frmDatePicker& picker) {
            QCOMPARE(picker.DTPicker1->date(), Clock::today()); // whatever was picked before
            picker.show();
            QLineEdit* line = picker.DTPicker1->findChild<QLineEdit*>();
            QTest::mouseClick(line, Qt::LeftButton, {}, QPoint(3, line->height() / 2));
            QTest::keyClick(picker.DTPicker1, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(picker.DTPicker1, date.toString("M/d/yyyy"));
            picker.mnuDone->trigger();
        });
    }

private Q_SLOTS:
    void initTestCase() { registerSubsystems(); }

    void init() {
        freshProgramOnNewFile();
        gstrFrame1Caption = "Client";
    }

    // List mode: both lists sorted without regard to case, whatever the table order; the
    // labels, tooltip and menus of the mode; the client term in the record-mode command.
    void listModeAndTheModeTable() {
        for (const auto& [last, first] :
             {std::pair{"Young", "Ann"}, {"Adams", "Cy"}, {"Moss", "Bo"}, {"adams", "Al"}})
            addActive(m_path, last, first);
        addInactive(m_path, "Zed", "Zoe");
        addInactive(m_path, "brown", "Bea");
        addInactive(m_path, "Brown", "Abe");
        frmInactiveClients w;
        load(w);
        QCOMPARE(w.windowTitle(), QString("Inactive Clients"));
        QCOMPARE(itemsOf(w.List1),
                 (QStringList{"adams, Al", "Adams, Cy", "Moss, Bo", "Young, Ann"}));
        QCOMPARE(itemsOf(w.List2), (QStringList{"Brown, Abe", "brown, Bea", "Zed, Zoe"}));
        QCOMPARE(w.Label1->text(), QString("Active Clients"));
        QCOMPARE(w.Label2->text(), QString("Inactive Clients"));
        QCOMPARE(w.List1->toolTip(),
                 QString("Click on an active client to send it to the inactive client list"));
        QCOMPARE(menuBarTexts(w), (QStringList{"&Return", "&Save", "&Deactivate Client",
                                               "Display inactive Clients"}));

        const auto checkMode = [&](bool list) {
            QCOMPARE(w.ListMode->isVisible(), list);
            QCOMPARE(w.RecordMode->isVisible(), !list);
            QCOMPARE(w.mnuDeactivateClient->isEnabled(), !list);
            QCOMPARE(w.mnuDisplayInactiveClients->isEnabled(), list);
            QCOMPARE(w.mnuSave->isEnabled(), !list);
            QVERIFY(w.mnuReturn->isEnabled());
        };
        checkMode(true);
        w.mnuDisplayInactiveClients->trigger();
        checkMode(false);
        QCOMPARE(w.TabStrip1->tabText(0), QString("Zed, Zoe")); // the last row
        QCOMPARE(gstrClient, QString("Zed, Zoe"));
        QCOMPARE(w.Adodc1Navigator->caption(), QString("Inactive Client Data Navigator"));
        QCOMPARE(w.HScroll1->maximum(), 100);
        QCOMPARE(w.HScroll1->value(), 100);
        w.mnuDeactivateClient->trigger();
        checkMode(true);

        gstrFrame1Caption = "Matter";
        frmInactiveClients matters;
        load(matters);
        QCOMPARE(matters.mnuDisplayInactiveClients->text(), QString("Display inactive Matters"));
        ScriptedDialogs dialogs;
        dialogs.answer(Dialogs::vbYes);
        matters.mnuDisplayInactiveClients->trigger();
        matters.mnuSave->trigger();
        QCOMPARE(dialogs.lastMessage(),
                 QString("Database updated. Continue with Inactive Matters window?"));
        QCOMPARE(dialogs.last()->style, int(Dialogs::vbYesNo));
    }

    // No inactive client: record mode says so and leaves only Return; the least size holds.
    void anEmptyInactiveTable() {
        addActive(m_path, "Moss", "Bo");
        frmInactiveClients w;
        load(w);
        QVERIFY(itemsOf(w.List2).isEmpty());
        ScriptedDialogs dialogs;
        w.mnuDisplayInactiveClients->trigger();
        QCOMPARE(dialogs.messages(), QStringList{NoRecords});
        QVERIFY(w.mnuReturn->isEnabled());
        QVERIFY(!w.mnuSave->isEnabled() && !w.mnuDeactivateClient->isEnabled() &&
                !w.mnuDisplayInactiveClients->isEnabled());
        QCOMPARE(w.TabStrip1->tabText(0), QString());

        w.resize(50, 50);
        QVERIFY(w.width() >= w.minimumWidth() && w.minimumWidth() > 200);
        QVERIFY(w.height() >= w.minimumHeight() && w.minimumHeight() > 400);
    }

    // Next goes row by row through many rows: the scroll bar that follows every move never
    // moves the rows itself. The bar points in proportion; the ends beep and stay.
    void theNavigatorAndTheScrollBar() {
        for (int i = 1; i <= 150; ++i)
            addInactive(m_path, QStringLiteral("Client %1").arg(i, 3, 10, QChar('0')), "X");
        frmInactiveClients w;
        load(w);
        w.mnuDisplayInactiveClients->trigger();
        w.Adodc1Navigator->first();
        QCOMPARE(w.HScroll1->value(), 0);
        for (int i = 2; i <= 150; ++i) {
            w.Adodc1Navigator->next();
            QCOMPARE(w.Adodc1->AbsolutePosition(), i);
            QCOMPARE(w.TabStrip1->tabText(0),
                     QStringLiteral("Client %1, X").arg(i, 3, 10, QChar('0')));
        }
        QCOMPARE(w.HScroll1->value(), 100);
        w.Adodc1Navigator->next(); // past the end: back on the last row
        QCOMPARE(w.Adodc1->AbsolutePosition(), 150);

        Fixtures::execRaw(m_path, {"DELETE FROM [Inactive Clients] WHERE rowid > 4"});
        w.mnuDeactivateClient->trigger();
        w.mnuDisplayInactiveClients->trigger();
        QCOMPARE(w.Adodc1->RecordCount(), 4);
        w.Adodc1Navigator->previous();
        QCOMPARE(w.Adodc1->AbsolutePosition(), 3);
        QCOMPARE(w.HScroll1->value(), 75);
        w.HScroll1->setValue(10);
        QCOMPARE(w.Adodc1->AbsolutePosition(), 1);
        w.HScroll1->setValue(60); // 2.4
        QCOMPARE(w.Adodc1->AbsolutePosition(), 2);
        w.Adodc1Navigator->first();
        w.Adodc1Navigator->previous(); // before the start: back on the first row
        QCOMPARE(w.Adodc1->AbsolutePosition(), 1);
    }

    // Every box of record mode takes one line but Type of Claim/Notes, which takes many and
    // scrolls. A line break that the row brought from the active client stays when its line
    // is edited.
    void oneLineBoxesButTheTypeOfClaim() {
        addInactive(m_path, "Moss", "Bo", {"Inactive Client Retainer Terms"},
                    {"'net 30' || char(13, 10) || 'then monthly'"});
        frmInactiveClients w;
        load(w);
        w.mnuDisplayInactiveClients->trigger();
        for (const char* field : {"First Address", "Second Address", "Third Address", "City",
                                  "State", "Email Address", "Retainer Terms", "Referrer"})
            QVERIFY2(qobject_cast<QLineEdit*>(w.boxOf(QString("Inactive Client ") + field)), field);
        const auto* claim = qobject_cast<QTextEdit*>(w.boxOf("Inactive Client Claim Type"));
        QVERIFY(claim);
        QCOMPARE(claim->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);

        auto* terms = qobject_cast<QLineEdit*>(w.boxOf("Inactive Client Retainer Terms"));
        terms->setFocus();
        terms->end(false);
        QTest::keyClicks(terms, ", 2%");
        ScriptedDialogs dialogs;
        dialogs.answer(Dialogs::vbYes);
        w.mnuSave->trigger();
        QCOMPARE(Database::open(m_path).scalar(
                     "SELECT [Inactive Client Retainer Terms] FROM [Inactive Clients]"),
                 QVariant("net 30\r\nthen monthly, 2%"));
    }

    // Save asks its question only after a write that stood; a refused write keeps what was
    // typed. No goes back to the lists.
    void saveWritesTheEditFirst() {
        addInactive(m_path, "Moss", "Bo", {"Inactive Client City"}, {"'Albany'"});
        frmInactiveClients w;
        load(w);
        w.mnuDisplayInactiveClients->trigger();
        QCOMPARE(lineText(w, "City"), QString("Albany"));
        auto* city = qobject_cast<QLineEdit*>(w.boxOf("Inactive Client City"));
        TestSupport::typeOver(city, "Troy");
        ScriptedDialogs dialogs;
        dialogs.answer(Dialogs::vbYes);
        w.mnuSave->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{"Database updated. Continue with Inactive Clients window?"});
        QCOMPARE(Database::open(m_path).scalar("SELECT [Inactive Client City] FROM "
                                               "[Inactive Clients]"),
                 QVariant("Troy"));
        QVERIFY(w.mode() == frmInactiveClients::Mode::Record);

        auto* state = qobject_cast<QLineEdit*>(w.boxOf("Inactive Client State"));
        state->setFocus();
        QTest::keyClicks(state, QString(51, 'S'));
        dialogs.clear();
        w.mnuSave->trigger();
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(dialogs.lastMessage(),
                 "The State box can hold at most 50 characters; it holds 51 now. Shorten it, "
                 "then save or move on.");
        QCOMPARE(state->text(), QString(51, 'S'));
        QVERIFY(Database::open(m_path)
                    .scalar("SELECT [Inactive Client State] FROM [Inactive Clients]")
                    .isNull());

        TestSupport::typeOver(state, "NY");
        dialogs.clear();
        dialogs.answer(Dialogs::vbNo);
        w.mnuSave->trigger();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(w.mode() == frmInactiveClients::Mode::List);
        QVERIFY(!w.mnuSave->isEnabled());
    }

    // A client without a retainer or closure date keeps none while the rows are browsed and
    // saved.
    void nullDatesStayNull() {
        addInactive(m_path, "Adams", "Al");
        addInactive(m_path, "Moss", "Bo",
                    {"Inactive Client Retainer Date", "Inactive Client Case Closed Date"},
                    {"'2020-02-03 00:00:00'", "'2024-06-30 00:00:00'"});
        frmInactiveClients w;
        load(w);
        w.mnuDisplayInactiveClients->trigger();
        QCOMPARE(w.DTPicker1->date(), QDate(2020, 2, 3));
        QCOMPARE(w.DTPicker2->date(), QDate(2024, 6, 30));
        w.Adodc1Navigator->previous();
        QVERIFY(w.DTPicker1->isNull() && w.DTPicker2->isNull());
        ScriptedDialogs dialogs;
        dialogs.answer(Dialogs::vbYes);
        w.mnuSave->trigger();
        w.Adodc1Navigator->next();
        w.Adodc1Navigator->previous();
        QVERIFY(w.DTPicker1->isNull());
        const Database db = Database::open(m_path);
        QCOMPARE(db.scalar("SELECT count(*) FROM [Inactive Clients] WHERE "
                           "[Inactive Client Retainer Date] IS NULL AND "
                           "[Inactive Client Case Closed Date] IS NULL")
                     .toInt(),
                 1);
    }

    // The whole road from the Data entry window: the question, the date, the fifteen fields
    // and the date in the inactive row, the active row gone, the name gone from the lists,
    // the lookup list and the entry window's client box; record mode then shows the client.
    void aClientIsDeactivatedFromTheEntryWindow() {
        // Every field of the active row holds a value, in table order.
        Fixtures::execRaw(
            m_path,
            {"INSERT INTO [Active Clients] VALUES ('Ann', 'Smith', '1 Main St', 'Suite 2', "
             "'Floor 3', 'Albany', 'NY', '122071234', '5185550101', '5185550102', '5185550103', "
             "'5185550104', 'ann@x.org', 'a note', '2019-04-05 00:00:00', '1/3 of award', "
             "'Bo Moss', 'slip and fall', 'forum', 'no 1', 'defendant', 'counsel', '5185550105', "
             "'history', 'call her' || char(13, 10), 're', 'greeting', 'closing')"});
        addActive(m_path, "Moss", "Bo");
        gstrDatabasePath = m_path;
        frmMain* main = TestSupport::showMainWindow();
        OpenDatabaseAndFillLists();
        gstrRecordSource = "Select * From Vellagons ORDER BY [Beginning Time]";
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        auto* entry = static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, "1"));
        QCOMPARE(itemsOf(entry->Combo1), (QStringList{"Moss, Bo", "Smith, Ann"}));

        ScriptedDialogs dialogs;
        ScriptedWindows windows;
        bool shownInRecordMode = false;
        windows.answer<frmInactiveClients>([&](frmInactiveClients& w) {
            clickActive(w, "Smith, Ann");
            QCOMPARE(itemsOf(w.List1), QStringList{"Moss, Bo"});
            QCOMPARE(itemsOf(w.List2), QStringList{"Smith, Ann"});
            w.mnuDisplayInactiveClients->trigger();
            QCOMPARE(w.TabStrip1->tabText(0), QString("Smith, Ann"));
            QCOMPARE(lineText(w, "First Address"), QString("1 Main St"));
            QCOMPARE(lineText(w, "Claim Type"), QString("slip and fall"));
            QCOMPARE(qobject_cast<QLineEdit*>(w.boxOf("Inactive Client Zip Code"))->text(),
                     QString("12207-1234"));
            QCOMPARE(w.DTPicker1->date(), QDate(2019, 4, 5));
            QCOMPARE(w.DTPicker2->date(), QDate(2024, 6, 30));
            shownInRecordMode = true;
            w.mnuReturn->trigger();
        });
        answerDone(dialogs, windows, QDate(2024, 6, 30));
        entry->mnuInactiveClients->trigger();
        QVERIFY(shownInRecordMode);
        QCOMPARE(windows.shown().size(), 2);
        QCOMPARE(windows.shown()[0].title, QString("Inactive Clients"));
        QCOMPARE(windows.shown()[1].title, QString("Pick a date for case closure"));
        QCOMPARE(dialogs.messages(),
                 QStringList{"Are you sure you want to move Ann Smith to the list of Inactive "
                             "Clients?"});
        QCOMPARE(dialogs.shown()[0].title, QString("Deactivating client"));
        QCOMPARE(dialogs.shown()[0].style, int(Dialogs::vbYesNo));

        const Database db = Database::open(m_path);
        QCOMPARE(count("Active Clients"), QString("1"));
        QSqlQuery q = db.exec("SELECT * FROM [Inactive Clients]");
        QVERIFY(db.next(q));
        QStringList row;
        for (int i = 0; i < 16; ++i)
            row << q.value(i).toString();
        QCOMPARE(row.join('|'), QString("Ann|Smith|1 Main St|Suite 2|Floor 3|Albany|NY|122071234|"
                                        "5185550101|5185550102|ann@x.org|2019-04-05 00:00:00|"
                                        "1/3 of award|Bo Moss|slip and fall|2024-06-30 00:00:00"));
        QVERIFY(!db.next(q));
        QCOMPARE(gvarClosureDate.toDate(), QDate(2024, 6, 30));
        QCOMPARE(mainLists().List1[MainLists::Clients].items(), QStringList{"Moss, Bo"});
        QCOMPARE(itemsOf(entry->Combo1), QStringList{"Moss, Bo"});
        TestSupport::closeMainWindow(main);
    }

    // No to the question or Return on the date leaves the tables, the lists and the closure
    // date of an earlier deactivation as they were.
    void noOrReturnChangesNothing() {
        addActive(m_path, "Smith", "Ann");
        gvarClosureDate = QDateTime(QDate(2023, 1, 2), QTime(0, 0));
        const QString before = Fixtures::contents(m_path);
        frmInactiveClients w;
        load(w);
        ScriptedDialogs dialogs;
        ScriptedWindows windows;
        dialogs.answer(Dialogs::vbNo);
        clickActive(w, "Smith, Ann");
        QCOMPARE(windows.shown().size(), 0);
        QCOMPARE(gstrLastName, QString("Smith"));
        QCOMPARE(gstrFirstName, QString("Ann"));

        dialogs.answer(Dialogs::vbYes);
        windows.answer<frmDatePicker>([](frmDatePicker& picker) {
            picker.DTPicker1->setDate(QDate(2024, 6, 30));
            picker.mnuReturn->trigger();
        });
        clickActive(w, "Smith, Ann");
        QCOMPARE(windows.shown().size(), 1);
        QCOMPARE(Fixtures::contents(m_path), before);
        QCOMPARE(itemsOf(w.List1), QStringList{"Smith, Ann"});
        QVERIFY(itemsOf(w.List2).isEmpty());
        QCOMPARE(gvarClosureDate.toDate(), QDate(2023, 1, 2));
    }

    // The arrow keys only choose a name; Enter on the chosen one asks; a click on an empty list
    // does nothing.
    void onlyAClickOrEnterDeactivates() {
        addActive(m_path, "Adams", "Al");
        addActive(m_path, "Moss", "Bo");
        frmInactiveClients w;
        load(w);
        ScriptedDialogs dialogs;
        w.List1->setFocus();
        QTest::keyClick(w.List1, Qt::Key_Down);
        QTest::keyClick(w.List1, Qt::Key_Down);
        QTest::keyClick(w.List1, Qt::Key_Up);
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(w.List1->currentItem()->text(), QString("Adams, Al"));
        dialogs.answer(Dialogs::vbNo);
        QTest::keyClick(w.List1, Qt::Key_Return);
        QCOMPARE(dialogs.messages(), QStringList{"Are you sure you want to move Al Adams to the "
                                                 "list of Inactive Clients?"});

        Fixtures::execRaw(m_path, {"DELETE FROM [Active Clients]"});
        frmInactiveClients empty;
        load(empty);
        dialogs.clear();
        QTest::mouseClick(empty.List1->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
        empty.List1_Click();
        QVERIFY(dialogs.shown().isEmpty());
    }

    // Names are the item's own, not split from its text: a last name with ", ", a first name
    // ending in blanks, 100-character names, and an inactive namesake differing in case.
    void namesAreTheItemsOwn() {
        const QString longLast(100, 'L');
        const QString longFirst(100, 'f');
        addActive(m_path, "Smith, Jr.", "Ann");
        addActive(m_path, "Moss", "Bo  ");
        addActive(m_path, longLast, longFirst);
        addActive(m_path, "Brown", "Abe");
        addInactive(m_path, "brown", "abe");
        frmInactiveClients w;
        load(w);
        ScriptedDialogs dialogs;
        ScriptedWindows windows;
        for (const QString& name : {QString("Smith, Jr., Ann"), QString("Moss, Bo  "),
                                    longLast + ", " + longFirst, QString("Brown, Abe")}) {
            answerDone(dialogs, windows, QDate(2024, 7, 1));
            clickActive(w, name);
        }
        QCOMPARE(dialogs.messages()[0],
                 QString("Are you sure you want to move Ann Smith, Jr. to the list of Inactive "
                         "Clients?"));
        QCOMPARE(dialogs.messages().size(), 4); // the four questions, no failure
        QVERIFY(itemsOf(w.List1).isEmpty());
        QCOMPARE(count("Active Clients"), QString("0"));
        const Database db = Database::open(m_path);
        for (const auto& [last, first] : {std::pair{QString("Smith, Jr."), QString("Ann")},
                                          {QString("Moss"), QString("Bo  ")},
                                          {longLast, longFirst},
                                          {QString("Brown"), QString("Abe")},
                                          {QString("brown"), QString("abe")}})
            QCOMPARE(db.scalar("SELECT count(*) FROM [Inactive Clients] WHERE "
                               "[Inactive Client Last Name] = ? COLLATE BINARY AND "
                               "[Inactive Client First Name] = ? COLLATE BINARY",
                               {last, first})
                         .toInt(),
                     1);
        const QStringList inactive = itemsOf(w.List2);
        QCOMPARE(inactive.size(), 5);
        QCOMPARE(inactive.indexOf("Brown, Abe") - inactive.indexOf("brown, abe"), 1);
    }

    // A client that another window deleted meanwhile, and a move that fails halfway (the
    // delete refused after the insert): a message, both tables and every list as they were.
    void aMoveThatCannotBeMadeChangesNothing() {
        addActive(m_path, "Moss", "Bo");
        addActive(m_path, "Smith", "Ann");
        frmInactiveClients w;
        load(w);
        refillLookupList(MainLists::Clients, itemsOf(w.List1));
        Fixtures::execRaw(m_path, {"DELETE FROM [Active Clients] WHERE [Client Last Name] = "
                                   "'Moss'"});
        ScriptedDialogs dialogs;
        ScriptedWindows windows;
        answerDone(dialogs, windows, QDate(2024, 7, 1));
        clickActive(w, "Moss, Bo");
        QCOMPARE(dialogs.messages().size(), 2);
        QVERIFY2(dialogs.lastMessage().startsWith("Bo Moss is no longer among the active clients"),
                 qPrintable(dialogs.lastMessage()));
        QCOMPARE(itemsOf(w.List1), (QStringList{"Moss, Bo", "Smith, Ann"}));
        QCOMPARE(count("Inactive Clients"), QString("0"));

        Fixtures::execRaw(m_path, {"CREATE TRIGGER keep BEFORE DELETE ON [Active Clients] "
                                   "BEGIN SELECT RAISE(ABORT, 'deletion refused'); END"});
        const QString before = Fixtures::contents(m_path);
        dialogs.clear();
        answerDone(dialogs, windows, QDate(2024, 7, 1));
        clickActive(w, "Smith, Ann");
        QCOMPARE(dialogs.messages().size(), 2);
        QVERIFY2(dialogs.lastMessage().startsWith("Ann Smith could not be moved"),
                 qPrintable(dialogs.lastMessage()));
        QVERIFY2(dialogs.lastMessage().contains("deletion refused"),
                 qPrintable(dialogs.lastMessage()));
        QCOMPARE(Fixtures::contents(m_path), before);
        QCOMPARE(itemsOf(w.List1), (QStringList{"Moss, Bo", "Smith, Ann"}));
        QVERIFY(itemsOf(w.List2).isEmpty());
        QCOMPARE(mainLists().List1[MainLists::Clients].items(),
                 (QStringList{"Moss, Bo", "Smith, Ann"}));
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestInactiveClients)
#include "test_inactive_clients.moc"

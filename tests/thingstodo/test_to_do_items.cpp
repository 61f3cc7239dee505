#include "Fixtures.h"
#include "TestSupport.h"
#include "ToDoFixture.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "thingstodo/logic/ToDoItems.h"
#include "thingstodo/logic/ToDoList.h"

#include <QSqlQuery>

// The to-do list without its window: what is read from the file, the order of the rows, and
// what Done and the dialogs write.
namespace {

using ToDoFixture::projectItem;

ToDoItem clientItem(const QString& last, const QString& first, const QString& text,
                    const QString& priority = "3") {
    return ToDoFixture::clientItem(last, first, text, priority, QDate(2025, 1, 2),
                                   QDate(2025, 1, 9));
}

QStringList texts(const QList<ToDoItem>& items, int column) {
    QStringList out;
    for (const ToDoItem& item : items)
        out << ToDoList::text(item, column);
    return out;
}

} // namespace

class TestToDoItems : public QObject {
    Q_OBJECT

    QString m_path;

    Database db() const { return Database::open(m_path); }
    void raw(const QString& sql) { Fixtures::execRaw(m_path, {sql}); }
    void addClient(const QString& last, const QString& first, const QString& text = "typed") {
        raw(QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], [Client First Name], "
                           "[Active Client Things To Do]) VALUES ('%1', '%2', '%3')")
                .arg(last, first, text));
    }
    QVariant clientText(const QString& last, const QString& first) const {
        return db().scalar("SELECT [Active Client Things To Do] FROM [Active Clients] WHERE "
                           "[Client Last Name] = ? COLLATE BINARY AND [Client First Name] = ?",
                           {last, first});
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/todo.mdb");
    }

    void storedRowsReadInTableOrderWithTheirKinds() {
        raw("INSERT INTO [Things To Do] ([ThingToDo], [TTD Client Last Name], "
            "[TTD Client First Name], [TTD Project], [TTD Priority], [Thing To Do Start Date], "
            "[Thing To Do Deadline]) VALUES "
            "('call', 'Smith', 'Mary', NULL, '2', '2005-09-30 00:00:00', '2005-10-01 00:00:00'), "
            "('both', 'Smith', 'John', 'Lease', '5', NULL, NULL), "
            "('one name', 'Smith', NULL, NULL, '9', 'garbage', 'not a date'), "
            "('comma', NULL, NULL, 'Smith, Jones', NULL, NULL, '2005-10-01 00:00:00')");
        const QList<ToDoItem> items = ToDoItems::load(db());
        QCOMPARE(items.size(), 4);
        QCOMPARE(texts(items, ToDoList::Name),
                 QStringList({"Smith, Mary", "Lease", "", "Smith, Jones"}));
        QVERIFY(items[0].isClient());
        // A row with names and a project is its project; one name alone is no client.
        QVERIFY(!items[1].isClient() && items[1].lastName.isEmpty());
        QVERIFY(!items[2].isClient());
        // A project that holds ", " stays a project.
        QVERIFY(!items[3].isClient());
        QCOMPARE(items[3].project, "Smith, Jones");
        // A level outside 1 to 5 (or none) reads as 3; what is no date, and Null, show empty.
        QCOMPARE(texts(items, ToDoList::Priority), QStringList({"2", "5", "3", "3"}));
        QCOMPARE(texts(items, ToDoList::StartDate), QStringList({"9/30/2005", "", "", ""}));
        QCOMPARE(texts(items, ToDoList::Deadline), QStringList({"10/1/2005", "", "", "10/1/2005"}));
        QVERIFY(items[0].rowId < items[1].rowId && items[1].rowId < items[2].rowId);
    }

    void savingWritesTheListInOrderAndEveryClientsText() {
        addClient("Smith", "Mary");
        addClient("Smith", "John");
        addClient("smith", "ann");
        addClient("Doe", "Jane");
        raw("INSERT INTO [Things To Do] ([ThingToDo], [TTD Project]) VALUES ('old', 'Gone')");
        const QList<ToDoItem> read = ToDoItems::load(db()); // then deleted from the list
        ToDoItem noDates = clientItem("Smith", "Mary", "B", "1");
        noDates.startDate = QDate();
        noDates.deadline = QDate();
        const QList<ToDoItem> list = {
            clientItem("Smith", "Mary", "A", "2"),
            projectItem("Smith, John", "not John's"), // a project never adds to a client
            noDates,
            clientItem("Smith", "Ann", "other case"), // names match exactly
            clientItem("Left", "Since", "deactivated client"),
        };
        QCOMPARE(ToDoItems::save(db(), list, read).kept, 0);

        QCOMPARE(clientText("Smith", "Mary"), QVariant("A\r\nB\r\n"));
        QCOMPARE(clientText("Smith", "John"), QVariant(""));
        QCOMPARE(clientText("smith", "ann"), QVariant(""));
        QCOMPARE(clientText("Doe", "Jane"), QVariant(""));

        const QList<ToDoItem> stored = ToDoItems::load(db());
        QCOMPARE(texts(stored, ToDoList::Text),
                 QStringList({"A", "not John's", "B", "other case", "deactivated client"}));
        QVERIFY(!stored[1].isClient());
        // A Null date stays Null.
        QCOMPARE(db().scalar("SELECT count(*) FROM [Things To Do] WHERE [Thing To Do Deadline] IS "
                             "NULL AND [ThingToDo] = 'B'"),
                 QVariant(1));
        QCOMPARE(db().scalar("SELECT [Thing To Do Deadline] FROM [Things To Do] WHERE "
                             "[ThingToDo] = 'A'"),
                 QVariant("2025-01-09 00:00:00"));

        // Re-ranked, the client's lines come the other way round; an empty list empties all.
        ToDoList ranked(stored);
        ranked.exchange(0, 2);
        const QList<ToDoItem> saved = ToDoItems::save(db(), ranked.items(), {}).items;
        QCOMPARE(clientText("Smith", "Mary"), QVariant("B\r\nA\r\n"));
        ToDoItems::save(db(), {}, saved);
        QCOMPARE(db().scalar("SELECT count(*) FROM [Things To Do]"), QVariant(0));
        QCOMPARE(clientText("Smith", "Mary"), QVariant(""));
    }

    void aSaveThatFailsChangesNothing() {
        addClient("Smith", "Mary", "before");
        raw("INSERT INTO [Things To Do] ([ThingToDo], [TTD Client Last Name], "
            "[TTD Client First Name], [TTD Priority]) VALUES ('kept', 'Smith', 'Mary', '1')");
        const QString before = Fixtures::toDoContents(m_path);

        QList<ToDoItem> list;
        for (int i = 0; i < 50; ++i)
            list << clientItem("Smith", "Mary", QString::number(i));
        list << clientItem("Smith", "Mary", QString(100, 'x'));
        QList<ToDoItem> tooLong = list;
        tooLong << clientItem("Smith", "Mary", QString(101, 'y'));
        try {
            ToDoItems::save(db(), tooLong, {});
            QFAIL("a text of 101 characters was saved");
        } catch (const AppError& e) {
            QVERIFY2(e.description().contains("Row 52") && e.description().contains("101"),
                     qPrintable(e.description()));
        }
        QCOMPARE(Fixtures::toDoContents(m_path), before);

        // The engine refusing a row after many were written undoes them all.
        raw("CREATE TRIGGER refuse BEFORE INSERT ON [Things To Do] WHEN NEW.ThingToDo = 'boom' "
            "BEGIN SELECT RAISE(ABORT, 'refused by the file'); END");
        QList<ToDoItem> refused = list;
        refused << clientItem("Smith", "Mary", "boom");
        QVERIFY_THROWS_EXCEPTION(AppError, ToDoItems::save(db(), refused, {}));
        QCOMPARE(Fixtures::toDoContents(m_path), before);

        // Exactly 100 characters is a text like any other.
        ToDoItems::save(db(), list, ToDoItems::load(db()));
        QCOMPARE(db().scalar("SELECT count(*) FROM [Things To Do]"), QVariant(51));
    }

    void aChangeRewritesItsOwnRowOnly() {
        // Two clients of one last name, each with an item of the same level and text.
        const qint64 john = ToDoItems::add(db(), clientItem("Smith", "John", "file", "2")).rowId;
        const qint64 mary = ToDoItems::add(db(), clientItem("Smith", "Mary", "file", "2")).rowId;
        QList<ToDoItem> items = ToDoItems::load(db());
        QCOMPARE(items[1].rowId, mary);

        // Re-ranked in the list, Mary's item carries John's level and is still found.
        ToDoList list(items);
        list.exchange(0, 1);
        ToDoItem changed = list.at(0);
        QCOMPARE(changed.firstName, "Mary");
        changed.thingToDo = "file the brief";
        changed.priority = "4";
        changed.deadline = QDate(2026, 3, 1);
        const ToDoItems::Changed written = ToDoItems::change(db(), changed);
        QCOMPARE(written.item.rowId, mary);
        QVERIFY(!written.storedAnew);

        items = ToDoItems::load(db());
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0].rowId, john);
        QCOMPARE(items[0].thingToDo, "file");
        QCOMPARE(items[0].priority, "2");
        QCOMPARE(items[1].thingToDo, "file the brief");
        QCOMPARE(items[1].priority, "4");
        QCOMPARE(items[1].deadline, QDate(2026, 3, 1));
        QCOMPARE(items[1].startDate, QDate(2025, 1, 2));

        // A row that went meanwhile is stored anew rather than lost.
        raw("DELETE FROM [Things To Do]");
        const ToDoItems::Changed again = ToDoItems::change(db(), changed);
        QVERIFY(again.storedAnew);
        QCOMPARE(ToDoItems::load(db()).value(0).rowId, again.item.rowId);
        QCOMPARE(ToDoItems::load(db()).value(0).thingToDo, "file the brief");

        // A text with a NUL character, which writes drop, is found as it was read: changed in
        // its row, and known to Done.
        raw("INSERT INTO [Things To Do] ([ThingToDo], [TTD Project]) VALUES ('a' || char(0) || "
            "'b', 'Nul')");
        ToDoItem nul = ToDoItems::load(db()).last();
        nul.priority = "5";
        const ToDoItems::Changed nulChanged = ToDoItems::change(db(), nul);
        QVERIFY(!nulChanged.storedAnew);
        QCOMPARE(nulChanged.item.rowId, nul.rowId);
        QCOMPARE(ToDoItems::save(db(), ToDoItems::load(db()), {}).kept, 0);
        raw("DELETE FROM [Things To Do] WHERE [TTD Project] = 'Nul'");

        // Too long is refused before anything is written.
        changed.thingToDo = QString(101, 'z');
        QVERIFY_THROWS_EXCEPTION(AppError, ToDoItems::change(db(), changed));
        QVERIFY_THROWS_EXCEPTION(AppError, ToDoItems::add(db(), changed));
        QCOMPARE(ToDoItems::load(db()).size(), 1);
    }

    // Done drops only the rows the window knows (read, added, changed by it) as it knew them,
    // whatever their row ids: another window's Done numbers every row anew. A row another
    // window added is kept after the list, once; the texts are those of the list as saved.
    void savingKeepsTheRowsOthersAddedOnly() {
        addClient("Smith", "Mary");
        for (const QString text : {"one", "two", "three"})
            ToDoItems::add(db(), clientItem("Smith", "Mary", text));
        ToDoList mine(ToDoItems::load(db()));
        mine.remove(1);
        ToDoItem added = ToDoItems::add(db(), projectItem("Lease", "mine"));
        mine.add(added);

        // Another window reads the list, deletes "one", adds "four" and saves.
        ToDoList theirs(ToDoItems::load(db()));
        theirs.remove(0);
        theirs.add(ToDoItems::add(db(), clientItem("Smith", "Mary", "four")));
        QCOMPARE(ToDoItems::save(db(), theirs.items(), theirs.removed()).kept, 0);

        const ToDoItems::Saved saved = ToDoItems::save(db(), mine.items(), mine.removed());
        QCOMPARE(saved.kept, 1);
        QCOMPARE(texts(saved.items, ToDoList::Text), QStringList({"one", "three", "mine", "four"}));
        QCOMPARE(texts(ToDoItems::load(db()), ToDoList::Text), texts(saved.items, ToDoList::Text));
        QCOMPARE(clientText("Smith", "Mary"), QVariant("one\r\nthree\r\nfour\r\n"));
        // The list as saved is what the window holds next: saved again, nothing more is kept.
        QCOMPARE(ToDoItems::save(db(), saved.items, {}).kept, 0);
        QCOMPARE(db().scalar("SELECT count(*) FROM [Things To Do]"), QVariant(4));
    }

    void sortingByColumnsWithTheirFirstClickOrders() {
        ToDoItem a = clientItem("beta", "B", "second", "2");
        a.startDate = QDate(2005, 9, 30);
        ToDoItem b = projectItem("Alpha", "First", "5");
        b.startDate = QDate(2005, 10, 1);
        ToDoItem c = clientItem("Gamma", "G", "third", "1");
        ToDoList list({a, b, c});
        QVERIFY(!list.isSorted());

        // Priority is the sort column already: its first click sorts descending.
        list.columnClick(ToDoList::Priority);
        QCOMPARE(texts(list.items(), ToDoList::Priority), QStringList({"5", "2", "1"}));
        // Another column starts ascending, without regard to case.
        list.columnClick(ToDoList::Name);
        QCOMPARE(texts(list.items(), ToDoList::Name),
                 QStringList({"Alpha", "beta, B", "Gamma, G"}));
        list.columnClick(ToDoList::Name);
        QCOMPARE(texts(list.items(), ToDoList::Name),
                 QStringList({"Gamma, G", "beta, B", "Alpha"}));
        // Dates sort as dates, no date first: 10/1/2005 comes after 9/30/2005.
        list.columnClick(ToDoList::StartDate);
        QCOMPARE(texts(list.items(), ToDoList::StartDate),
                 QStringList({"9/30/2005", "10/1/2005", "1/2/2025"}));
        QVERIFY(list.ascending());

        // A new row goes to its place in a sorted list, last in an unsorted one.
        ToDoItem d = projectItem("Delta", "new");
        d.startDate = QDate(2005, 10, 15);
        QCOMPARE(list.add(d), 2);
        ToDoList unsorted({a, b});
        QCOMPARE(unsorted.add(c), 2);
    }

    void reRankingExchangesItemsButNotPriorities() {
        ToDoList list({projectItem("One", "first", "1"), projectItem("Two", "second", "2"),
                       projectItem("Three", "third", "3")});
        list.exchange(2, 0);
        QCOMPARE(texts(list.items(), ToDoList::Priority), QStringList({"1", "2", "3"}));
        QCOMPARE(texts(list.items(), ToDoList::Name), QStringList({"Three", "Two", "One"}));
        // The same row, or a row that is not there, changes nothing.
        list.exchange(1, 1);
        list.exchange(1, 3);
        list.exchange(-1, 0);
        QCOMPARE(texts(list.items(), ToDoList::Name), QStringList({"Three", "Two", "One"}));
        list.remove(1);
        QCOMPARE(texts(list.items(), ToDoList::Name), QStringList({"Three", "One"}));
    }

    // A changed item leaves its row: it comes last in an unsorted list, in its place in a
    // sorted one.
    void aChangedItemIsAddedAgain() {
        ToDoList list({projectItem("One", "first", "1"), projectItem("Two", "second", "2"),
                       projectItem("Three", "third", "3")});
        ToDoItem changed = list.at(0);
        changed.thingToDo = "first, changed";
        QCOMPARE(list.replace(0, changed), 2);
        QCOMPARE(texts(list.items(), ToDoList::Text),
                 QStringList({"second", "third", "first, changed"}));
        list.columnClick(ToDoList::Text);
        changed = list.at(2);
        changed.thingToDo = "another third";
        QCOMPARE(list.replace(2, changed), 0);
        QCOMPARE(texts(list.items(), ToDoList::Text),
                 QStringList({"another third", "first, changed", "second"}));
        QCOMPARE(list.replace(3, changed), -1);
        QCOMPARE(list.count(), 3);
    }

    void theDeadlinePresetAndTheDates() {
        const QDate today(2026, 12, 9);
        QCOMPARE(ToDoItems::presetDeadline(today, ""), QDate(2026, 12, 16));
        QCOMPARE(ToDoItems::presetDeadline(today, "0"), today);
        QCOMPARE(ToDoItems::presetDeadline(today, "14"), QDate(2026, 12, 23));
        QCOMPARE(ToDoItems::presetDeadline(today, "-2"), QDate(2026, 12, 7));
        for (const char* odd : {"two weeks", "2.5", "99999", " "})
            QCOMPARE(ToDoItems::presetDeadline(today, odd), QDate(2026, 12, 16));
        QCOMPARE(ToDoItems::dateText(QDate(2005, 1, 5)), "1/5/2005");
        QCOMPARE(ToDoItems::dateText(QDate()), "");
    }
};

VELLAGON_TEST_MAIN(TestToDoItems)
#include "test_to_do_items.moc"

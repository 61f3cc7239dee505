#include "Fixtures.h"
#include "TestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "platform/data/AppError.h"
#include "timelog/logic/ListEditing.h"

#include <QFile>

namespace {

QString errorOf(const std::function<void()>& run) {
    try {
        run();
    } catch (const AppError& e) {
        return e.description();
    }
    return {};
}

} // namespace

// The tables behind the list windows: what a typed entry may be, how it is stored, and which
// rows a delete removes.
class TestListEditing : public QObject {
    Q_OBJECT

    QString m_file;

    QString rows(const QString& sql) { return Fixtures::sqlite3Tool(m_file, sql); }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee();
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
        Fixtures::execRaw(m_file, {"DELETE FROM Rates", "DELETE FROM Projects"});
    }

    void typedEntriesAreRefusedInTheWindowsOwnWords_data() {
        QTest::addColumn<int>("list");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("typedLast");
        QTest::addColumn<QString>("message");
        const QString names = "You forgot to enter a first name or last name, please try again.";
        const QString comma = "Do not use a comma followed by a space when entering a Treatment."
                              "  This is reserved for the format of a Patient.  Please try again.";
        const auto row = [](const char* name, int list, const QString& typed,
                            const QString& typedLast, const QString& message) {
            QTest::newRow(name) << list << typed << typedLast << message;
        };
        row("rate of blanks", MainLists::Rates, "   ", "", "You did not enter a rate.");
        row("a tab is no blank", MainLists::Rates, "\t", "", "");
        row("empty activity", MainLists::Activities, "", "", "You did not enter an activity.");
        row("project of blanks", MainLists::Projects, "  ", "", "You did not enter a Treatment.");
        row("blank after comma", MainLists::Projects, "Smith, appeal", "", comma);
        row("comma then other", MainLists::Projects, "Smith,appeal", "", "");
        row("blank then comma", MainLists::Projects, "Smith ,appeal", "", "");
        row("first name only", MainLists::Clients, "Ann", "  ", names);
        row("both names", MainLists::Clients, " Ann", "Smith, Jr ", "");
    }
    void typedEntriesAreRefusedInTheWindowsOwnWords() {
        QFETCH(int, list);
        QFETCH(QString, typed);
        QFETCH(QString, typedLast);
        QFETCH(QString, message);
        gstrFrame1Caption = "Patient";
        gstrFrame3Caption = "Treatment";
        QCOMPARE(ListEditing::refusal(list, typed, typedLast), message);
    }

    void anEntryIsStoredWithoutItsBlanksAndAsTyped() {
        const ListItem rate = ListEditing::entryOf(MainLists::Rates, "  75 ");
        QCOMPARE(rate, (ListItem{"75", "75", ""}));
        ListEditing::add(m_file, MainLists::Rates, rate);
        ListEditing::add(m_file, MainLists::Rates, rate); // a second equal row is a row
        const ListItem client = ListEditing::entryOf(MainLists::Clients, " Ann ", " O'Neil, Jr ");
        QCOMPARE(client, (ListItem{"O'Neil, Jr, Ann", "O'Neil, Jr", "Ann"}));
        ListEditing::add(m_file, MainLists::Clients, client);
        const QString odd = "100% Ünïcødé ✓ 'quoted'";
        ListEditing::add(m_file, MainLists::Projects,
                         ListEditing::entryOf(MainLists::Projects, odd));

        QCOMPARE(rows("SELECT Rates FROM Rates"), "75\n75");
        QCOMPARE(rows("SELECT [Client Last Name], [Client First Name], [Active Client City] IS "
                      "NULL FROM [Active Clients]"),
                 "O'Neil, Jr|Ann|1");
        QCOMPARE(rows("SELECT Projects FROM Projects"), odd);
        QCOMPARE(ListEditing::load(m_file, MainLists::Clients), QList<ListItem>{client});
        QCOMPARE(ListEditing::load(m_file, MainLists::Projects).value(0).text, odd);
    }

    void textsAreRefusedPastTheirFieldsLength() {
        const auto add = [&](int list, const QString& text) {
            return errorOf(
                [&] { ListEditing::add(m_file, list, ListEditing::entryOf(list, text, text)); });
        };
        QCOMPARE(add(MainLists::Rates, "1234567890"), QString());
        QCOMPARE(add(MainLists::Rates, "12345678901"),
                 "The text is too long for the field Rates (at most 10 characters).");
        QCOMPARE(add(MainLists::Rates, QString("😀").repeated(10)), QString()); // one each
        QCOMPARE(add(MainLists::Employees, QString(101, 'e')),
                 "The text is too long for the field Employee First Name (at most 100 "
                 "characters).");
        QCOMPARE(rows("SELECT count(*) FROM Rates"), "2");
        QCOMPARE(rows("SELECT count(*) FROM Employees"), "0");
    }

    // The key ignores case; the refusal says so and names the client already there.
    void aClientWhoseNamesAreTakenIsRefused() {
        ListEditing::add(m_file, MainLists::Clients,
                         ListEditing::entryOf(MainLists::Clients, "Ann", "Smith"));
        QCOMPARE(errorOf([&] {
                     ListEditing::add(m_file, MainLists::Clients,
                                      ListEditing::entryOf(MainLists::Clients, "ann", "smith"));
                 }),
                 "\"smith, ann\" is already in the list as \"Smith, Ann\". No two may have the "
                 "same last and first name (capital and small letters count as the same).");
        // Employees have no key: equal names are two rows.
        for (int i = 0; i < 2; ++i)
            ListEditing::add(m_file, MainLists::Employees,
                             ListEditing::entryOf(MainLists::Employees, "Ann", "Smith"));
        QCOMPARE(rows("SELECT count(*) FROM [Active Clients]"), "1");
        QCOMPARE(rows("SELECT count(*) FROM Employees"), "2");
    }

    void aDeleteRemovesTheFirstRowThatMatchesExactly() {
        Fixtures::execRaw(m_file, {"INSERT INTO Rates VALUES ('ABC'), ('abc'), ('x'), ('abc')"});
        const ListItem abc = ListEditing::entryOf(MainLists::Rates, "abc");
        ListEditing::remove(m_file, MainLists::Rates, {abc});
        QCOMPARE(rows("SELECT rowid, Rates FROM Rates"), "1|ABC\n3|x\n4|abc");
        // Two equal items delete two rows; an item that matches nothing deletes nothing.
        Fixtures::execRaw(m_file, {"INSERT INTO Rates VALUES ('abc')"});
        ListEditing::remove(m_file, MainLists::Rates,
                            {abc, abc, ListEditing::entryOf(MainLists::Rates, "ab")});
        QCOMPARE(rows("SELECT rowid, Rates FROM Rates"), "1|ABC\n3|x");

        // Names are matched on both fields exactly, a last name holding ", " too, and a null
        // name as the empty one it is listed as.
        Fixtures::execRaw(m_file, {"INSERT INTO Employees VALUES ('Ann', 'Smith, Jr')",
                                   "INSERT INTO Employees VALUES ('ann', 'Smith, Jr')",
                                   "INSERT INTO Employees VALUES ('Ann', 'Smith, Jr')",
                                   "INSERT INTO Employees VALUES (NULL, 'Roe')",
                                   "INSERT INTO [Active Clients] ([Client First Name], "
                                   "[Client Last Name]) VALUES ('Jr, Ann', 'Smith')"});
        const QList<ListItem> employees = ListEditing::load(m_file, MainLists::Employees);
        QCOMPARE(employees.value(3), (ListItem{"Roe, ", "Roe", ""}));
        ListEditing::remove(m_file, MainLists::Employees, {employees.value(2), employees.value(3)});
        QCOMPARE(rows("SELECT rowid, [Employee First Name] FROM Employees"), "2|ann\n3|Ann");
        ListEditing::remove(m_file, MainLists::Clients,
                            {ListTables::itemOf(MainLists::Clients, "smith", "jr, ann")});
        QCOMPARE(rows("SELECT count(*) FROM [Active Clients]"), "1");
        ListEditing::remove(m_file, MainLists::Clients,
                            ListEditing::load(m_file, MainLists::Clients));
        QCOMPARE(rows("SELECT count(*) FROM [Active Clients]"), "0");
    }

    // Several items are deleted as one: a refusal on the last leaves the first in place.
    void aDeleteOfSeveralIsAllOrNothing() {
        Fixtures::execRaw(m_file, {"INSERT INTO Projects VALUES ('Appeal')",
                                   "INSERT INTO Projects VALUES ('Kept')",
                                   "CREATE TRIGGER keep BEFORE DELETE ON Projects WHEN "
                                   "old.Projects = 'Kept' BEGIN SELECT RAISE(ABORT, 'kept'); END"});
        const QString error = errorOf([&] {
            ListEditing::remove(m_file, MainLists::Projects,
                                ListEditing::load(m_file, MainLists::Projects));
        });
        QVERIFY2(error.contains("kept"), qPrintable(error));
        QCOMPARE(rows("SELECT Projects FROM Projects"), "Appeal\nKept");
    }

    void aDamagedOrMissingFileIsReportedNotWritten() {
        Fixtures::execRaw(m_file, {"DROP TABLE Activities"});
        const QString missing = "The file \"" + m_file +
                                "\" is not a valid Vellagon file: it has no table \"Activities\".";
        const ListItem item = ListEditing::entryOf(MainLists::Activities, "Call");
        QCOMPARE(errorOf([&] { ListEditing::load(m_file, MainLists::Activities); }), missing);
        QCOMPARE(errorOf([&] { ListEditing::add(m_file, MainLists::Activities, item); }), missing);
        QCOMPARE(errorOf([&] { ListEditing::remove(m_file, MainLists::Activities, {item}); }),
                 missing);

        // A file gone since the window opened is not made again by an add.
        QFile::remove(m_file);
        const QString gone = errorOf([&] {
            ListEditing::add(m_file, MainLists::Rates, ListEditing::entryOf(MainLists::Rates, "5"));
        });
        QVERIFY2(gone.contains("does not exist"), qPrintable(gone));
        QVERIFY(!QFile::exists(m_file));
    }

    void theInsertedTextHoldsTheSelectionBackwards() {
        QCOMPARE(ListEditing::insertionText({"A", "B", "C"}), "C B A  ");
        QCOMPARE(ListEditing::insertionText({"Call to"}), "Call to  ");
        QCOMPARE(ListEditing::insertionText({}), " ");
    }
};

VELLAGON_TEST_MAIN(TestListEditing)
#include "test_list_editing.moc"

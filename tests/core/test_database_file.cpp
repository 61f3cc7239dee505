#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/LookupLists.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

namespace {
const QString NotValidQuestion =
    "Selected file is not a valid Vellagon file.  Do you want to overwrite it with "
    "a valid Vellagon.MDB file?";
}

// The database file: created with its tables and rows, validated (a bad one replaced by the
// default file), opened to fill the lookup lists.
class TestDatabaseFile : public QObject {
    Q_OBJECT

    QString m_folder;

    QString databaseWithout(const QString& table) {
        const QString path =
            Fixtures::newDatabase(m_folder + QStringLiteral("/without %1.mdb").arg(table));
        Fixtures::execRaw(path, {QStringLiteral("DROP TABLE [%1]").arg(table)});
        return path;
    }

    static QStringList list(int index) { return mainLists().List1[index].items(); }

    // A new file made by the program's own procedure.
    QString created() {
        gstrDatabasePath = m_folder + "/New Practice.mdb";
        CreateNewDatabase();
        return gstrDatabasePath;
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_folder = TestSupport::newFolder();
    }

    void aNewFileHoldsTheTablesAndTheDefaultRows() {
        const QString path = created();
        const Database db = Database::open(path);
        QCOMPARE(db.tableNames(), Schema::tableNames());
        for (const Schema::Table& table : Schema::tables()) {
            QStringList columns, expected;
            QSqlQuery q =
                db.exec("SELECT name FROM pragma_table_info(?) ORDER BY cid", {table.name});
            while (q.next())
                columns << q.value(0).toString();
            for (const Schema::Field& f : table.fields)
                expected << f.name;
            QCOMPARE(columns, expected);
        }
        // Rates are text: sorted as text, 100 comes before 50.
        QCOMPARE(db.scalar("SELECT group_concat(Rates, ' ') FROM (SELECT Rates FROM Rates ORDER "
                           "BY Rates)"),
                 "0 100 125 150 175 200 225 250 275 300 325 350 375 50 75");
        // Any other program reads the file: the sqlite3 tool sees the same.
        QCOMPARE(Fixtures::sqlite3Tool(path, "PRAGMA integrity_check"), "ok");
        QCOMPARE(Fixtures::sqlite3Tool(path, "SELECT count(*) FROM Rates"), "15");
    }

    void keysLimitsAndAutoNumbersAreEnforced() {
        const Database db = Database::open(created());
        const auto refused = [&](const QString& sql, const QVariantList& params,
                                 const QString& words) {
            try {
                db.exec(sql, params);
                QFAIL(qPrintable("accepted: " + sql));
            } catch (const AppError& e) {
                QVERIFY2(e.description().contains(words), qPrintable(e.description()));
            }
        };
        const QString addClient =
            "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES (?, ?)";
        db.exec(addClient, {"Smith", "Jo"});
        refused(addClient, {"smith", "JO"}, "UNIQUE");
        db.exec(addClient, {"Cher", ""});
        refused(addClient, {"Madonna", QVariant()}, "NOT NULL");
        const QString addPayment = "INSERT INTO Payments ([Payment Description]) VALUES (?)";
        db.exec(addPayment, {"Disbursement"});
        refused(addPayment, {"Disbursements"}, "Payment Description (at most 12 characters)");
        refused("INSERT INTO Rates (Rates) VALUES (?)", {"12345678901"}, "Rates");

        // Duplicate rows are fine in tables without a key; '' and Null stay apart.
        db.exec("INSERT INTO Projects (Projects) VALUES ('MARKETING')");
        db.exec("INSERT INTO Invoices ([Invoice Header]) VALUES (''), (NULL)");
        QCOMPARE(db.scalar("SELECT count(*) FROM Invoices WHERE [Invoice Header] = ''"), 1);
        // A deleted log's number is not given again.
        db.exec("INSERT INTO Vellagons (Client) VALUES ('A'), ('B')");
        db.exec("DELETE FROM Vellagons WHERE Client = 'B'");
        db.exec("INSERT INTO Vellagons (Client) VALUES ('C')");
        QCOMPARE(db.scalar("SELECT [Indexing Field] FROM Vellagons WHERE Client = 'C'"), 3);
    }

    void creationRefusesAnExistingFileAndLeavesNothingWhenItFails() {
        const QString path = created();
        const QByteArray before = Fixtures::readFile(path);
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(path), before);
        gstrDatabasePath = Fixtures::writeFile(m_folder + "/letter.mdb", "not a database");
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(gstrDatabasePath), QByteArray("not a database"));
        // The folder holds the finished files only: no temporary left.
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"letter.mdb", "New Practice.mdb"}));

        const QString folder = TestSupport::newFolder();
        gstrDatabasePath = folder + "/no such folder/file.mdb";
        try {
            CreateNewDatabase();
            QFAIL("created a file in a missing folder");
        } catch (const AppError& e) {
            // The message names the file, not the temporary name it is built under.
            QCOMPARE(e.description(), "The folder \"" + folder +
                                          "/no such folder\" does not exist, so the file \"" +
                                          gstrDatabasePath + "\" cannot be created there.");
        }
        if (geteuid() != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            gstrDatabasePath = folder + "/file.mdb";
            QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
    }

    void validationCreatesAMissingFileAndPassesAGoodOne() {
        ScriptedDialogs dialogs;
        gstrDatabasePath = m_folder + "/fresh.mdb";
        QVERIFY(ValidateDatabase());
        QVERIFY(Database::open(gstrDatabasePath).hasTable("Invoices"));
        const QByteArray before = Fixtures::readFile(gstrDatabasePath);
        QVERIFY(ValidateDatabase());
        QCOMPARE(Fixtures::readFile(gstrDatabasePath), before);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aFileThatIsNoDatabaseFailsWithoutAQuestion_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("Meeting notes, Tuesday\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << QByteArray("SQLite format 3\0", 16);
    }
    void aFileThatIsNoDatabaseFailsWithoutAQuestion() {
        QFETCH(QByteArray, bytes);
        ScriptedDialogs dialogs;
        gstrDatabasePath = Fixtures::writeFile(m_folder + "/chosen.mdb", bytes);
        QVERIFY_THROWS_EXCEPTION(AppError, ValidateDatabase());
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(Fixtures::readFile(gstrDatabasePath), bytes);
    }

    void aMissingTableAsksAndNoKeepsEverything() {
        ScriptedDialogs dialogs;
        const QString chosen = databaseWithout("Invoices");
        const QByteArray before = Fixtures::readFile(chosen);
        gstrDatabasePath = chosen;
        dialogs.answer(Dialogs::vbNo);
        QVERIFY(!ValidateDatabase());
        QCOMPARE(dialogs.messages().first(), NotValidQuestion);
        QCOMPARE(dialogs.messages().size(), 2); // the cancellation notice
        QCOMPARE(gstrDatabasePath, chosen);
        QCOMPARE(Fixtures::readFile(chosen), before);
    }

    void yesReplacesByTheDefaultFileAndKeepsTheChosenOneAside() {
        ScriptedDialogs dialogs;
        const QString chosen = databaseWithout("Invoices");
        Fixtures::execRaw(chosen, {"INSERT INTO Vellagons (Client) VALUES ('Kept, Log')"});
        const QByteArray before = Fixtures::readFile(chosen);
        gstrDatabasePath = chosen;
        dialogs.answer(Dialogs::vbYes);
        QVERIFY(ValidateDatabase());
        QCOMPARE(gstrDatabasePath, ProgramFolder::defaultDatabasePath());
        QVERIFY(Database::open(gstrDatabasePath).hasTable("Invoices"));
        const QString aside = m_folder + "/without Invoices (not a valid Vellagon file).mdb";
        QCOMPARE(Fixtures::readFile(aside), before);
        QVERIFY(!QFileInfo::exists(chosen));
        QCOMPARE(dialogs.messages(), QStringList({NotValidQuestion, "Your file \"" + chosen +
                                                                        "\" was not deleted: it "
                                                                        "is kept beside it as \"" +
                                                                        aside + "\"."}));
    }

    void yesWhereTheDefaultFileExistsLosesNoData() {
        // The default file already holds the practice's logs: it stays, and is what opens.
        ScriptedDialogs dialogs;
        const QString defaultPath = Fixtures::newDatabase(ProgramFolder::defaultDatabasePath());
        Fixtures::execRaw(defaultPath, {"INSERT INTO Vellagons (Client) VALUES ('Kept, Log')"});
        gstrDatabasePath = databaseWithout("Payments");
        dialogs.answer(Dialogs::vbYes);
        QVERIFY(ValidateDatabase());
        QCOMPARE(gstrDatabasePath, defaultPath);
        QCOMPARE(Database::open(defaultPath).scalar("SELECT Client FROM Vellagons").toString(),
                 "Kept, Log");
    }

    void yesKeepsTheChosenFileWhenNoReplacementCanStand() {
        ScriptedDialogs dialogs;
        Fixtures::writeFile(ProgramFolder::defaultDatabasePath(), "junk that is not a database");
        const QString chosen = databaseWithout("Rates");
        const QByteArray before = Fixtures::readFile(chosen);
        gstrDatabasePath = chosen;
        dialogs.answer(Dialogs::vbYes);
        QVERIFY_THROWS_EXCEPTION(AppError, ValidateDatabase());
        QCOMPARE(Fixtures::readFile(chosen), before);
        QCOMPARE(Fixtures::readFile(ProgramFolder::defaultDatabasePath()),
                 QByteArray("junk that is not a database"));
    }

    void yesOnTheDefaultFileItselfRebuildsItAndKeepsTheOldOneAside() {
        ScriptedDialogs dialogs;
        const QString defaultPath = Fixtures::newDatabase(ProgramFolder::defaultDatabasePath());
        Fixtures::execRaw(defaultPath, {"DROP TABLE Employees"});
        // An earlier file set aside keeps its name; the next one gets a number.
        const QString earlier = Fixtures::writeFile(
            ProgramFolder::filePath("VELLAGON (not a valid Vellagon file).MDB"), "earlier");
        const QByteArray before = Fixtures::readFile(defaultPath);
        gstrDatabasePath = defaultPath;
        dialogs.answer(Dialogs::vbYes);
        QVERIFY(ValidateDatabase());
        QVERIFY(Database::open(defaultPath).hasTable("Employees"));
        QCOMPARE(Fixtures::readFile(earlier), QByteArray("earlier"));
        const QString aside = ProgramFolder::filePath("VELLAGON (not a valid Vellagon file 2).MDB");
        QCOMPARE(Fixtures::readFile(aside), before);
        QVERIFY(dialogs.lastMessage().endsWith("\"" + aside + "\"."));
    }

    void openingAnOlderFileAddsTheIndexesThatServeTheSearches() {
        gstrDatabasePath = Fixtures::newDatabase(m_folder + "/older.mdb");
        QStringList drops;
        for (const Schema::Index& index : Schema::indexes())
            drops << QStringLiteral("DROP INDEX [%1]").arg(index.name);
        Fixtures::execRaw(gstrDatabasePath, drops);
        OpenDatabaseAndFillLists();
        const Database db = Database::open(gstrDatabasePath);
        QCOMPARE(db.scalar("SELECT count(*) FROM sqlite_master WHERE type = "
                           "'index' AND name NOT LIKE 'sqlite%'")
                     .toInt(),
                 int(Schema::indexes().size()));
        // A search by client, as typed (any case), is served by its index.
        const auto plan = [&](const QString& sql) {
            QStringList steps;
            QSqlQuery q = db.exec(QStringLiteral("EXPLAIN QUERY PLAN ") + sql);
            while (q.next())
                steps << q.value(3).toString();
            return steps.join(QLatin1Char('|'));
        };
        QVERIFY(plan("SELECT rowid FROM Vellagons WHERE Client LIKE 'smith, jo'")
                    .contains("USING COVERING INDEX Vellagons by Client"));
        QVERIFY(plan("SELECT rowid FROM Vellagons ORDER BY [Beginning Time]")
                    .contains("Vellagons by Beginning Time"));
    }

    void clientsAreSortedOthersKeepTableOrder() {
        gstrDatabasePath = Fixtures::newDatabase(m_folder + "/lists.mdb");
        Fixtures::execRaw(
            gstrDatabasePath,
            {"INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES "
             "('smith', 'Jo'), ('Adams', 'Al'), ('Baker', ''), ('O''Neil', 'Pat')",
             "INSERT INTO Employees ([Employee Last Name], [Employee First Name]) VALUES "
             "('Zed', 'Zoe'), ('Able', NULL)",
             "INSERT INTO Projects (Projects) VALUES (NULL), ('alpha')"});
        OpenDatabaseAndFillLists();
        QCOMPARE(list(MainLists::Clients),
                 QStringList({"Adams, Al", "Baker, ", "O'Neil, Pat", "smith, Jo"}));
        QCOMPARE(list(MainLists::Employees), QStringList({"Zed, Zoe", "Able, "}));
        QCOMPARE(list(MainLists::Projects).last(), "alpha");
        QCOMPARE(list(MainLists::Projects).size(), 7); // the null row is left out
        QVERIFY(!gblnNoClients);
        QVERIFY(!gblnNoEmployees);
    }

    void aFreshFileFillsTheListsAndAFailureKeepsWhatWasRead() {
        // A fresh file fills the lists with its default rows and creates the file if need be.
        gstrDatabasePath = m_folder + "/first start.mdb";
        OpenDatabaseAndFillLists();
        const QStringList projects = list(MainLists::Projects);
        QCOMPARE(projects, Schema::defaultProjects());
        QVERIFY(gblnNoClients && gblnNoEmployees);
        gstrDatabasePath = Fixtures::writeFile(m_folder + "/x.mdb", "text");
        QVERIFY_THROWS_EXCEPTION(AppError, OpenDatabaseAndFillLists());
        QCOMPARE(Fixtures::readFile(gstrDatabasePath), QByteArray("text"));
        gstrDatabasePath = databaseWithout("Active Clients");
        try {
            OpenDatabaseAndFillLists();
            QFAIL("filled the lists from a file without clients");
        } catch (const AppError& e) {
            QCOMPARE(e.description(), "The file \"" + gstrDatabasePath +
                                          "\" is not a valid Vellagon file: it has no table "
                                          "\"Active Clients\".");
        }
        QCOMPARE(list(MainLists::Projects), projects);
        QVERIFY(gblnNoClients);

        // A failure later on leaves what was read and empties the rest.
        gstrDatabasePath = databaseWithout("Rates");
        Fixtures::execRaw(gstrDatabasePath, {"INSERT INTO Employees VALUES ('Jo', 'Smith')"});
        QVERIFY_THROWS_EXCEPTION(AppError, OpenDatabaseAndFillLists());
        QCOMPARE(list(MainLists::Employees), QStringList({"Smith, Jo"}));
        QCOMPARE(list(MainLists::Projects), Schema::defaultProjects());
        QVERIFY(list(MainLists::Rates).isEmpty());
        QVERIFY(list(MainLists::Activities).isEmpty());
    }
};

VELLAGON_TEST_MAIN(TestDatabaseFile)
#include "test_database_file.moc"

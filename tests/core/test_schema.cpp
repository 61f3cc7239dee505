#include "Fixtures.h"
#include "TestSupport.h"
#include "core/DatabaseSchema.h"
#include "core/SharedState.h"
#include "platform/AppError.h"
#include "platform/Database.h"

#include <QDir>
#include <QSqlQuery>

class TestSchema : public QObject {
    Q_OBJECT

    QString m_folder;
    QString m_path;

    static QStringList columnsOf(const Database& db, const QString& table) {
        QStringList names;
        QSqlQuery q = db.exec("SELECT name FROM pragma_table_info(?) ORDER BY cid", {table});
        while (q.next())
            names << q.value(0).toString();
        return names;
    }

    static void expectEngineRefusal(const Database& db, const QString& sql,
                                    const QVariantList& params, const QString& words) {
        try {
            db.exec(sql, params);
            QFAIL(qPrintable(QStringLiteral("accepted: %1").arg(sql)));
        } catch (const AppError& e) {
            QVERIFY2(e.description().contains(words), qPrintable(e.description()));
        }
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_folder = TestSupport::newFolder();
        m_path = m_folder + "/New Practice.mdb";
        gstrDatabasePath = m_path;
        CreateNewDatabase();
    }

    void newFileHoldsTheTablesAndTheDefaultRows() {
        const Database db = Database::open(m_path);
        QCOMPARE(db.tableNames(), Schema::tableNames());
        for (const Schema::Table& table : Schema::tables()) {
            QStringList expected;
            for (const Schema::Field& f : table.fields)
                expected << f.name;
            QCOMPARE(columnsOf(db, table.name), expected);
        }
        // Rates are text: sorted as text, 100 comes before 50.
        QCOMPARE(db.scalar("SELECT group_concat(Rates, ' ') FROM (SELECT Rates FROM Rates ORDER "
                           "BY Rates)"),
                 "0 100 125 150 175 200 225 250 275 300 325 350 375 50 75");
        // Any other program reads the file: the sqlite3 tool sees the same.
        QCOMPARE(Fixtures::sqlite3Tool(m_path, "PRAGMA integrity_check"), "ok");
        QCOMPARE(Fixtures::sqlite3Tool(m_path, "SELECT count(*) FROM Rates"), "15");
    }

    void keysAndLimitsAreEnforced() {
        const Database db = Database::open(m_path);
        const QString addClient =
            "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES (?, ?)";
        db.exec(addClient, {"Smith", "Jo"});
        expectEngineRefusal(db, addClient, {"smith", "JO"}, "UNIQUE");
        db.exec(addClient, {"Cher", ""});
        expectEngineRefusal(db, addClient, {"Madonna", QVariant()}, "NOT NULL");

        const QString addPayment = "INSERT INTO Payments ([Payment Description]) VALUES (?)";
        db.exec(addPayment, {"Disbursement"});
        expectEngineRefusal(db, addPayment, {"Disbursements"},
                            "Payment Description (at most 12 characters)");
        expectEngineRefusal(db, "INSERT INTO Rates (Rates) VALUES (?)", {"12345678901"}, "Rates");

        // Duplicate rows are fine in tables without a key; '' and Null stay apart.
        db.exec("INSERT INTO Projects (Projects) VALUES ('MARKETING')");
        db.exec("INSERT INTO Invoices ([Invoice Header]) VALUES ('')");
        db.exec("INSERT INTO Invoices ([Invoice Header]) VALUES (NULL)");
        QCOMPARE(db.scalar("SELECT count(*) FROM Invoices WHERE [Invoice Header] = ''").toInt(), 1);
    }

    void logsReceiveTheNextAutoNumber() {
        const Database db = Database::open(m_path);
        db.exec("INSERT INTO Vellagons (Client) VALUES ('A')");
        db.exec("INSERT INTO Vellagons (Client) VALUES ('B')");
        db.exec("DELETE FROM Vellagons WHERE Client = 'B'");
        db.exec("INSERT INTO Vellagons (Client) VALUES ('C')");
        QCOMPARE(db.scalar("SELECT [Indexing Field] FROM Vellagons WHERE Client = 'C'").toInt(), 3);
    }

    void refusesAnExistingFileAndLeavesItAsItWas() {
        const QByteArray before = Fixtures::readFile(m_path);
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(m_path), before);
        const QString text = Fixtures::writeFile(m_folder + "/letter.mdb", "not a database");
        gstrDatabasePath = text;
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(text), QByteArray("not a database"));
    }

    void aFailedCreationLeavesNothingBehind() {
        const QString folder = TestSupport::newFolder();
        gstrDatabasePath = folder + "/no such folder/file.mdb";
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        if (geteuid() != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            gstrDatabasePath = folder + "/file.mdb";
            QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        // The target folder holds only the finished file after a success: no temporary left.
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({"New Practice.mdb"}));
    }
};

VELLAGON_TEST_MAIN(TestSchema)
#include "test_schema.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "core/DatabaseSchema.h"
#include "core/SharedState.h"
#include "platform/AppError.h"
#include "platform/Database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>

class TestSchema : public QObject {
    Q_OBJECT

    QString m_folder;
    QString m_path;

    static QStringList columnsOf(const Database& db, const QString& table) {
        QStringList names;
        QSqlQuery q =
            db.exec(QStringLiteral("SELECT name FROM pragma_table_info(?) ORDER BY cid"), {table});
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
        m_path = m_folder + QStringLiteral("/New Practice.mdb");
        gstrDatabasePath = m_path;
        CreateNewDatabase();
    }

    void newFileHoldsTheElevenTablesInOrder() {
        const Database db = Database::open(m_path);
        QCOMPARE(db.tableNames(), Schema::tableNames());
        QCOMPARE(Schema::tableNames().size(), 11);
        int fields = 0;
        for (const Schema::Table& table : Schema::tables()) {
            QStringList expected;
            for (const Schema::Field& f : table.fields)
                expected << f.name;
            QCOMPARE(columnsOf(db, table.name), expected);
            fields += int(table.fields.size());
        }
        QCOMPARE(fields, 80);
        QCOMPARE(columnsOf(db, QStringLiteral("Things To Do")).first(),
                 QStringLiteral("ThingToDo"));
        QCOMPARE(
            columnsOf(db, QStringLiteral("Active Clients")).mid(0, 2),
            QStringList({QStringLiteral("Client First Name"), QStringLiteral("Client Last Name")}));
    }

    void newFileHoldsExactlyTheDefaultRows() {
        const Database db = Database::open(m_path);
        const auto rows = [&](const QString& table) {
            QStringList values;
            QSqlQuery q =
                db.exec(QStringLiteral("SELECT [%1] FROM [%1] ORDER BY rowid").arg(table));
            while (q.next())
                values << q.value(0).toString();
            return values;
        };
        QCOMPARE(rows(QStringLiteral("Activities")).size(), 15);
        QCOMPARE(rows(QStringLiteral("Activities")).first(),
                 QStringLiteral("Telephone conference with"));
        QCOMPARE(rows(QStringLiteral("Activities")).last(), QStringLiteral("Document inspection"));
        QCOMPARE(
            rows(QStringLiteral("Projects")),
            QStringList({QStringLiteral("ADMINISTRATION"), QStringLiteral("CONTINUING EDUCATION"),
                         QStringLiteral("MARKETING"), QStringLiteral("MONTHLY STATEMENTS"),
                         QStringLiteral("PAY BILLS"), QStringLiteral("REVIEW CASES")}));
        QCOMPARE(rows(QStringLiteral("Rates")).join(QLatin1Char(' ')),
                 QStringLiteral("0 50 75 100 125 150 175 200 225 250 275 300 325 350 375"));
        // Rates are text: sorted as text, 100 comes before 50.
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT Rates FROM Rates WHERE Rates <> '0' ORDER BY Rates"))
                .toString(),
            QStringLiteral("100"));
        for (const QString& empty :
             {QStringLiteral("Vellagons"), QStringLiteral("Active Clients"),
              QStringLiteral("Inactive Clients"), QStringLiteral("Employees"),
              QStringLiteral("Things To Do"), QStringLiteral("Disbursements"),
              QStringLiteral("Payments"), QStringLiteral("Invoices")})
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM [%1]").arg(empty)).toInt(), 0);
    }

    void theSqliteToolSeesTheSameFile() {
        QCOMPARE(Fixtures::sqlite3Tool(
                     m_path, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type='table' "
                                            "AND name NOT LIKE 'sqlite%'")),
                 QStringLiteral("11"));
        QCOMPARE(Fixtures::sqlite3Tool(m_path, QStringLiteral("SELECT count(*) FROM Rates")),
                 QStringLiteral("15"));
        QCOMPARE(Fixtures::sqlite3Tool(m_path, QStringLiteral("PRAGMA integrity_check")),
                 QStringLiteral("ok"));
    }

    void keysAndLimitsAreEnforced() {
        const Database db = Database::open(m_path);
        const QString addClient = QStringLiteral(
            "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) VALUES (?, ?)");
        db.exec(addClient, {QStringLiteral("Smith"), QStringLiteral("Jo")});
        expectEngineRefusal(db, addClient, {QStringLiteral("smith"), QStringLiteral("JO")},
                            QStringLiteral("UNIQUE"));
        db.exec(addClient, {QStringLiteral("Cher"), QStringLiteral("")});
        expectEngineRefusal(db, addClient, {QStringLiteral("Madonna"), QVariant()},
                            QStringLiteral("NOT NULL"));

        const QString addPayment =
            QStringLiteral("INSERT INTO Payments ([Payment Description]) VALUES (?)");
        db.exec(addPayment, {QStringLiteral("Disbursement")});
        expectEngineRefusal(db, addPayment, {QStringLiteral("Disbursements")},
                            QStringLiteral("Payment Description (at most 12 characters)"));
        expectEngineRefusal(db, QStringLiteral("INSERT INTO Rates (Rates) VALUES (?)"),
                            {QStringLiteral("12345678901")}, QStringLiteral("Rates"));

        // Duplicate rows are fine in tables without a key; '' and Null stay apart.
        db.exec(QStringLiteral("INSERT INTO Projects (Projects) VALUES ('MARKETING')"));
        db.exec(QStringLiteral("INSERT INTO Invoices ([Invoice Header]) VALUES ('')"));
        db.exec(QStringLiteral("INSERT INTO Invoices ([Invoice Header]) VALUES (NULL)"));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT count(*) FROM Invoices WHERE [Invoice Header] = ''"))
                .toInt(),
            1);
    }

    void logsReceiveTheNextAutoNumber() {
        const Database db = Database::open(m_path);
        db.exec(QStringLiteral("INSERT INTO Vellagons (Client) VALUES ('A')"));
        db.exec(QStringLiteral("INSERT INTO Vellagons (Client) VALUES ('B')"));
        db.exec(QStringLiteral("DELETE FROM Vellagons WHERE Client = 'B'"));
        db.exec(QStringLiteral("INSERT INTO Vellagons (Client) VALUES ('C')"));
        QCOMPARE(
            db.scalar(QStringLiteral("SELECT [Indexing Field] FROM Vellagons WHERE Client = 'C'"))
                .toInt(),
            3);
    }

    void refusesAnExistingFileAndLeavesItAsItWas() {
        const QByteArray before = Fixtures::readFile(m_path);
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(m_path), before);
        const QString text =
            Fixtures::writeFile(m_folder + QStringLiteral("/letter.mdb"), "not a database");
        gstrDatabasePath = text;
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        QCOMPARE(Fixtures::readFile(text), QByteArray("not a database"));
    }

    void aFailedCreationLeavesNothingBehind() {
        const QString folder = TestSupport::newFolder();
        gstrDatabasePath = folder + QStringLiteral("/no such folder/file.mdb");
        QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
        if (geteuid() != 0) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
            gstrDatabasePath = folder + QStringLiteral("/file.mdb");
            QVERIFY_THROWS_EXCEPTION(AppError, CreateNewDatabase());
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList());
        // The target folder holds only the finished file after a success: no temporary left.
        QCOMPARE(QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList({QStringLiteral("New Practice.mdb")}));
    }
};

VELLAGON_TEST_MAIN(TestSchema)
#include "test_schema.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/AppError.h"
#include "platform/Database.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>

class TestDatabase : public QObject {
    Q_OBJECT

    QString m_folder;
    QString m_good;

    // Opening must fail with an AppError whose description contains the expected words.
    static void expectRefused(const QString& path, const QString& words) {
        const QByteArray before = Fixtures::readFile(path);
        try {
            Database::open(path);
            QFAIL(qPrintable(QStringLiteral("opened %1").arg(path)));
        } catch (const AppError& e) {
            QVERIFY2(e.description().contains(words, Qt::CaseInsensitive),
                     qPrintable(e.description()));
        }
        QCOMPARE(Fixtures::readFile(path), before);
        QVERIFY(!Database::isOpen(path));
    }

private Q_SLOTS:
    void init() {
        m_folder = TestSupport::newFolder();
        m_good = Fixtures::newDatabase(m_folder + "/good.mdb");
    }

    void refusesBadFilesWithoutTouchingThem() {
        expectRefused(Fixtures::writeFile(m_folder + "/notes.txt", "Dear client,\nthis is text.\n"),
                      "not a Vellagon database");
        expectRefused(Fixtures::writeFile(m_folder + "/empty.mdb", {}), "empty");
        expectRefused(Fixtures::truncatedCopy(m_good, m_folder + "/cut.mdb", 5000),
                      "shorter than its contents");
        expectRefused(Fixtures::truncatedCopy(m_good, m_folder + "/stub.mdb", 60),
                      "not a Vellagon database");
        expectRefused(Fixtures::corruptedCopy(m_good, m_folder + "/bad.mdb"), "damaged");
        expectRefused(m_folder, "folder");
    }

    void createRefusesAnExistingPath() {
        const QByteArray before = Fixtures::readFile(m_good);
        QVERIFY_THROWS_EXCEPTION(AppError, Database::create(m_good));
        QCOMPARE(Fixtures::readFile(m_good), before);
    }

    void neverCreatesAMissingFile() {
        const QString missing = m_folder + "/missing.mdb";
        try {
            Database::open(missing);
            QFAIL("opened a missing file");
        } catch (const AppError& e) {
            QVERIFY(e.description().contains("does not exist"));
        }
        QVERIFY(!QFileInfo::exists(missing));
    }

    void refusesFilesItCannotWrite() {
        if (geteuid() == 0)
            QSKIP("root reads and writes every file");
        QFile::setPermissions(m_good, QFile::ReadOwner);
        expectRefused(m_good, "read-only");
        QFile::setPermissions(m_good, QFile::ReadOwner | QFile::WriteOwner);
        QFile::setPermissions(m_good, QFileDevice::Permissions());
        expectRefused(m_good, "cannot be read");
        QFile::setPermissions(m_good, QFile::ReadOwner | QFile::WriteOwner);
    }

    void sharesOneConnectionPerFile() {
        Database a = Database::open(m_good);
        Database b = Database::open(m_folder + QStringLiteral("/../") +
                                    QFileInfo(m_folder).fileName() + "/good.mdb");
        QCOMPARE(a.connection().connectionName(), b.connection().connectionName());
        QVERIFY(Database::samePath(a.path(), b.path()));
        a.close();
        QVERIFY(Database::isOpen(m_good));
        b.close();
        QVERIFY(!Database::isOpen(m_good));
    }

    void usesRollbackJournalAndFullSync() {
        Database db = Database::open(m_good);
        QCOMPARE(db.scalar("PRAGMA journal_mode").toString(), "delete");
        QCOMPARE(db.scalar("PRAGMA synchronous").toInt(), 2);
    }

    void transactionKeepsAllOrNothing() {
        Database db = Database::open(m_good);
        const auto count = [&] {
            return db.scalar("SELECT count(*) FROM Projects").toInt();
        };
        const int before = count();
        try {
            db.transaction([&] {
                db.exec("INSERT INTO Projects (Projects) VALUES (?)", {"ONE"});
                db.transaction(
                    [&] { db.exec("INSERT INTO Projects (Projects) VALUES (?)", {"TWO"}); });
                db.exec("INSERT INTO Nowhere VALUES (1)");
            });
            QFAIL("the failing statement passed");
        } catch (const AppError& e) {
            QCOMPARE(e.number(), int(AppError::EngineError));
        }
        QCOMPARE(count(), before);
        db.transaction([&] { db.exec("INSERT INTO Projects (Projects) VALUES (?)", {"THREE"}); });
        QCOMPARE(count(), before + 1);
    }

    void aCommitThatFailsLeavesNothingOpen() {
        // Another program reading the file keeps a commit from finishing: the transaction ends
        // with nothing of it written, instead of staying open and taking later writes with it.
        Database db = Database::open(m_good);
        db.exec("PRAGMA busy_timeout = 50");
        {
            QSqlDatabase reader = QSqlDatabase::addDatabase("QSQLITE", "reader");
            reader.setDatabaseName(m_good);
            QVERIFY(reader.open());
            QSqlQuery reading(reader);
            QVERIFY(reading.exec("SELECT Projects FROM Projects") && reading.next());
            try {
                db.transaction([&] { db.exec("INSERT INTO Projects (Projects) VALUES ('LOST')"); });
                QFAIL("the commit passed while another program read the file");
            } catch (const AppError& e) {
                QVERIFY2(e.description().contains("in use"), qPrintable(e.description()));
            }
        }
        QSqlDatabase::removeDatabase("reader");
        db.exec("INSERT INTO Projects (Projects) VALUES ('KEPT')");
        QCOMPARE(Fixtures::sqlite3Tool(m_good, "SELECT group_concat(Projects) FROM Projects WHERE "
                                               "Projects IN ('LOST', 'KEPT')"),
                 "KEPT");
    }
};

VELLAGON_TEST_MAIN(TestDatabase)
#include "test_database.moc"

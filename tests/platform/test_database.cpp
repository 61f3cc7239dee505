#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <sqlite3.h>

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
        QVERIFY(FileOps::sameFile(a.path(), b.path()));
        a.close();
        QVERIFY(Database::isOpen(m_good));
        b.close();
        QVERIFY(!Database::isOpen(m_good));
    }

    // A second name of the file (a hard link) is the file: its connection, never a second one
    // whose checks would read the file under the first one's locks.
    void aHardLinkIsTheOpenFileItself() {
        const Database a = Database::open(m_good);
        const QString link = Fixtures::hardLink(m_good, m_folder + "/link.mdb");
        QVERIFY(Database::isOpen(link));
        const Database b = Database::open(link);
        QCOMPARE(b.connection().connectionName(), a.connection().connectionName());
        QVERIFY(!Database::isOpen(Fixtures::newDatabase(m_folder + "/other.mdb")));
    }

    // Text that reaches the file loses its NUL characters, as the quoting of a text in a
    // statement drops them: a name stored is found by a search for it.
    void textWrittenLosesItsNulCharacters() {
        const Database db = Database::open(m_good);
        const QString typed = QStringLiteral("Nu") + QChar(0) + QStringLiteral("ll, Ann");
        db.exec("INSERT INTO Vellagons (Client, [Log Summary]) VALUES (?, ?)", {typed, "kept"});
        db.exec("UPDATE Vellagons SET [Log Summary] = ? WHERE Client = ?",
                {QString(typed).append(QChar(0)), typed});
        QCOMPARE(db.scalar("SELECT Client || '|' || [Log Summary] FROM Vellagons").toString(),
                 "Null, Ann|Null, Ann");
        QCOMPARE(db.scalar("SELECT count(*) FROM Vellagons WHERE Client = 'Null, Ann'").toInt(), 1);
        // Nothing else about a value changes: an empty text stays one, and Null stays Null.
        db.exec("INSERT INTO Vellagons (Client, Project) VALUES (?, ?)",
                {QString(QChar(0)), QVariant(QMetaType::fromType<QString>())});
        QCOMPARE(db.scalar("SELECT count(*) FROM Vellagons WHERE Client = '' AND Project IS NULL")
                     .toInt(),
                 1);
    }

    // A write through the engine's own calls stores what exec stores, counts the rows it
    // changed, finds a row by a text with NUL characters, and is refused in the same words.
    void writeStoresWhatExecStores() {
        const Database db = Database::open(m_good);
        const QString nul = QStringLiteral("a") + QChar(0) + QStringLiteral("b");
        const QVariantList values{QString(),
                                  QStringLiteral(""),
                                  nul,
                                  QVariant(QMetaType::fromType<QString>()),
                                  QVariant(),
                                  qint64(1) << 40,
                                  2.5,
                                  true,
                                  QByteArray("by\0tes", 7),
                                  QByteArray(),
                                  QDateTime(QDate(2025, 3, 1), QTime(9, 5, 7, 250)),
                                  QDate(2025, 3, 1),
                                  QTime(9, 5)};
        const QString insert = "INSERT INTO Vellagons (Client, Project) VALUES (?, ?)";
        for (const QVariant& value : values) {
            db.exec(insert, {"exec", value});
            QCOMPARE(db.write(insert, {"write", value}), 1);
        }
        const QString stored = "SELECT group_concat(typeof(Project) || ':' || "
                               "ifnull(hex(Project), ''), ',') FROM (SELECT Project FROM "
                               "Vellagons WHERE Client = ? ORDER BY rowid)";
        QCOMPARE(db.scalar(stored, {"write"}).toString(), db.scalar(stored, {"exec"}).toString());

        // Another program's text with a NUL is found by its bytes.
        db.exec("INSERT INTO Vellagons (Client) VALUES (CAST(X'610062' AS TEXT))");
        const QVariant read = db.scalar("SELECT Client FROM Vellagons WHERE length(Client) = 1");
        QCOMPARE(read.toString(), nul);
        QVariantList params{"found"};
        const QString update =
            "UPDATE Vellagons SET Project = ? WHERE " + Database::holds("Client", read, params);
        QCOMPARE(db.write(update, params), 1);
        QCOMPARE(db.scalar("SELECT count(*) FROM Vellagons WHERE Project = 'found'").toInt(), 1);

        const QString tooLong = "INSERT INTO Rates (Rates) VALUES (?)";
        const QVariantList longRate{QString(500, 'x')};
        QString execMessage;
        try {
            db.exec(tooLong, longRate);
        } catch (const AppError& e) {
            execMessage = e.description();
        }
        try {
            db.write(tooLong, longRate);
            QFAIL("a text too long for its field was written");
        } catch (const AppError& e) {
            QVERIFY(!execMessage.isEmpty());
            QCOMPARE(e.description(), execMessage);
        }
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

    // A read's mark is the file's as of that read, though the schema's version is kept between
    // reads: every change to the schema or the rows, by this connection or another program,
    // moves it, and a read holds the file still until it ends.
    void aReadSeesEveryChangeAndHoldsTheFileStill() {
        const Database db = Database::open(m_good);
        bool agrees = true; // with the mark read by the engine's statements alone
        const auto mark = [&] {
            Database::ChangeMark now;
            db.read([&](const Database::ChangeMark& m) { now = m; });
            agrees = agrees && now == db.changeMark();
            return now;
        };
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-program");
        other.setDatabaseName(m_good);
        other.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        QVERIFY(other.open());
        {
            QSqlQuery elsewhere(other);
            Database::ChangeMark before = mark();
            QCOMPARE(mark(), before);
            db.exec("CREATE INDEX ByRate ON Vellagons (Rate)");
            QVERIFY(mark().schemaVersion != before.schemaVersion);
            before = mark();
            QVERIFY(elsewhere.exec("DROP INDEX ByRate"));
            QVERIFY(mark().schemaVersion != before.schemaVersion);
            before = mark();
            QVERIFY(elsewhere.exec("INSERT INTO Projects (Projects) VALUES ('OTHER')"));
            const Database::ChangeMark after = mark();
            QVERIFY(after.dataVersion != before.dataVersion);
            QCOMPARE(after.schemaVersion, before.schemaVersion);
            db.read([&](const Database::ChangeMark&) {
                QVERIFY(!elsewhere.exec("INSERT INTO Projects (Projects) VALUES ('LATE')"));
            });
            QVERIFY(elsewhere.exec("INSERT INTO Projects (Projects) VALUES ('LATE')"));
            QVERIFY(agrees);
        }
        other.close();
        other = QSqlDatabase();
        QSqlDatabase::removeDatabase("other-program");
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

    // Another file read beside this one: nothing is written to it, through no way.
    void aFileOpenedToReadIsNeverWritten() {
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb", 20);
        const QByteArray before = Fixtures::readFile(other);
        {
            const Database source = Database::openReadOnly(other);
            QVERIFY(!Database::isOpen(other)); // not the connection that open() hands out
            QVERIFY_THROWS_EXCEPTION(AppError, source.exec("DELETE FROM Projects"));
            const Database db = Database::open(m_good);
            {
                const Database::Attachment attached = db.attachReadOnly(source, "other");
                QCOMPARE(db.scalar("SELECT count(*) FROM other.Vellagons").toInt(), 10);
                QVERIFY_THROWS_EXCEPTION(AppError, db.exec("DELETE FROM other.Vellagons"));
            }
            QVERIFY_THROWS_EXCEPTION(AppError, db.scalar("SELECT count(*) FROM other.Vellagons"));
        }
        QCOMPARE(Fixtures::readFile(other), before);

        // A write that a program left unfinished can only be undone by writing: refused.
        const QString hot = m_folder + "/hot.mdb";
        {
            sqlite3* raw = nullptr;
            sqlite3_open(QFile::encodeName(other).constData(), &raw);
            sqlite3_exec(raw,
                         "PRAGMA cache_size=1; BEGIN; UPDATE Vellagons SET Vellagon = "
                         "upper(Vellagon);",
                         nullptr, nullptr, nullptr);
            // A copy taken now is what a program killed mid-write leaves.
            QVERIFY(QFile::copy(other, hot));
            QVERIFY(QFile::copy(other + "-journal", hot + "-journal"));
            sqlite3_exec(raw, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(raw);
        }
        const QByteArray hotBytes = Fixtures::readFile(hot);
        try {
            Database::openReadOnly(hot);
            QFAIL("opened a file with an unfinished write");
        } catch (const AppError& e) {
            QCOMPARE(e.description(), "The file \"" + hot +
                                          "\" holds a write that a program did not finish.  Open "
                                          "it in Vellagon once, which completes its repair, then "
                                          "try again.");
        }
        QCOMPARE(Fixtures::readFile(hot), hotBytes);
        QCOMPARE(Fixtures::contents(hot), Fixtures::contents(other));
    }

    void functionsOfTheProgramRunInStatements() {
        const Database db = Database::open(m_good);
        db.defineFunction("twice", 1, [](const QVariantList& a) -> QVariant {
            if (a.at(0).typeId() == QMetaType::QString)
                throw AppError(AppError::TypeMismatch, "Not a number: " + a.at(0).toString());
            return a.at(0).isValid() ? QVariant(a.at(0).toDouble() * 2) : QVariant();
        });
        QCOMPARE(db.scalar("SELECT twice(21)").toDouble(), 42.0);
        QVERIFY(db.scalar("SELECT twice(NULL) IS NULL").toBool());
        try {
            db.scalar("SELECT twice('ten')");
            QFAIL("the function's failure passed");
        } catch (const AppError& e) {
            QVERIFY2(e.description().contains("Not a number: ten"), qPrintable(e.description()));
        }
    }
};

VELLAGON_TEST_MAIN(TestDatabase)
#include "test_database.moc"

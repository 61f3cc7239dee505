#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <functional>
#include <memory>

// Damage and locks that another program causes are named, with the file, when the engine meets
// them; a file known to be damaged is written no more.
namespace {

QByteArray digest(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(&file);
    return hash.result();
}

QString damagedPrefix(const QString& path) {
    return QStringLiteral("The file \"%1\" is damaged").arg(path);
}

QString failure(const std::function<void()>& fn) {
    try {
        fn();
    } catch (const AppError& e) {
        return e.description();
    }
    return QStringLiteral("(no failure)");
}

} // namespace

class TestFileDamage : public QObject {
    Q_OBJECT

    QString m_large;   // more than the 32 MB checked page by page at open
    int m_damagedPage; // a page of logs early in the file

private Q_SLOTS:
    void initTestCase() {
        m_large = Fixtures::newDatabase(TestSupport::newFolder() + "/large.mdb");
        Fixtures::execRaw(
            m_large,
            {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < "
             "17000) INSERT INTO Vellagons (Client, Vellagon, [Beginning Time]) SELECT "
             "'Client ' || (i % 7), printf('%.*c', 2000, char(97 + i % 26)), "
             "printf('2024-01-%02d %02d:%02d:00', 1 + i / 1440, i / 60 % 24, i % 60) FROM n"});
        QVERIFY(QFileInfo(m_large).size() > 32 * 1024 * 1024);
        const Database db = Database::open(m_large);
        m_damagedPage = db.scalar("SELECT pageno FROM dbstat WHERE name = 'Vellagons' AND "
                                  "pagetype = 'leaf' ORDER BY pageno LIMIT 1 OFFSET 20")
                            .toInt();
        QVERIFY(m_damagedPage > 0);
    }

    void damageMetInALargeFileIsNamedAndNothingIsWrittenAfter() {
        const QString path = TestSupport::newFolder() + "/damaged.mdb";
        QByteArray bytes = Fixtures::readFile(m_large);
        for (qint64 i = 0; i < 4096; ++i)
            bytes[(m_damagedPage - 1) * 4096 + i] = char(0x5A ^ (i & 0x3F));
        Fixtures::writeFile(path, bytes);
        const QByteArray before = digest(path);

        auto control = std::make_unique<DataControl>();
        QSignalSpy errors(control.get(), &DataControl::error);
        control->setDatabasePath(path);
        control->setRecordSource("Select * From Vellagons ORDER BY [Beginning Time]");
        // Too large to check page by page at open: it opens, and the damage shows when met.
        QVERIFY(control->Refresh());
        int moves = 0;
        while (errors.isEmpty() && control->MoveNext())
            ++moves;
        QVERIFY(moves < 1000);
        const QString message = errors.first().at(1).toString();
        QVERIFY2(message.startsWith(damagedPrefix(path)), qPrintable(message));
        QVERIFY(message.contains("Open a backup copy"));
        QVERIFY(control->hasCurrentRow()); // it stays on the log it showed

        // An edit of the shown log, a new log, anything else: refused, in the same words.
        QVERIFY(control->setValue("Client", "Changed"));
        QVERIFY(!control->Update());
        QVERIFY(errors.last().at(1).toString().startsWith(damagedPrefix(path)));
        control->CancelUpdate();
        Database db = Database::open(path);
        QVERIFY(failure([&] { db.exec("DELETE FROM Projects"); }).startsWith(damagedPrefix(path)));
        QVERIFY(failure([&] {
                    db.transaction([&] { db.exec("INSERT INTO Rates (Rates) VALUES ('9')"); });
                }).startsWith(damagedPrefix(path)));

        // Opened afresh it is refused at once while it is the same file; a backup copy put in
        // its place opens and takes writes.
        control.reset();
        db.close();
        QVERIFY(failure([&] { Database::open(path); }).startsWith(damagedPrefix(path)));
        QCOMPARE(digest(path), before);
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::copy(m_large, path));
        Database::open(path).exec("DELETE FROM Projects");
    }

    void smallFilesAreCheckedWholeAtOpen() {
        const QString good = Fixtures::practiceFile(TestSupport::newFolder() + "/small.mdb");
        const QString path = Fixtures::corruptedCopy(good, TestSupport::newFolder() + "/bad.mdb");
        const QByteArray before = digest(path);
        const QString message = failure([&] { Database::open(path); });
        QVERIFY2(message.startsWith(damagedPrefix(path)), qPrintable(message));
        QCOMPARE(digest(path), before);
    }

    void aFileThatAnotherProgramHoldsLockedIsSaidToBeInUse() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/locked.mdb");
        QProcess other;
        other.start("sqlite3", {path});
        QVERIFY(other.waitForStarted());
        other.write("BEGIN EXCLUSIVE;\nSELECT 'held';\n");
        QVERIFY(other.waitForReadyRead(10000));
        const QString message = failure([&] { Database::open(path); });
        QVERIFY2(message.startsWith(
                     QStringLiteral("The file \"%1\" is in use: another program holds it locked")
                         .arg(path)),
                 qPrintable(message));
        other.write("COMMIT;\n.quit\n");
        QVERIFY(other.waitForFinished(10000));
        Database::open(path).exec("DELETE FROM Projects");
    }
};

VELLAGON_TEST_MAIN(TestFileDamage)
#include "test_file_damage.moc"

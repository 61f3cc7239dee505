#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QThread>

// A client killed in the middle of its move stands afterwards in exactly one of the two
// tables, whatever the moment of the kill, and the file is sound.
namespace {

const int Clients = 200;

QString lastName(int n) {
    return QStringLiteral("Client %1").arg(n, 3, 10, QChar('0'));
}

// How often each client's last name stands in the two tables together.
QMap<QString, int> standing(const Database& db) {
    QMap<QString, int> seen;
    for (const QString& sql :
         {QStringLiteral("SELECT [Client Last Name] FROM [Active Clients]"),
          QStringLiteral("SELECT [Inactive Client Last Name] FROM [Inactive Clients]")}) {
        QSqlQuery q = db.exec(sql);
        while (db.next(q))
            ++seen[q.value(0).toString()];
    }
    return seen;
}

} // namespace

class TestDeactivationKill : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachClientStandsOnceWhateverTheMomentOfAKill() {
        const QString file = Fixtures::newDatabase(TestSupport::newFolder() + "/killed.mdb");
        QStringList rows;
        for (int n = 1; n <= Clients; ++n)
            rows << QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name], [Active Client City], "
                                   "[Active Client History]) VALUES ('%1', 'Ann', 'Albany', '%2')")
                        .arg(lastName(n), QString(2000, QChar('a' + n % 26)));
        Fixtures::execRaw(file, rows);

        // A full run on a copy gives the time span in which to kill.
        const QString measured = TestSupport::newFolder() + "/measured.mdb";
        QVERIFY(QFile::copy(file, measured));
        QElapsedTimer timer;
        timer.start();
        QProcess full;
        full.start(QStringLiteral(DEACTIVATION_HELPER), {measured});
        QVERIFY(full.waitForFinished(120000));
        QCOMPARE(full.readAllStandardOutput().count("moved "), Clients);
        const int span = int(timer.elapsed());

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int rounds = 0;
        int moved = 0;
        while (moved < Clients && rounds < 40) {
            ++rounds;
            QProcess helper;
            helper.start(QStringLiteral(DEACTIVATION_HELPER), {file});
            QVERIFY(helper.waitForStarted());
            QThread::msleep(random.bounded(span / 6 + 30));
            helper.kill(); // SIGKILL
            helper.waitForFinished();
            const QByteArray output = helper.readAllStandardOutput();
            QVERIFY2(!output.contains("failed") && !output.contains("missing"), output.constData());
            try {
                const Database db = Database::open(file);
                QCOMPARE(db.scalar("PRAGMA integrity_check").toString(), QString("ok"));
                const QMap<QString, int> seen = standing(db);
                QCOMPARE(seen.size(), Clients);
                for (auto it = seen.cbegin(); it != seen.cend(); ++it)
                    QVERIFY2(it.value() == 1, qPrintable(QStringLiteral("%1 stands %2 times "
                                                                        "(round %3, seed %4)")
                                                             .arg(it.key())
                                                             .arg(it.value())
                                                             .arg(rounds)
                                                             .arg(seed)));
                moved = db.scalar("SELECT count(*) FROM [Inactive Clients]").toInt();
            } catch (const AppError& e) {
                QFAIL(qPrintable(QStringLiteral("round %1, seed %2: %3")
                                     .arg(rounds)
                                     .arg(seed)
                                     .arg(e.description())));
            }
        }
        qInfo("%d kills over %d deactivations; %d moved by then (seed %u)", rounds, Clients, moved,
              seed);
        QVERIFY(moved > 0);
        // What the kills left is moved to the end.
        QProcess rest;
        rest.start(QStringLiteral(DEACTIVATION_HELPER), {file});
        QVERIFY(rest.waitForFinished(120000));
        const Database db = Database::open(file);
        QCOMPARE(db.scalar("SELECT count(*) FROM [Active Clients]").toInt(), 0);
        QCOMPARE(db.scalar("SELECT count(DISTINCT [Inactive Client Last Name]) FROM "
                           "[Inactive Clients]")
                     .toInt(),
                 Clients);
    }
};

VELLAGON_TEST_MAIN(TestDeactivationKill)
#include "test_deactivation_kill.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "core/ProgramFolder.h"
#include "platform/Database.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

// A compaction killed at any moment leaves the file whole: either as it was or compacted.
class TestCompactKill : public QObject {
    Q_OBJECT

    QString m_file;
    QString m_expected;

    static QString contents(const QString& path) {
        const Database db = Database::open(path);
        QStringList parts{db.scalar("PRAGMA integrity_check").toString()};
        for (const QString& table : db.tableNames())
            parts
                << table + QLatin1Char('=') +
                       db.scalar(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).toString();
        parts << db.scalar("SELECT sum([Indexing Field]) || ':' || "
                           "sum(length(Vellagon)) FROM Vellagons")
                     .toString();
        return parts.join(QLatin1Char(' '));
    }

    // Starts a compaction of the file; returns the process.
    QProcess* startCompaction() {
        auto* process = new QProcess(this);
        process->start(QStringLiteral(COMPACT_HELPER), {m_file});
        if (!process->waitForStarted())
            qFatal("cannot start %s", COMPACT_HELPER);
        return process;
    }

private Q_SLOTS:
    void initTestCase() {
        // About 70 MB of logs, a quarter of them deleted so that compaction has work to do.
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/large.mdb");
        const Database db = Database::open(m_file);
        db.transaction([&] {
            for (int i = 0; i < 32000; ++i)
                db.exec("INSERT INTO Vellagons (Client, Vellagon) VALUES (?, ?)",
                        {QStringLiteral("Client %1").arg(i % 50),
                         QString(2000, QChar(u'a' + i % 26)) + QString::number(i)});
            db.exec("DELETE FROM Vellagons WHERE [Indexing Field] % 4 = 0");
        });
        m_expected = contents(m_file);
        QVERIFY(m_expected.startsWith("ok "));
    }

    void killedAtRandomMomentsTheFileStaysWhole() {
        // Compactions run to their end give the time span in which to kill the next ones (the
        // second, as the first meets a file not yet in the cache).
        qint64 span = 0;
        for (int run = 0; run < 2; ++run) {
            QElapsedTimer timer;
            timer.start();
            QProcess* full = startCompaction();
            QVERIFY(full->waitForFinished(60000));
            span = timer.elapsed();
            QCOMPARE(QString::fromUtf8(full->readAllStandardOutput()).trimmed(),
                     m_file + " has been successfully compacted");
            QCOMPARE(contents(m_file), m_expected);
        }

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int killedMidway = 0;
        for (int round = 0; round < 50; ++round) {
            QProcess* process = startCompaction();
            const int pause = random.bounded(int(span * 6 / 5) + 1);
            QThread::msleep(pause);
            if (!process->waitForFinished(0)) {
                ++killedMidway;
                process->kill(); // SIGKILL
                process->waitForFinished();
            } else {
                // Quicker than measured (the first runs may have met a busy machine): it took
                // at most the pause, so later kills are drawn from that shorter span.
                span = qMax(pause, 20);
            }
            delete process;
            QVERIFY2(contents(m_file) == m_expected,
                     qPrintable(QStringLiteral("round %1, seed %2").arg(round).arg(seed)));
        }
        qInfo("%d of 50 compactions killed before their end (span %lld ms, seed %u)", killedMidway,
              span, seed);
        QVERIFY(killedMidway >= 20);

        // The leftovers of the killed runs do not stand in the way of the next compaction.
        QProcess* last = startCompaction();
        QVERIFY(last->waitForFinished(60000));
        QCOMPARE(contents(m_file), m_expected);
        QVERIFY(!QFileInfo::exists(ProgramFolder::filePath("JUNK.MDB")));
    }
};

VELLAGON_TEST_MAIN(TestCompactKill)
#include "test_compact_kill.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "core/logic/ProgramFolder.h"

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
        // About 32 MB of logs, half of them deleted so that compaction has work to do.
        m_file = Fixtures::practiceFile(TestSupport::newFolder() + "/large.mdb", 32000);
        m_expected = Fixtures::contents(m_file);
        QVERIFY(m_expected.startsWith("ok "));
    }

    // Two halves of 50 kills, which the test run starts side by side.
    void killedAtRandomMomentsTheFileStaysWhole_data() {
        QTest::addColumn<int>("rounds");
        QTest::newRow("first half") << 25;
        QTest::newRow("second half") << 25;
    }

    void killedAtRandomMomentsTheFileStaysWhole() {
        QFETCH(const int, rounds);
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
            QCOMPARE(Fixtures::contents(m_file), m_expected);
        }

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int killedMidway = 0;
        for (int round = 0; round < rounds; ++round) {
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
            QVERIFY2(Fixtures::contents(m_file) == m_expected,
                     qPrintable(QStringLiteral("round %1, seed %2").arg(round).arg(seed)));
        }
        qInfo("%d of %d compactions killed before their end (span %lld ms, seed %u)", killedMidway,
              rounds, span, seed);
        QVERIFY(killedMidway >= rounds * 2 / 5);

        // The leftovers of the killed runs do not stand in the way of the next compaction.
        QProcess* last = startCompaction();
        QVERIFY(last->waitForFinished(60000));
        QCOMPARE(Fixtures::contents(m_file), m_expected);
        QVERIFY(!QFileInfo::exists(ProgramFolder::filePath("JUNK.MDB")));
    }
};

VELLAGON_TEST_MAIN(TestCompactKill)
#include "test_compact_kill.moc"

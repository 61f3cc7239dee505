#include "Fixtures.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

// Done killed at any moment leaves the file whole, with the old list and client texts or the
// new ones, never a mixture.
class TestToDoKill : public QObject {
    Q_OBJECT

    QString runHelper(const QString& file, const QString& mode) {
        QProcess helper;
        helper.start(QStringLiteral(TO_DO_SAVER_HELPER), {file, mode});
        if (!helper.waitForFinished(120000) || helper.exitCode() != 0)
            qFatal("the saver failed: %s", helper.readAllStandardError().constData());
        return QString::fromUtf8(helper.readAllStandardOutput()).trimmed();
    }

private Q_SLOTS:
    void killedAtRandomMomentsTheFileHoldsOneWholeList() {
        const QString folder = TestSupport::newFolder();
        const QString file = Fixtures::toDoPractice(folder + "/kill.mdb", 3000, 1000);
        const QString initial = Fixtures::toDoContents(file);
        QVERIFY(initial.startsWith("ok\n"));
        // What each of the two lists leaves, saved to its end on a copy.
        QStringList whole{initial};
        for (const QString mode : {"A", "B"}) {
            const QString copy = folder + "/" + mode + ".mdb";
            QVERIFY(QFile::copy(file, copy));
            QCOMPARE(runHelper(copy, mode), "saved " + mode);
            whole << Fixtures::toDoContents(copy);
        }
        QVERIFY(whole[1] != whole[0] && whole[2] != whole[1]);

        // A loop of saves gives the time span in which to kill.
        QElapsedTimer timer;
        timer.start();
        runHelper(folder + "/A.mdb", "A");
        const int span = int(qMax<qint64>(timer.elapsed() * 3, 50));

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int saves = 0;
        int journals = 0;
        QList<int> seen(3, 0);
        for (int round = 0; round < 30; ++round) {
            QProcess saver;
            saver.start(QStringLiteral(TO_DO_SAVER_HELPER), {file, "loop"});
            QVERIFY(saver.waitForStarted());
            QThread::msleep(random.bounded(span + 1));
            saver.kill(); // SIGKILL
            saver.waitForFinished();
            saves += int(saver.readAllStandardOutput().count("saved"));
            journals += QFileInfo::exists(file + "-journal");
            const QString now = Fixtures::toDoContents(file);
            const int which = int(whole.indexOf(now));
            QVERIFY2(
                which >= 0,
                qPrintable(QStringLiteral("round %1, seed %2: a mixture").arg(round).arg(seed)));
            ++seen[which];
        }
        qInfo("30 saves killed, %d with a commit unfinished, %d finished before; the file held "
              "the first content %d times, list A %d, list B %d (seed %u)",
              journals, saves, seen[0], seen[1], seen[2], seed);
        QVERIFY(seen[1] + seen[2] > 0);
    }
};

VELLAGON_TEST_MAIN(TestToDoKill)
#include "test_to_do_kill.moc"

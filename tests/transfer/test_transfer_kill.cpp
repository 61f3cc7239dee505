#include "Fixtures.h"
#include "TransferTest.h"
#include "WindowTestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

// A transfer killed at any moment leaves the window's file with every row it had (and, after
// an import, either none or all of the imported rows), and never a half-written file under the
// name the user chose.
namespace {

// What a file holds, cheaply enough to ask after every run: its integrity, the number of rows
// of every table, sums over the logs, and the clients by city.
QString allRows(const QString& path) {
    QStringList cities;
    for (const QVariantList& row : TransferTest::rows(
             path, "SELECT [Active Client City], count(*) FROM [Active Clients] GROUP BY 1"))
        cities << row.value(0).toString() + '=' + row.value(1).toString();
    return Fixtures::contents(path) + ' ' + cities.join(' ');
}

struct Run {
    qint64 commandMs = 0; // from "started" to the end
    bool finished = false;
    QString message;
};

// Runs the helper; with a pause, kills it that long after the command began.
Run runHelper(const QString& command, const QString& own, const QString& other,
              std::optional<int> killAfterMs = std::nullopt) {
    QProcess helper;
    helper.start(QStringLiteral(TRANSFER_HELPER), {command, own, other});
    if (!helper.waitForStarted())
        qFatal("cannot start the transfer helper");
    QByteArray output;
    while (!output.contains("started\n") && helper.waitForReadyRead(30000))
        output += helper.readAllStandardOutput();
    QElapsedTimer timer;
    timer.start();
    Run run;
    if (killAfterMs) {
        QThread::msleep(*killAfterMs);
        helper.kill(); // SIGKILL
    } else {
        // The command has ended once its message is out.
        while (output.count('\n') < 2 && helper.waitForReadyRead(60000))
            output += helper.readAllStandardOutput();
        run.commandMs = timer.elapsed();
    }
    helper.waitForFinished(60000);
    output += helper.readAllStandardOutput();
    run.message = QString::fromUtf8(output).section('\n', 1).trimmed();
    run.finished = !run.message.isEmpty();
    return run;
}

// Starts the program on the file, as a user would the next morning; returns its last message
// ("" for none).
QString startProgram(const QString& file) {
    QProcess helper;
    helper.start(QStringLiteral(TRANSFER_HELPER), {QStringLiteral("start"), file, file});
    if (!helper.waitForFinished(60000))
        qFatal("the start-up did not end");
    return QString::fromUtf8(helper.readAllStandardOutput()).section('\n', 1).trimmed();
}

} // namespace

class TestTransferKill : public QObject {
    Q_OBJECT

    QString m_folder;
    QString m_pristine; // the window's file before any run
    QString m_own;

    void restoreOwn() {
        QFile::remove(m_own);
        QFile::remove(m_own + "-journal");
        QVERIFY(QFile::copy(m_pristine, m_own));
    }

    // Runs the command to its end; returns how long it took. Its files stay for the caller.
    qint64 fullRun(const QString& command, const QString& other) {
        restoreOwn();
        const Run run = runHelper(command, m_own, other);
        if (!run.message.contains("successfully"))
            qFatal("%s", qPrintable(run.message));
        return run.commandMs;
    }

    // Kills the command at random moments within the time it takes, each time on the
    // window's file as it was first, after `prepare`; `check` judges the files each time. The
    // work files that killed runs leave beside the files are gone once the next transfer into
    // the folder has run.
    void killRounds(const QString& command, const QString& other, qint64 span, int rounds,
                    const std::function<void()>& prepare, const std::function<void()>& check) {
        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        int midway = 0;
        int left = 0;
        for (int round = 0; round < rounds; ++round) {
            restoreOwn();
            prepare();
            const int pause = random.bounded(int(span * 11 / 10) + 1);
            const Run run = runHelper(command, m_own, other, pause);
            midway += !run.finished;
            // Quicker than measured (the full run may have met a busy machine): it took at most
            // the pause, so later kills are drawn from that shorter span.
            if (run.finished)
                span = qMax(pause, 20);
            try {
                check();
            } catch (const AppError& e) {
                QFAIL(qPrintable(
                    QString("round %1, seed %2: %3").arg(round).arg(seed).arg(e.description())));
            }
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QString("round %1, seed %2").arg(round).arg(seed)));
            left += !Fixtures::workFiles(m_folder).isEmpty();
        }
        qInfo("%s: %d of %d runs killed before their end, %d leaving work files (%lld ms each, "
              "seed %u)",
              qPrintable(command), midway, rounds, left, span, seed);
        QVERIFY(midway >= rounds * 2 / 5);
        prepare();
        fullRun(command, other);
        QCOMPARE(Fixtures::workFiles(m_folder), QStringList());
    }

    // Kills the command until a run leaves its work file behind.
    void leaveWorkFile(const QString& command, const QString& other, qint64 span) {
        for (int tries = 0; tries < 40 && Fixtures::workFiles(m_folder).isEmpty(); ++tries) {
            restoreOwn();
            runHelper(command, m_own, other, QRandomGenerator::global()->bounded(int(span) + 1));
        }
        QVERIFY(!Fixtures::workFiles(m_folder).isEmpty());
    }

private Q_SLOTS:
    void initTestCase() {
        m_folder = TestSupport::newFolder();
        // About 6 MB of logs and a few thousand clients: long enough to be killed midway.
        m_pristine = Fixtures::practiceFile(TestSupport::newFolder() + "/pristine.mdb", 6000);
        Fixtures::execRaw(m_pristine,
                          {"WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                           "i < 3000) INSERT INTO [Active Clients] ([Client Last Name], [Client "
                           "First Name], [Active Client City]) SELECT 'Client ' || i, 'First', "
                           "'Old town' FROM n"});
        m_own = m_folder + "/own.mdb";
    }

    void saveAsKilledLeavesNoHalfWrittenCopy() {
        restoreOwn();
        const QString ownRows = allRows(m_own);
        // Into a new name, and over an existing practice file.
        const QString copy = m_folder + "/copy.mdb";
        const qint64 span = fullRun("save", copy);
        const QString saved = allRows(copy);
        const QString existing = m_folder + "/existing.mdb";
        const QString old = allRows(Fixtures::newDatabase(existing));
        killRounds(
            "save", copy, span, 25, [&] { QFile::remove(copy); },
            [&] {
                QCOMPARE(allRows(m_own), ownRows);
                if (QFileInfo::exists(copy))
                    QCOMPARE(allRows(copy), saved);
            });
        killRounds(
            "save", existing, span, 25, [] {},
            [&] {
                QCOMPARE(allRows(m_own), ownRows);
                const QString now = allRows(existing);
                QVERIFY(now == old || now == saved);
            });

        // The start of the program removes them beside its file as well.
        QFile::remove(copy);
        leaveWorkFile("save", copy, span);
        restoreOwn();
        QCOMPARE(startProgram(m_own), "Started");
        QCOMPARE(Fixtures::workFiles(m_folder), QStringList());
    }

    // A transfer of another program instance at work is never taken for a leftover, however
    // often the clean-up of the folder runs meanwhile.
    void aTransferAtWorkKeepsItsWorkFile() {
        restoreOwn();
        const QString copy = m_folder + "/busy.mdb";
        fullRun("save", copy);
        const QString saved = allRows(copy);
        QFile::remove(copy);
        QProcess helper;
        helper.start(QStringLiteral(TRANSFER_HELPER), {"save", m_own, copy});
        QVERIFY(helper.waitForStarted());
        int seen = 0;
        while (helper.state() != QProcess::NotRunning) {
            seen += !Fixtures::workFiles(m_folder).isEmpty();
            FileOps::removeStaleWorkFiles(m_folder);
            helper.waitForFinished(1);
        }
        qInfo("the work file was seen %d times while the clean-up ran", seen);
        QVERIFY(seen > 0);
        QVERIFY(QString::fromUtf8(helper.readAllStandardOutput()).contains("successfully"));
        QCOMPARE(allRows(copy), saved);
        QCOMPARE(Fixtures::workFiles(m_folder), QStringList());
    }

    void importOfLogsKilledAddsNoneOrAll() {
        const QString source = Fixtures::practiceFile(m_folder + "/source.mdb", 6000);
        const QString sourceRows = allRows(source);
        restoreOwn();
        const QString before = allRows(m_own);
        const qint64 span = fullRun("import-logs", source);
        const QString after = allRows(m_own);
        killRounds(
            "import-logs", source, span, 50, [] {},
            [&] {
                const QString now = allRows(m_own);
                QVERIFY(now == before || now == after);
                QCOMPARE(allRows(source), sourceRows);
            });
    }

    void importOfClientsKilledReplacesNoneOrAll() {
        const QString source = m_folder + "/clients.mdb";
        QFile::remove(source);
        QVERIFY(QFile::copy(m_pristine, source));
        Fixtures::execRaw(source, {"UPDATE [Active Clients] SET [Active Client City] = 'New town'",
                                   "INSERT INTO [Active Clients] ([Client Last Name], [Client "
                                   "First Name]) VALUES ('Added', 'Ada')"});
        restoreOwn();
        const QString before = allRows(m_own);
        const qint64 span = fullRun("import-clients", source);
        const QString after = allRows(m_own);
        QVERIFY(after != before);
        killRounds(
            "import-clients", source, span, 50, [] {},
            [&] {
                const QString now = allRows(m_own);
                QVERIFY(now == before || now == after);
            });
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestTransferKill)
#include "test_transfer_kill.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>

// A log that the program reported saved is in the file afterwards, whatever happens to the
// program or beside it: killed at any moment, another process compacting the file it writes,
// a commit killed at any one of its writes.
namespace {

// What a writer reported: the numbers of the logs it saved, and its failures.
struct Reported {
    QList<int> saved;
    QStringList failures;
};

Reported parse(const QByteArray& output) {
    Reported reported;
    static const QRegularExpression line(QStringLiteral("^(saved|failed) (\\d+)(.*)$"),
                                         QRegularExpression::MultilineOption);
    for (auto it = line.globalMatch(QString::fromUtf8(output)); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1) == QLatin1String("saved"))
            reported.saved << m.captured(2).toInt();
        else
            reported.failures << m.captured(0);
    }
    return reported;
}

// The summaries of the logs in a file; the file must open as the program opens it.
QSet<QString> storedSummaries(const QString& path) {
    const Database db = Database::open(path);
    QSet<QString> summaries;
    QSqlQuery q = db.exec(QStringLiteral("SELECT [Log Summary] FROM Vellagons"));
    while (q.next())
        summaries << q.value(0).toString();
    return summaries;
}

// The logs reported saved by a run that are not in the file.
int lost(const QString& path, const QString& run, const Reported& reported) {
    const QSet<QString> stored = storedSummaries(path);
    int missing = 0;
    for (int n : reported.saved)
        if (!stored.contains(run + QLatin1Char(' ') + QString::number(n)))
            ++missing;
    return missing;
}

QProcess* startWriter(QObject* parent, const QString& file, int pause, int logs, int notes,
                      const QString& run, const QStringList& tracer = {}) {
    auto* process = new QProcess(parent);
    const QStringList args{file, QString::number(pause), QString::number(logs),
                           QString::number(notes), run};
    if (tracer.isEmpty())
        process->start(QStringLiteral(LOG_WRITER_HELPER), args);
    else
        process->start(tracer.first(),
                       tracer.mid(1) + QStringList{QStringLiteral(LOG_WRITER_HELPER)} + args);
    if (!process->waitForStarted())
        qFatal("cannot start the writer");
    return process;
}

// Waits until the writer has reported `count` more saved logs than `after`; false on time-out.
bool waitForSaved(QProcess* writer, QByteArray& output, int after, int count) {
    QElapsedTimer timer;
    timer.start();
    while (parse(output).saved.size() < after + count) {
        if (timer.elapsed() > 60000 || writer->state() == QProcess::NotRunning)
            return false;
        writer->waitForReadyRead(100);
        output += writer->readAllStandardOutput();
    }
    return true;
}

// Whether the file's header claims more pages than the file holds (what an interrupted commit
// that grew the file leaves until its journal is rolled back).
bool headerClaimsMorePages(const QString& path) {
    const QByteArray bytes = Fixtures::readFile(path);
    if (bytes.size() < 100)
        return false;
    const auto number = [&](int offset, int size) {
        quint32 value = 0;
        for (int i = 0; i < size; ++i)
            value = (value << 8) | quint8(bytes[offset + i]);
        return value;
    };
    return qint64(number(28, 4)) * number(16, 2) > bytes.size();
}

} // namespace

class TestLogKill : public QObject {
    Q_OBJECT

    QString m_folder;

private Q_SLOTS:
    void init() { m_folder = TestSupport::newFolder(); }

    void logsReportedSavedSurviveAKillAtAnyMoment() {
        const QString file = Fixtures::newDatabase(m_folder + "/killed.mdb");
        // A run of 30 logs gives the time span in which to kill the next runs.
        QElapsedTimer timer;
        timer.start();
        QProcess* full = startWriter(this, file, 0, 30, 3000, "measured");
        QVERIFY(full->waitForFinished(60000));
        QCOMPARE(parse(full->readAllStandardOutput()).saved.size(), 30);
        const int span = int(timer.elapsed());

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        const int rounds = 25;
        int reported = 0;
        int missing = 0;
        int journals = 0;
        for (int round = 0; round < rounds; ++round) {
            const QString run = QStringLiteral("run%1").arg(round);
            QProcess* writer = startWriter(this, file, 0, 0, 3000, run);
            QThread::msleep(random.bounded(span + 1));
            writer->kill(); // SIGKILL
            writer->waitForFinished();
            journals += QFileInfo::exists(file + "-journal");
            const Reported r = parse(writer->readAllStandardOutput());
            delete writer;
            QVERIFY2(r.failures.isEmpty(), qPrintable(r.failures.join('\n')));
            reported += int(r.saved.size());
            try {
                missing += lost(file, run, r);
            } catch (const AppError& e) {
                QFAIL(qPrintable(QStringLiteral("round %1, seed %2: %3")
                                     .arg(round)
                                     .arg(seed)
                                     .arg(e.description())));
            }
            QVERIFY(Fixtures::contents(file).startsWith("ok "));
        }
        qInfo("%d writers killed, %d with a commit unfinished; %d logs reported saved, %d lost "
              "(seed %u)",
              rounds, journals, reported, missing, seed);
        QCOMPARE(missing, 0);
        QVERIFY(reported > 0);
    }

    void aFileWrittenByOneProcessWhileAnotherCompactsItLosesNothing() {
        // Another instance has the file open and completes a log every 20 ms; this one
        // compacts it again and again meanwhile.
        const QString file = Fixtures::practiceFile(m_folder + "/shared.mdb", 2000);
        QProcess* writer = startWriter(this, file, 20, 0, 500, "shared");
        QByteArray output;
        QVERIFY(waitForSaved(writer, output, 0, 5));
        const int compactions = 4;
        for (int i = 0; i < compactions; ++i) {
            QProcess compactor;
            compactor.start(QStringLiteral(COMPACT_HELPER), {file});
            QVERIFY(compactor.waitForFinished(60000));
            QCOMPARE(QString::fromUtf8(compactor.readAllStandardOutput()).trimmed(),
                     file + " has been successfully compacted");
        }
        // Its writes go on landing after the last compaction.
        QVERIFY(waitForSaved(writer, output, int(parse(output).saved.size()), 5));
        writer->kill();
        writer->waitForFinished();
        output += writer->readAllStandardOutput();
        const Reported r = parse(output);
        const int missing = lost(file, "shared", r);
        qInfo("%d compactions beside %lld logs reported saved, %lld refused, %d lost", compactions,
              qlonglong(r.saved.size()), qlonglong(r.failures.size()), missing);
        QCOMPARE(missing, 0);
        QVERIFY2(r.failures.isEmpty(), qPrintable(r.failures.join('\n')));
        QVERIFY(Fixtures::contents(file).startsWith("ok "));
    }

    void aCommitKilledAtAnyOfItsWritesIsRolledBackAtTheNextOpen() {
        const QString strace = QStandardPaths::findExecutable("strace");
        if (strace.isEmpty())
            QSKIP("strace is not installed");
        // A file with three logs; the commit under test adds one whose notes need new pages.
        const QString base = Fixtures::newDatabase(m_folder + "/base.mdb");
        QProcess* first = startWriter(this, base, 0, 3, 300, "kept");
        QVERIFY(first->waitForFinished(60000));
        const QString copy = m_folder + "/copy.mdb";
        const auto freshCopy = [&] {
            QFile::remove(copy);
            QFile::remove(copy + "-journal");
            QVERIFY(QFile::copy(base, copy));
        };
        const QStringList traceWrites{strace, "-f", "-qq", "-e", "trace=pwrite64"};
        const int notes = 64 * 1024;

        // The writes of that commit, counted on a run that is not killed.
        freshCopy();
        const QString trace = m_folder + "/trace.txt";
        QProcess* counted =
            startWriter(this, copy, 0, 1, notes, "grown", traceWrites + QStringList{"-o", trace});
        QVERIFY(counted->waitForFinished(60000));
        QCOMPARE(parse(counted->readAllStandardOutput()).saved, QList<int>{1});
        const int writes = int(Fixtures::readFile(trace).count("pwrite64("));
        QVERIFY(writes > 3);

        int grownHeaders = 0;
        int survived = 0;
        for (int n = 1; n <= writes; ++n) {
            freshCopy();
            QProcess* writer = startWriter(
                this, copy, 0, 1, notes, "grown",
                traceWrites +
                    QStringList{"-o", "/dev/null", "-e",
                                QStringLiteral("inject=pwrite64:signal=KILL:when=%1").arg(n)});
            QVERIFY(writer->waitForFinished(60000));
            const Reported r = parse(writer->readAllStandardOutput());
            grownHeaders += headerClaimsMorePages(copy);
            try {
                const QSet<QString> stored = storedSummaries(copy);
                QVERIFY(stored.contains("kept 1") && stored.contains("kept 2") &&
                        stored.contains("kept 3"));
                QCOMPARE(stored.contains("grown 1"), !r.saved.isEmpty());
                QCOMPARE(stored.size(), 3 + int(r.saved.size()));
            } catch (const AppError& e) {
                QFAIL(qPrintable(
                    QStringLiteral("killed at write %1: %2").arg(n).arg(e.description())));
            }
            QVERIFY(Fixtures::contents(copy).startsWith("ok "));
            ++survived;
        }
        qInfo("a commit of %d writes killed at each: %d files opened whole, %d of them with a "
              "header that claimed more pages than the file had",
              writes, survived, grownHeaders);
        QVERIFY(grownHeaders > 0);
    }
};

VELLAGON_TEST_MAIN(TestLogKill)
#include "test_log_kill.moc"

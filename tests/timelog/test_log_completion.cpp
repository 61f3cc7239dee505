#include "Fixtures.h"
#include "TestSupport.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "platform/data/Database.h"
#include "timelog/logic/LogCompletion.h"

#include <QFile>
#include <ctime>

using namespace LogCompletion;

namespace {

const QDateTime Nine(QDate(2024, 3, 5), QTime(9, 0));

Entry entryFor(const QString& client, const QString& project = {}) {
    Entry e;
    e.client = client;
    e.project = project;
    e.beginning = Nine;
    e.ending = Nine.addSecs(20 * 60);
    return e;
}

} // namespace

class TestLogCompletion : public QObject {
    Q_OBJECT

    QString m_file;

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee(); // a first start's captions and fonts
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
    }

    void durationCountsEveryStartedTenth_data() {
        QTest::addColumn<QTime>("start");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("duration");
        // One hour is 1.0 whatever the time of day, across midnight too.
        const std::tuple<QTime, int, const char*> rows[] = {
            {QTime(9, 0), 0, ".1"},          {QTime(9, 0), 1, ".1"},
            {QTime(9, 0), 360, ".1"},        {QTime(9, 0), 361, ".2"},
            {QTime(9, 0), 1200, ".4"},       {QTime(9, 0), 3660, "1.1"},
            {QTime(0, 0), 44280, "12.3"},    {QTime(0, 0), 3600, "1.0"},
            {QTime(9, 17, 23), 3600, "1.0"}, {QTime(23, 30), 3600, "1.0"},
            {QTime(15, 59, 59), 3600, "1.0"}};
        for (const auto& [start, seconds, text] : rows)
            QTest::addRow("%s + %d s", qPrintable(start.toString()), seconds)
                << start << seconds << QString(text);
    }
    void durationCountsEveryStartedTenth() {
        QFETCH(QTime, start);
        QFETCH(int, seconds);
        QFETCH(QString, duration);
        const QDateTime beginning(QDate(2024, 3, 5), start);
        QCOMPARE(durationText(beginning, beginning.addSecs(seconds)), duration);
    }

    void aDaylightSavingChangeCountsTheRealTimeElapsed() {
        // The times are local, as the pickers give them; on 31 March 2024 clocks in Berlin
        // went from 02:00 to 03:00, on 27 October from 03:00 back to 02:00.
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const QDateTime spring(QDate(2024, 3, 31), QTime(1, 30));
        const QDateTime autumn(QDate(2024, 10, 27), QTime(1, 30));
        const QString forward = durationText(spring, QDateTime(spring.date(), QTime(3, 30)));
        const QString back = durationText(autumn, QDateTime(autumn.date(), QTime(3, 30)));
        const bool known = spring.offsetFromUtc() == 3600;
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
        if (!known)
            QSKIP("no time zone data on this machine");
        QCOMPARE(forward, "1.0");
        QCOMPARE(back, "3.0");
    }

    void feeIsRateTimesTheDurationTextExactly_data() {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<int>("minutes");
        QTest::addColumn<qint64>("fee"); // ten-thousandths
        QTest::newRow("150 for 20 min") << "150" << 20 << qint64(600000);
        QTest::newRow("100 for no time") << "100" << 0 << qint64(100000);
        QTest::newRow("blanks around") << "  75 " << 60 << qint64(750000);
        QTest::newRow("empty rate") << "" << 45 << qint64(0);
    }
    void feeIsRateTimesTheDurationTextExactly() {
        QFETCH(QString, rate);
        QFETCH(int, minutes);
        QFETCH(qint64, fee);
        Entry e = entryFor("Smith, Ann");
        e.rate = rate;
        e.ending = e.beginning.addSecs(minutes * 60);
        const Outcome outcome = prepare(e);
        QVERIFY(outcome.saved);
        QCOMPARE(outcome.log.fee.raw(), fee);
    }

    void theRowHoldsEveryFieldInItsStoredForm() {
        Entry e = entryFor("  Smith, Ann ", " Appeal ");
        e.employee = " Doe, Jim ";
        e.rate = " 33.33 ";
        e.summary = "  Court appearance re motion  ";
        e.notesText = "  Argued the motion.\tWon. ";
        e.notesHtml = "<p>formatted</p>";
        e.ending = e.beginning.addSecs(61 * 60 + 59);
        const Outcome outcome = complete(m_file, e);
        QVERIFY(outcome.saved);

        const QString row = Fixtures::sqlite3Tool(
            m_file, "SELECT Client, Employee, Project, Rate, [Log Summary], "
                    "Vellagon, VellaGraphic, [Beginning Time], [Ending Time], "
                    "typeof([Beginning Time]), Duration, typeof(Duration), Fee, "
                    "typeof(Fee) FROM Vellagons");
        QCOMPARE(row, "Smith, Ann|Doe, Jim|Appeal|33.33|Court appearance re motion|"
                      "Argued the motion.\tWon.|<p>formatted</p>|"
                      "2024-03-05 09:00:00|2024-03-05 10:01:59|text|"
                      "1.1|real|36.663|real");
    }

    void anEmptyRateStoresAnEmptyRateAndNoFee() {
        Entry e = entryFor(QString(), "Appeal");
        QVERIFY(complete(m_file, e).saved);
        QCOMPARE(Fixtures::sqlite3Tool(m_file, "SELECT quote(Rate), Fee, Duration "
                                               "FROM Vellagons"),
                 "''|0.0|0.4");
    }

    void theSummaryFallsBackToTheStartOfTheNotes() {
        const QString notes =
            QStringLiteral("  \nFirst line") + QString(241, QLatin1Char('x')) + "  ";
        QCOMPARE(notes.size(), 256);
        Entry e = entryFor("Smith, Ann");
        e.summary = "   ";
        e.notesText = notes;
        const Outcome outcome = prepare(e);
        QVERIFY(outcome.saved);
        // Untrimmed: the leading blanks and the line break stay in the summary; the notes lose
        // their blanks only.
        QCOMPARE(outcome.log.logSummary, notes.left(100));
        QCOMPARE(outcome.log.vellagon, notes.mid(2, 252));

        e.notesText = QString(250, QLatin1Char('n'));
        const Outcome long250 = prepare(e);
        QCOMPARE(long250.log.logSummary, QString(100, QLatin1Char('n')));
        QCOMPARE(long250.log.vellagon.size(), 250);

        e.summary = "\tTyped ";
        QCOMPARE(prepare(e).log.logSummary, "\tTyped");
    }

    void aClientOrAProjectIsNeeded() {
        const Outcome none = complete(m_file, entryFor(QString(), "   "));
        QVERIFY(!none.saved);
        QCOMPARE(none.message, "You did not enter a client or a project.");
        QCOMPARE(none.field, Field::Client);
        QCOMPARE(Fixtures::logCount(m_file), 0);

        QVERIFY(complete(m_file, entryFor("x", QString())).saved);
        QVERIFY(complete(m_file, entryFor(QString(), "Appeal")).saved);
        QCOMPARE(Fixtures::logCount(m_file), 2);
    }

    void anEndingTimeBeforeTheBeginningIsRefused() {
        Entry e = entryFor("Smith, Ann");
        e.rate = "100";
        e.ending = e.beginning.addSecs(-1);
        const Outcome outcome = complete(m_file, e);
        QVERIFY(!outcome.saved);
        QCOMPARE(outcome.field, Field::EndingTime);
        QVERIFY(outcome.message.contains("ending time is earlier"));
        QCOMPARE(Fixtures::logCount(m_file), 0);

        e.ending = e.beginning; // equal times are a tenth of an hour
        QCOMPARE(complete(m_file, e).log.duration, ".1");
    }

    void whatCannotBeStoredIsRefusedByName_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("stored");
        QTest::addColumn<QString>("named");
        QTest::newRow("client 200") << "client" << 200 << true << "";
        QTest::newRow("client 201") << "client" << 201 << false << "The Patient field";
        QTest::newRow("employee 201") << "employee" << 201 << false << "The Employee (or user)";
        QTest::newRow("project 100") << "project" << 100 << true << "";
        QTest::newRow("project 101") << "project" << 101 << false << "The Project field";
        QTest::newRow("rate 10") << "rate" << 10 << true << "";
        QTest::newRow("rate 11") << "rate" << 11 << false << "The Rate (hourly) field";
        QTest::newRow("summary 100") << "summary" << 100 << true << "";
        QTest::newRow("summary 101") << "summary" << 101 << false << "The Log Summary field";
    }
    void whatCannotBeStoredIsRefusedByName() {
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(bool, stored);
        QFETCH(QString, named);
        gstrFrame1Caption = "Patient";
        gstrFrame5Caption = "  "; // a blank caption: the column's name
        Entry e = entryFor("Smith, Ann", "Appeal");
        const QString text(length, field == "rate" ? '1' : 'a');
        QString* fields[] = {&e.client, &e.employee, &e.project, &e.rate, &e.summary};
        *fields[QStringList{"client", "employee", "project", "rate", "summary"}.indexOf(field)] =
            "  " + text + "  "; // blanks do not count
        const Outcome outcome = complete(m_file, e);
        QCOMPARE(outcome.saved, stored);
        QCOMPARE(Fixtures::logCount(m_file), stored ? 1 : 0);
        if (!stored)
            QVERIFY2(outcome.message.startsWith(named), qPrintable(outcome.message));
    }

    void lengthsAreCountedInCharactersAsTheFileCountsThem() {
        // A character outside the basic plane is two UTF-16 units but one character, for the
        // file's own limits as for these checks.
        const QString face = QString::fromUcs4(U"\U0001F600");
        Entry e = entryFor(face.repeated(200), face.repeated(100));
        e.notesText = face.repeated(150);
        const Outcome outcome = complete(m_file, e);
        QVERIFY2(outcome.saved, qPrintable(outcome.message));
        QCOMPARE(outcome.log.logSummary, face.repeated(100)); // never half a character
        QCOMPARE(Fixtures::sqlite3Tool(m_file, "SELECT length(Client), length([Log Summary]) "
                                               "FROM Vellagons"),
                 "200|100");

        e.client = face.repeated(201);
        const Outcome refused = complete(m_file, e);
        QVERIFY(!refused.saved);
        QCOMPARE(refused.field, Field::Client);
        QCOMPARE(Fixtures::logCount(m_file), 1);
    }

    void aRateThatIsNoNumberIsRefused() {
        Entry e = entryFor("Smith, Ann");
        e.rate = "abc";
        const Outcome outcome = complete(m_file, e);
        QVERIFY(!outcome.saved);
        QCOMPARE(outcome.field, Field::Rate);
        QCOMPARE(outcome.message, "The Rate (hourly) \"abc\" is not a number. "
                                  "Correct it and choose Log completed again.");
        QCOMPARE(Fixtures::logCount(m_file), 0);

        e.rate = "9999999999"; // a fee beyond what the file can hold
        e.ending = e.beginning.addYears(200);
        const Outcome tooLarge = complete(m_file, e);
        QVERIFY(!tooLarge.saved);
        QCOMPARE(tooLarge.field, Field::Rate);
        QCOMPARE(Fixtures::logCount(m_file), 0);
    }

    void aFileThatCannotBeWrittenIsReported() {
        const QString missing = TestSupport::newFolder() + "/GONE.MDB";
        const Outcome outcome = complete(missing, entryFor("Smith, Ann"));
        QVERIFY(!outcome.saved);
        QVERIFY(outcome.message.startsWith("Error in Log completed function: "));
        QVERIFY(outcome.message.contains("Your entry has been kept"));
        QVERIFY(!QFile::exists(missing)); // nothing made in its place

        const QString junk =
            Fixtures::writeFile(TestSupport::newFolder() + "/J.MDB", QByteArray(4096, 'j'));
        QVERIFY(!complete(junk, entryFor("Smith, Ann")).saved);
        QCOMPARE(Fixtures::readFile(junk), QByteArray(4096, 'j'));
        QCOMPARE(Fixtures::logCount(m_file), 0);
    }
};

VELLAGON_TEST_MAIN(TestLogCompletion)
#include "test_log_completion.moc"

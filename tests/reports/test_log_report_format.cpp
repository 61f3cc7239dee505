#include "Fixtures.h"
#include "LogFixture.h"
#include "TestSupport.h"
#include "platform/ReportData.h"
#include "reports/DataReport1.h"

using namespace LogFixture;

// The log report's texts that come from the value formatter: the total of hours in its format,
// dates and durations as they convert to text.
class TestLogReportFormat : public QObject {
    Q_OBJECT

    Database m_db;

    void addLogs(const QList<Log>& logs) { LogFixture::addLogs(m_db, logs); }

    ReportDocument& laidOut(DataReport1& report) {
        report.setDataSource(std::make_shared<SqlRecordSource>(m_db, AllLogs));
        return report.document();
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_db = Database::open(Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb"));
    }

    void cleanup() { m_db.close(); }

    void theTotalTimeFollowsItsFormat_data() {
        QTest::addColumn<QVariantList>("durations");
        QTest::addColumn<QString>("total");
        QTest::newRow("1.5 + 2.5") << QVariantList{1.5, 2.5} << "4.0 hours";
        QTest::newRow("half an hour") << QVariantList{0.5} << ".5 hours";
        QTest::newRow("thousands") << QVariantList{1000.0, 234.5} << "1,234.5 hours";
        QTest::newRow("tenths add up exactly")
            << QVariantList{0.1, 0.1, 0.1, 0.2, 0.3, 0.2} << "1.0 hours";
        QTest::newRow("a log without duration") << QVariantList{QVariant(), 0.7} << ".7 hours";
    }

    void theTotalTimeFollowsItsFormat() {
        QFETCH(QVariantList, durations);
        QFETCH(QString, total);
        QList<Log> logs;
        for (const QVariant& d : durations)
            logs << Log{"Smith, John", d, QString()};
        addLogs(logs);
        DataReport1 report;
        ReportDocument& document = laidOut(report);
        const ReportPage& last = document.page(document.pageCount() - 1);
        QCOMPARE(last.textsOf("Function1").value(0).text(), total);
    }

    void datesAndDurationsShowAsTheyConvertToText() {
        addLogs({{"Smith, John", 1.5, QString()}});
        DataReport1 report;
        const ReportPage& page = laidOut(report).page(0);
        QCOMPARE(page.textsOf("Text7")[0].text(), "8/24/2005 10:00:00 AM");
        QCOMPARE(page.textsOf("Text8")[0].text(), "8/24/2005 11:00:00 PM");
        QCOMPARE(page.textsOf("Text9")[0].text(), "1.5");
    }
};

VELLAGON_TEST_MAIN(TestLogReportFormat)
#include "test_log_report_format.moc"

#include "Fixtures.h"
#include "PrintRecorder.h"
#include "TestSupport.h"
#include "platform/data/Database.h"
#include "platform/reporting/ReportData.h"
#include "reports/DataReport1.h"

namespace {

const QString AllLogs = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");

struct Log {
    QString client;
    QVariant duration;
    QString notes;
};

QString words(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("word%1 ").arg(i);
    return text.trimmed();
}

QString oneLine(const QString& text) {
    return QString(text).replace('\n', ' ').simplified();
}

} // namespace

class TestLogReport : public QObject {
    Q_OBJECT

    Database m_db;

    // Logs a minute apart from 8/24/2005 10:00 AM, all ending at 11:00 PM.
    void addLogs(const QList<Log>& logs) {
        m_db.transaction([&] {
            int minute = 0;
            for (const Log& log : logs)
                m_db.exec("INSERT INTO Vellagons (Client, Project, Employee, Rate, Vellagon, [Log "
                          "Summary], [Beginning Time], [Ending Time], Duration, Fee) VALUES (?, "
                          "'MARKETING', 'Doe, Jane', '150', ?, 'Legal research', ?, "
                          "'2005-08-24 23:00:00', ?, 0)",
                          {log.client, log.notes,
                           QStringLiteral("2005-08-24 10:%1:00").arg(minute++, 2, 10, QChar('0')),
                           log.duration});
        });
    }

    ReportDocument& laidOut(DataReport1& report, const QString& sql = AllLogs) {
        report.setDataSource(std::make_shared<SqlRecordSource>(m_db, sql));
        return report.document();
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_db = Database::open(Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb"));
    }

    void cleanup() { m_db.close(); }

    void blocksFollowTheTitleInRecordOrder() {
        addLogs({{"Smith, John", 1.5, "Called the court."},
                 {"Doe, Jane", 2.5, QString()},
                 {"O'Brien, Pat", 0.1, words(150)}});
        DataReport1 report;
        ReportDocument& document = laidOut(report);
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QCOMPARE(page.texts[0].text(), "Vellagon Report");
        QStringList clients;
        for (const PlacedText& t : page.textsOf("Text1"))
            clients << t.text();
        QCOMPARE(clients, (QStringList{"Smith, John", "Doe, Jane", "O'Brien, Pat"}));

        // The block of the first log: each label with its value, dates and durations as they
        // convert to text.
        QStringList block;
        for (const PlacedText& t : page.texts)
            if (t.row == 0)
                block << t.text();
        QCOMPARE(block, (QStringList{"Client:", "Smith, John", "Project:", "MARKETING",
                                     "Employee:", "Doe, Jane", "Rate:", "150",
                                     "Log summary:", "Legal research", "Log:", "Called the court.",
                                     "Beginning Time:", "8/24/2005 10:00:00 AM",
                                     "Ending Time:", "8/24/2005 11:00:00 PM", "Duration:", "1.5"}));
        // A long log is shown whole; the total follows the last block.
        QCOMPARE(oneLine(page.textsOf("Text6")[2].text()), words(150));
        QCOMPARE(page.textsOf("Label11")[0].text(), "Total time spent:");
        QVERIFY(page.textsOf("Label11")[0].rect.top() > page.textsOf("Text9")[2].rect.bottom());
    }

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

    void theSorryTitleStandsInPlaceOfTheTitle() {
        const QString sorry = "Sorry, no records were found meeting your search criteria.  "
                              "Closing this report window will return you to your Vellagon "
                              "display window.";
        addLogs({{"Smith, John", 1.5, QString()}});
        DataReport1 report;
        report.section("Section4").control("Label1").caption = sorry;
        ReportDocument& document =
            laidOut(report, "SELECT * FROM Vellagons WHERE Client = 'Nobody'");
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QVERIFY(page.texts[0].lines.size() > 1);
        QCOMPARE(oneLine(page.texts[0].text()), oneLine(sorry));
        QVERIFY(page.textsOf("Text1").isEmpty());
        QCOMPARE(page.textsOf("Function1").size(), 1);
        // The grown title pushes the total down.
        QVERIFY(page.textsOf("Label11")[0].rect.top() > page.texts[0].rect.bottom());
    }

    void aLongReportShowsAndSavesAsPdf() {
        QList<Log> logs;
        for (int i = 0; i < 25; ++i)
            logs << Log{QStringLiteral("Client %1").arg(i), 0.5, words(i * 10)};
        addLogs(logs);
        ReportRecorder recorder;
        DataReport1 report;
        report.setDataSource(std::make_shared<SqlRecordSource>(m_db, AllLogs));
        report.show();
        QCOMPARE(recorder.shown().size(), 1);
        QCOMPARE(recorder.shown()[0].caption, "Vellagons");
        const QList<ReportPage>& pages = recorder.shown()[0].pages;
        QVERIFY(pages.size() >= 3);
        QVERIFY(pages[1].textsOf("Label1").isEmpty()); // the title on the first page only
        QCOMPARE(pages.last().textsOf("Function1").value(0).text(), "12.5 hours");
        const QString path = TestSupport::newFolder() + "/Vellagons.pdf";
        report.saveAsPdf(path);
        QCOMPARE(pdfPageCount(Fixtures::readFile(path)), pages.size());
    }
};

VELLAGON_TEST_MAIN(TestLogReport)
#include "test_log_report.moc"

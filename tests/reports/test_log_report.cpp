#include "Fixtures.h"
#include "LogFixture.h"
#include "PrintRecorder.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/ReportData.h"
#include "reports/DataReport1.h"

using namespace LogFixture;

namespace {

const QString Sorry = "Sorry, no records were found meeting your search criteria.  Closing this "
                      "report window will return you to your Vellagon display window.";
constexpr double BodyBottom = 15840 - 1440 - 45;

QString oneLine(const QString& text) {
    return QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified();
}

} // namespace

class TestLogReport : public QObject {
    Q_OBJECT

    Database m_db;

    void addLogs(const QList<Log>& logs) { LogFixture::addLogs(m_db, logs); }

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

    void theLayoutIsTheLogReport() {
        const ReportLayout layout = DataReport1::makeLayout();
        QCOMPARE(layout.caption, "Vellagons");
        QCOMPARE(layout.reportWidth, 9240);
        const ReportControl* title = layout.section("Section4").findControl("Label1");
        QVERIFY(title && title->canGrow && title->font.bold);
        const ReportControl* total = layout.section("Section5").findControl("Function1");
        QVERIFY(total && total->kind == ReportControl::Kind::Function);
        QCOMPARE(total->dataField, "Duration");
        QCOMPARE(total->format, "#,###.0 hours");
        // Every detail text is Arial 8.25 regular; only the log text grows.
        for (const ReportControl& c : layout.section("Section1").controls()) {
            QCOMPARE(c.font.size, 8.25);
            QCOMPARE(c.canGrow, c.dataField == QLatin1String("Vellagon"));
        }
    }

    void blocksFollowTheTitleInRecordOrder() {
        addLogs({{"Smith, John", 1.5, "Called the court."},
                 {"Doe, Jane", 2.5, QString()},
                 {"O'Brien, Pat", 0.1, "Letter"}});
        DataReport1 report;
        ReportDocument& document = laidOut(report);
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        const PlacedText title = page.texts[0];
        QCOMPARE(title.control, "Label1");
        QCOMPARE(title.text(), "Vellagon Report");
        QCOMPARE(title.rect, QRectF(1440 + 144, 1440, 9072, 576));

        QStringList clients;
        QList<double> tops;
        for (const PlacedText& t : page.texts) {
            if (t.section == QLatin1String("Section1") && t.control == QLatin1String("Text1")) {
                clients << t.text();
                tops << t.rect.top();
            }
        }
        QCOMPARE(clients, (QStringList{"Smith, John", "Doe, Jane", "O'Brien, Pat"}));
        QCOMPARE(tops, (QList<double>{1440 + 645, 1440 + 645 + 1875, 1440 + 645 + 2 * 1875}));

        // The block of the first log, label and field side by side.
        QMap<QString, PlacedText> block;
        for (const PlacedText& t : page.texts)
            if (t.row == 0)
                block.insert(t.control, t);
        QCOMPARE(block.size(), 18);
        QCOMPARE(block["Label2"].text(), "Client:");
        QCOMPARE(block["Label8"].text(), "Beginning Time:");
        QCOMPARE(block["Text2"].text(), "MARKETING");
        QCOMPARE(block["Text3"].text(), "Doe, Jane");
        QCOMPARE(block["Text4"].text(), "150");
        QCOMPARE(block["Text5"].text(), "Legal research");
        QCOMPARE(block["Text6"].text(), "Called the court.");
        QCOMPARE(block["Text9"].text(), "1.5");
        QCOMPARE(block["Text6"].rect, QRectF(2880, tops[0] + 864, 7776, 285));
        QCOMPARE(block["Text8"].rect, QRectF(1440 + 4896, tops[0] + 1152, 1740, 300));
        QCOMPARE(block["Label10"].rect, QRectF(1440 + 7200, tops[0] + 1152, 870, 285));

        // The total follows the last block.
        const QList<PlacedText> footer = page.textsOf("Label11");
        QCOMPARE(footer.size(), 1);
        QCOMPARE(footer[0].text(), "Total time spent:");
        QCOMPARE(footer[0].rect.top(), tops[2] + 1875 + 288);
    }

    void aLongLogPushesTheRestOfItsBlockAndTheNextBlockDown() {
        addLogs({{"A", 1, words(400)}, {"B", 1, QString()}});
        DataReport1 report;
        const ReportPage& page = laidOut(report).page(0);
        const PlacedText log = page.textsOf("Text6")[0];
        QVERIFY(log.lines.size() > 10);
        QCOMPARE(oneLine(log.text()), words(400));
        const double growth = log.rect.height() - 285;
        QVERIFY(growth > 1000);
        const double top = page.textsOf("Text1")[0].rect.top();
        for (const char* below : {"Label8", "Text7", "Label9", "Text8", "Label10", "Text9"})
            QCOMPARE(page.textsOf(below)[0].rect.top(), top + 1152 + growth);
        QCOMPARE(page.textsOf("Label7")[0].rect.top(), top + 864); // "Log:"
        QCOMPARE(page.textsOf("Text1")[1].rect.top(), top + 1875 + growth);
    }

    void blocksMoveWholeToTheNextPageAboveTheFooter() {
        QList<Log> logs;
        for (int i = 0; i < 40; ++i)
            logs << Log{QStringLiteral("Client %1").arg(i), 1, words((i * 53) % 300)};
        addLogs(logs);
        DataReport1 report;
        ReportDocument& document = laidOut(report);
        const int pages = document.pageCount();
        QVERIFY(pages >= 5);
        QHash<int, QSet<int>> pagesOfRow;
        for (int p = 0; p < pages; ++p)
            for (const PlacedText& t : document.page(p).texts) {
                QVERIFY(t.rect.bottom() <= BodyBottom + 0.01);
                if (t.section == QLatin1String("Section1"))
                    pagesOfRow[t.row].insert(p);
            }
        QCOMPARE(pagesOfRow.size(), 40);
        for (const QSet<int>& onPages : pagesOfRow)
            QCOMPARE(onPages.size(), 1);
        QCOMPARE(document.page(pages - 1).textsOf("Function1").size(), 1);
        QVERIFY(document.page(1).textsOf("Label1").isEmpty());
    }

    void theSorryTitleStandsInPlaceOfTheTitle() {
        addLogs({{"Smith, John", 1.5, QString()}});
        DataReport1 report;
        report.section("Section4").control("Label1").caption = Sorry;
        ReportDocument& document =
            laidOut(report, "SELECT * FROM Vellagons WHERE Client = 'Nobody'");
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QCOMPARE(page.texts[0].control, "Label1");
        QVERIFY(page.texts[0].lines.size() > 1);
        QCOMPARE(oneLine(page.texts[0].text()), oneLine(Sorry));
        const double growth = page.texts[0].rect.height() - 576;
        QVERIFY(growth > 0);
        for (const PlacedText& t : page.texts)
            QVERIFY(t.section != QLatin1String("Section1"));
        QCOMPARE(page.textsOf("Label11")[0].rect.top(), 1440 + 645 + growth + 288);
    }

    void anEmptyDisplayGivesTheTitleAndNoBlocks() {
        DataReport1 report;
        ReportDocument& document = laidOut(report);
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QCOMPARE(page.texts[0].text(), "Vellagon Report");
        QVERIFY(page.textsOf("Text1").isEmpty());
        QCOMPARE(page.textsOf("Function1").size(), 1);
    }

    void theReportShowsAndSavesAsPdf() {
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
        const int pages = int(recorder.shown()[0].pages.size());
        QVERIFY(pages >= 3);
        const QString path = TestSupport::newFolder() + "/Vellagons.pdf";
        report.saveAsPdf(path);
        QCOMPARE(pdfPageCount(Fixtures::readFile(path)), pages);
    }
};

VELLAGON_TEST_MAIN(TestLogReport)
#include "test_log_report.moc"

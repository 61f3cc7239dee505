#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Currency.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/reporting/DataControlRecords.h"
#include "platform/reporting/Report.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/ReportPreview.h"

namespace {

// Records held in memory.
struct TableSource : ReportRecordSource {
    TableSource(const QStringList& columns, const QList<QVariantList>& rows)
        : columns(columns), rows(rows) {}
    int rowCount() const override { return int(rows.size()); }
    int columnIndex(const QString& name) const override { return int(columns.indexOf(name)); }
    QVariant value(int row, int column) const override { return rows[row][column]; }
    QStringList columns;
    QList<QVariantList> rows;
};

constexpr double PaperHeight = 15840;
constexpr double Margin = 1440;
constexpr double FooterHeight = 400;
constexpr double BodyBottom = PaperHeight - Margin - FooterHeight;

QString words(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("note%1 ").arg(i);
    return text.trimmed();
}

// A test layout: a title, a page header, a detail block with a growing note between a name
// and a line below it, page numbers at the foot, and a total at the end.
ReportLayout testLayout() {
    ReportLayout layout("Test report", 9000);
    ReportSection& header = layout.reportHeader();
    header.setHeight(600);
    header.addLabel("Title", "Report title", 0, 0, 9000, 400)
        .setFont("Arial", 14, true)
        .setAlignment(Qt::AlignHCenter)
        .setCanGrow();
    layout.pageHeader().setHeight(300);
    layout.pageHeader().addLabel("Heading", "Heading %p", 0, 0, 3000, 285);
    layout.pageHeader().addLine("Rule", 0, 288, 3000, 0);
    ReportSection& detail = layout.detail();
    detail.setHeight(1000);
    detail.addField("Name", "Name", 0, 0, 3000, 285);
    detail.addField("Amount", "Amount", 6000, 0, 2000, 285).setAlignment(Qt::AlignRight);
    detail.addField("Notes", "Notes", 0, 288, 9000, 285).setCanGrow();
    detail.addLabel("Beside", "beside", 6000, 288, 2000, 285);
    detail.addLabel("Below", "below", 0, 600, 2000, 285);
    layout.pageFooter().setHeight(int(FooterHeight));
    layout.pageFooter()
        .addLabel("PageNumber", "Page %p of %P", 0, 100, 9000, 285)
        .setAlignment(Qt::AlignHCenter);
    layout.reportFooter().setHeight(500);
    layout.reportFooter().addLabel("TotalLabel", "Total:", 0, 100, 2000, 285);
    layout.reportFooter().addFunction("Total", "Amount", 6000, 100, 2000, 285);
    return layout;
}

std::shared_ptr<TableSource> rows(const QList<QVariantList>& values) {
    return std::make_shared<TableSource>(QStringList{"Name", "Amount", "Notes"}, values);
}

std::shared_ptr<TableSource> numberedRows(int count, int noteWords = 0) {
    QList<QVariantList> values;
    for (int i = 1; i <= count; ++i)
        values << QVariantList{QStringLiteral("Row %1").arg(i), 1.0, words(noteWords)};
    return rows(values);
}

const PlacedText& only(const ReportPage& page, const QString& control) {
    static PlacedText none;
    for (const PlacedText& t : page.texts)
        if (t.control == control)
            return t;
    return none;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void sectionsStackInPageOrder() {
        ReportDocument document(testLayout(), numberedRows(3));
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QStringList order;
        for (const PlacedText& t : page.texts)
            if (t.control != "Beside" && t.control != "Below" && t.control != "Amount" &&
                t.control != "Notes")
                order << t.text();
        QCOMPARE(order, (QStringList{"Report title", "Heading 1", "Row 1", "Row 2", "Row 3",
                                     "Total:", "3", "Page 1 of 1"}));
        // Each section starts where the one above it ends; the page footer sits on the margin.
        QCOMPARE(only(page, "Title").rect, QRectF(1440, 1440, 9000, 400));
        QCOMPARE(page.lines.size(), 1);
        QCOMPARE(page.lines[0].twips, QLineF(1440, 1440 + 600 + 288, 4440, 1440 + 600 + 288));
        const QList<PlacedText> names = page.textsOf("Name");
        QCOMPARE(names[0].rect.top(), 1440.0 + 600 + 300);
        QCOMPARE(names[1].rect.top(), names[0].rect.top() + 1000);
        QCOMPARE(only(page, "PageNumber").rect.top(), BodyBottom + 100);
        QCOMPARE(only(page, "TotalLabel").rect.top(), names[2].rect.top() + 1100);
    }

    void aGrowingFieldPushesWhatIsBelowItAndTheNextBlock() {
        ReportDocument document(testLayout(), rows({{"A", 1, words(150)}, {"B", 2, QString()}}));
        const ReportPage& page = document.page(0);
        const PlacedText notes = page.textsOf("Notes")[0];
        QVERIFY(notes.lines.size() > 3);
        const double growth = notes.lines.size() * notes.lineHeight - 285;
        QCOMPARE(notes.rect.height(), 285 + growth);
        QCOMPARE(page.textsOf("Below")[0].rect.top(), notes.rect.top() + 312 + growth);
        QCOMPARE(page.textsOf("Beside")[0].rect.top(), notes.rect.top());
        const QList<PlacedText> names = page.textsOf("Name");
        QCOMPARE(names[1].rect.top(), names[0].rect.top() + 1000 + growth);
        // The empty note of the next block takes its designed room only.
        QCOMPARE(page.textsOf("Notes")[1].rect.height(), 285.0);
    }

    // A growing label pushes down every control of its section that starts below its top: one
    // that started within its height goes below its text, one below that keeps its distance,
    // one beside it stays; the section grows by as much.
    void aGrowingLabelPushesEveryControlThatStartsBelowItsTop() {
        ReportLayout layout("Letter", 9000);
        ReportSection& header = layout.reportHeader();
        header.setHeight(1000);
        header.addLabel("Re", "one\r\ntwo\r\n\r\n", 0, 0, 4000, 300).setCanGrow();
        header.addLabel("Beside", "beside", 5000, 0, 3000, 285);
        header.addLabel("Within", "Dear Client:", 0, 290, 4000, 285).setCanGrow();
        header.addLabel("Below", "below", 0, 700, 4000, 285);
        layout.detail().addLabel("Next", "next", 0, 0, 4000, 285);
        ReportDocument document(layout, numberedRows(1));
        const ReportPage& page = document.page(0);
        const PlacedText re = only(page, "Re");
        QCOMPARE(re.lines, (QStringList{"one", "two", "", ""}));
        QCOMPARE(re.rect.height(), 4 * re.lineHeight);
        QCOMPARE(only(page, "Beside").rect.top(), re.rect.top());
        const PlacedText within = only(page, "Within");
        QCOMPARE(within.rect.top(), re.rect.bottom());
        QCOMPARE(only(page, "Below").rect.top(), within.rect.top() + 410);
        QCOMPARE(only(page, "Next").rect.top(), within.rect.top() - 290 + 1000);
    }

    void textWrapsBreaksAndAligns() {
        ReportDocument document(testLayout(), rows({{words(40), 12.5, "a\r\nb\rc\nd\r\n"}}));
        const ReportPage& page = document.page(0);
        QCOMPARE(only(page, "Notes").lines, (QStringList{"a", "b", "c", "d", ""}));
        // A field that does not grow shows what fits its height: one line, cut at a word.
        const PlacedText name = only(page, "Name");
        QCOMPARE(name.lines.size(), 1);
        QVERIFY(words(40).startsWith(name.lines[0] + ' '));
        QVERIFY(document.textWidth(name.lines[0], name.font) <= 3000);
        // Right and centred alignment place each line by its measured width.
        const PlacedText amount = only(page, "Amount");
        QCOMPARE(amount.text(), "12.5");
        QVERIFY(qAbs(amount.lineX[0] + document.textWidth("12.5", amount.font) - (1440 + 8000)) <
                0.01);
        const PlacedText title = only(page, "Title");
        QVERIFY(qAbs(title.lineX[0] + document.textWidth(title.lines[0], title.font) / 2 -
                     (1440 + 4500)) < 0.01);
    }

    void pagesCountAndNoBlockReachesTheFooter() {
        QList<QVariantList> values;
        for (int i = 0; i < 60; ++i)
            values << QVariantList{QStringLiteral("Row %1").arg(i), 1, words((i * 37) % 120)};
        ReportDocument document(testLayout(), rows(values));
        const int pages = document.pageCount();
        QVERIFY(pages > 3);
        QHash<int, QSet<int>> pagesOfRow;
        for (int p = 0; p < pages; ++p) {
            const ReportPage& page = document.page(p);
            QCOMPARE(only(page, "PageNumber").text(),
                     QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages));
            QCOMPARE(only(page, "Heading").text(), QStringLiteral("Heading %1").arg(p + 1));
            for (const PlacedText& t : page.texts) {
                if (t.section != "Section1")
                    continue;
                QVERIFY2(t.rect.bottom() <= BodyBottom + 0.01, qPrintable(t.control));
                pagesOfRow[t.row].insert(p);
            }
        }
        QCOMPARE(pagesOfRow.size(), 60);
        for (const QSet<int>& onPages : pagesOfRow) // a block that fits a page is never split
            QCOMPARE(onPages.size(), 1);
    }

    // An empty report footer that no longer fits after the last block starts no blank page;
    // one with something to show does.
    void anEmptyFooterTakesNoPageOfItsOwn() {
        ReportLayout layout("Footer", 9000);
        layout.detail().setHeight(1000);
        layout.detail().addField("Name", "Name", 0, 0, 3000, 285);
        layout.reportFooter().setHeight(1000);
        QCOMPARE(ReportDocument(layout, numberedRows(12)).pageCount(), 1); // 12 blocks fill it
        layout.reportFooter().addLabel("End", "The end", 0, 0, 3000, 285);
        QCOMPARE(ReportDocument(layout, numberedRows(12)).pageCount(), 2);
    }

    void aBlockTallerThanAPageSplitsBetweenLines() {
        ReportDocument document(
            testLayout(),
            rows({{"Short", 1, QString()}, {"Long", 1, words(2500)}, {"After", 1, ""}}));
        const int pages = document.pageCount();
        QVERIFY(pages >= 3);
        QStringList noteLines;
        for (int p = 0; p < pages; ++p) {
            for (const PlacedText& t : document.page(p).textsOf("Notes")) {
                if (t.row != 1)
                    continue;
                QVERIFY(t.lineTop(int(t.lines.size()) - 1) + t.lineHeight <= BodyBottom + 0.01);
                if (p > 0) // a continuation starts at the top of the body
                    QCOMPARE(t.rect.top(), Margin + 300);
                noteLines << t.lines;
            }
        }
        QCOMPARE(noteLines.join(' '), words(2500));
        // The long block starts right under the first one: it could not fit any page whole.
        QCOMPARE(document.page(0).textsOf("Name").size(), 2);
        QCOMPARE(document.page(pages - 1).textsOf("Name").last().text(), "After");
    }

    void totalsAddUpExactlyAndAnEmptyReportShowsItsFrame() {
        const auto total = [](const QVariantList& amounts) {
            QList<QVariantList> values;
            for (const QVariant& v : amounts)
                values << QVariantList{"x", v, QString()};
            return only(ReportDocument(testLayout(), rows(values)).page(0), "Total").text();
        };
        QCOMPARE(total({0.1, 0.2, QVariant(), 0.4f, "0.3", "n/a"}), "1");
        // Each amount is taken as the decimal it stands for: 4.35 is 4.3499999... as a double.
        QCOMPARE(total({4.35, 0.29, 36.663}), "41.303");
        // A total beyond the money range is an error, not a wrong total.
        QVERIFY_THROWS_EXCEPTION(AppError, total({9.0e14, 9.0e14}));

        ReportDocument empty(testLayout(), numberedRows(0));
        QCOMPARE(empty.pageCount(), 1);
        QVERIFY(empty.page(0).textsOf("Name").isEmpty());
        QCOMPARE(only(empty.page(0), "Title").text(), "Report title");
        QCOMPARE(only(empty.page(0), "Total").text(), "0");
        QCOMPARE(ReportDocument(testLayout(), nullptr).pageCount(), 1);
        auto noAmount = std::make_shared<TableSource>(QStringList{"Name"},
                                                      QList<QVariantList>{{QStringLiteral("x")}});
        QVERIFY_THROWS_EXCEPTION(AppError, ReportDocument(testLayout(), noAmount));
    }

    // A total over many large amounts of four decimals, as money columns keep them, is exact:
    // added up in double it would be off in its last decimals (in float, by millions).
    void aTotalOfManyLargeAmountsIsExact() {
        QList<QVariantList> values;
        double inDouble = 0;
        for (qint64 i = 0; i < 5000; ++i) {
            // About a hundred billion each, in ten-thousandths, as a REAL column holds it.
            const double amount =
                Currency(1'000'000'000'000'000 + i * 98'765'431 + (i * 6007) % 10000).toDouble();
            values << QVariantList{"x", amount, QString()};
            inDouble += amount;
        }
        const QString exact = "500123432099885.5";
        QVERIFY(Currency::fromDouble(inDouble).toString() != exact);
        ReportDocument document(testLayout(), rows(values));
        QCOMPARE(only(document.page(document.pageCount() - 1), "Total").text(), exact);
    }

    void recordsOfAFileHoldWhatTheLayoutShows() {
        // A report reads only the columns its fields and totals show, from a statement or from
        // a data control, and its text comes out as stored, whatever its letters.
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/report.mdb");
        Fixtures::execRaw(path, {"INSERT INTO Vellagons (Client, Vellagon, VellaGraphic, Duration, "
                                 "[Beginning Time]) VALUES ('Müller, Zoë', 'Anhörung – 5 €', "
                                 "'<p>x</p>', 1.5, '2005-08-01 09:00:00'), (NULL, '', NULL, "
                                 "NULL, '2005-08-02 09:00:00')"});
        ReportLayout layout("Logs", 9000);
        layout.detail().addField("Client", "Client", 0, 0, 3000, 285);
        layout.detail().addField("Hours", "duration", 3000, 0, 3000, 285);
        layout.detail().addField("Log", "Vellagon", 0, 300, 9000, 285);
        layout.reportFooter().addFunction("Total", "Duration", 0, 0, 3000, 285);
        QCOMPARE(layout.boundColumns(), (QStringList{"Client", "duration", "Vellagon"}));
        const QStringList asked = layout.boundColumns() << "No Such Column";

        const QString statement = "Select * From Vellagons ORDER BY [Beginning Time]";
        const Database db = Database::open(path);
        DataControl control;
        control.setDatabasePath(path);
        control.setRecordSource(statement);
        QVERIFY(control.Refresh());
        const SqlRecordSource fromStatement(db, statement, {}, asked);
        const DataControlRecords fromControl(control, asked);
        for (const StoredRecords* records :
             std::initializer_list<const StoredRecords*>{&fromStatement, &fromControl}) {
            QStringList columns = records->columns();
            columns.sort();
            QCOMPARE(columns, (QStringList{"Client", "Duration", "Vellagon"}));
            QCOMPARE(records->rowCount(), 2);
            QCOMPARE(records->value(0, "client"), QVariant("Müller, Zoë"));
            QCOMPARE(records->value(0, "Vellagon"), QVariant("Anhörung – 5 €"));
            QCOMPARE(records->value(0, "Duration").toDouble(), 1.5);
            QVERIFY(records->value(1, "Client").isNull());
            QCOMPARE(records->value(1, "Vellagon"), QVariant(QString("")));
            QCOMPARE(records->columnIndex("VellaGraphic"), -1);
            ReportDocument document(layout, std::shared_ptr<const ReportRecordSource>(
                                                records, [](const ReportRecordSource*) {}));
            QCOMPARE(only(document.page(0), "Log").text(), "Anhörung – 5 €");
            QCOMPARE(only(document.page(0), "Total").text(), "1.5");
        }

        // Another program changed the file since the control read its set: the records follow
        // the control's order still, with the values as they now stand.
        Fixtures::execRaw(path, {"UPDATE Vellagons SET [Beginning Time] = '2000-01-01 00:00:00', "
                                 "Vellagon = 'moved' WHERE Client IS NULL"});
        const DataControlRecords changed(control, asked);
        QCOMPARE(changed.rowCount(), 2);
        QCOMPARE(changed.value(0, "Client"), QVariant("Müller, Zoë"));
        QCOMPARE(changed.value(1, "Vellagon"), QVariant("moved"));
    }

    void captionsAndFontsSetBeforeShowing() {
        ReportRecorder recorder;
        Report report(testLayout());
        report.setDataSource(numberedRows(2));
        report.document().pageCount(); // laid out before the change: show() lays out anew
        report.section("Section4").control("title").caption = "Changed";
        report.section("Section1").setFontName("Times New Roman");
        report.section("Section1").setFontSize(10);
        QVERIFY_THROWS_EXCEPTION(AppError, report.section("Section9"));
        QVERIFY_THROWS_EXCEPTION(AppError, report.section("Section1").control("Nothing"));
        report.show();
        QCOMPARE(recorder.shown().size(), 1);
        const ReportRecorder::Shown& shown = recorder.shown()[0];
        QCOMPARE(shown.caption, "Test report");
        QCOMPARE(only(shown.pages[0], "Title").text(), "Changed");
        const PlacedText below = only(shown.pages[0], "Below");
        QCOMPARE(below.font.name, "Times New Roman");
        QCOMPARE(below.font.size, 10.0);
    }

    void theSamePagesGoToThePrinterAndToAPdfFile() {
        PrintRecorder recorder;
        recorder.options().borderTwips = QMarginsF(300, 200, 300, 200);
        Report report(testLayout());
        report.setDataSource(numberedRows(40, 30));
        const int pages = report.document().pageCount();
        report.printOut();
        const PrintJob& job = recorder.lastJob();
        QCOMPARE(job.documentName, "Test report");
        QCOMPARE(job.pageCount, pages);
        // Placed from the paper's edge: the printer's unprintable border is subtracted.
        const PlacedText title = only(report.document().page(0), "Title");
        const PrintedText& drawn = job.texts[0];
        QCOMPARE(drawn.text, title.lines[0]);
        QCOMPARE(drawn.xTwips, title.lineX[0] - 300);
        QCOMPARE(drawn.yTwips, title.rect.top() - 200);
        QCOMPARE(drawn.fontSize, 14.0);
        QVERIFY(drawn.bold);
        QCOMPARE(job.lines.size(), pages);

        const QString path = TestSupport::newFolder() + "/report.pdf";
        report.saveAsPdf(path);
        QCOMPARE(pdfPageCount(Fixtures::readFile(path)), pages);
        recorder.cancelNext();
        report.printOut(); // quietly nothing
        QCOMPARE(recorder.jobs().size(), 1);
    }

    void thePreviewShowsItsFirstPageAndPagesOn() {
        ScriptedDialogs dialogs;
        Report report(testLayout());
        report.setDataSource(numberedRows(300, 10));
        ReportPreview preview(report);
        QVERIFY(!preview.pageImage().isNull());
        preview.goToPage(1);
        QCOMPARE(preview.currentPage(), 1);
        report.document().layOutAll();
        QCOMPARE(preview.pageText(),
                 QStringLiteral("Page 2 of %1").arg(report.document().pageCount()));
        preview.goToPage(10000);
        QCOMPARE(preview.currentPage(), 1);
        QVERIFY(dialogs.shown().isEmpty());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestReport)
#include "test_report.moc"

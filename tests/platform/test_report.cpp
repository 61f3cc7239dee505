#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/AppError.h"
#include "platform/Report.h"
#include "platform/ReportData.h"
#include "platform/ReportPreview.h"

namespace {

// Records held in memory.
class TableSource : public ReportRecordSource {
public:
    TableSource(const QStringList& columns, const QList<QVariantList>& rows)
        : m_columns(columns), m_rows(rows) {}
    int rowCount() const override { return int(m_rows.size()); }
    int columnIndex(const QString& name) const override {
        for (int i = 0; i < m_columns.size(); ++i)
            if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    }
    QVariant value(int row, int column) const override { return m_rows[row][column]; }

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
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
    ReportLayout layout(QStringLiteral("Test report"), 9000);
    ReportSection& header = layout.reportHeader();
    header.setHeight(600);
    header.addLabel(QStringLiteral("Title"), QStringLiteral("Report title"), 0, 0, 9000, 400)
        .setFont(QStringLiteral("Arial"), 14, true)
        .setAlignment(Qt::AlignHCenter)
        .setCanGrow();
    ReportSection& pageHeader = layout.pageHeader();
    pageHeader.setHeight(300);
    pageHeader.addLabel(QStringLiteral("Heading"), QStringLiteral("Heading %p"), 0, 0, 3000, 285);
    pageHeader.addLine(QStringLiteral("Rule"), 0, 288, 3000, 0);
    ReportSection& detail = layout.detail();
    detail.setHeight(1000);
    detail.addField(QStringLiteral("Name"), QStringLiteral("Name"), 0, 0, 3000, 285);
    detail.addField(QStringLiteral("Amount"), QStringLiteral("Amount"), 6000, 0, 2000, 285)
        .setAlignment(Qt::AlignRight);
    detail.addField(QStringLiteral("Notes"), QStringLiteral("Notes"), 0, 288, 9000, 285)
        .setCanGrow();
    detail.addLabel(QStringLiteral("Beside"), QStringLiteral("beside"), 6000, 288, 2000, 285);
    detail.addLabel(QStringLiteral("Below"), QStringLiteral("below"), 0, 600, 2000, 285);
    ReportSection& pageFooter = layout.pageFooter();
    pageFooter.setHeight(int(FooterHeight));
    pageFooter
        .addLabel(QStringLiteral("PageNumber"), QStringLiteral("Page %p of %P"), 0, 100, 9000, 285)
        .setAlignment(Qt::AlignHCenter);
    ReportSection& footer = layout.reportFooter();
    footer.setHeight(500);
    footer.addLabel(QStringLiteral("TotalLabel"), QStringLiteral("Total:"), 0, 100, 2000, 285);
    footer.addFunction(QStringLiteral("Total"), QStringLiteral("Amount"), 6000, 100, 2000, 285);
    return layout;
}

std::shared_ptr<TableSource> rows(const QList<QVariantList>& values) {
    return std::make_shared<TableSource>(
        QStringList{QStringLiteral("Name"), QStringLiteral("Amount"), QStringLiteral("Notes")},
        values);
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

    void sectionsComeInPageOrder() {
        ReportDocument document(testLayout(), numberedRows(3));
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QStringList order;
        for (const PlacedText& t : page.texts)
            if (t.control != QLatin1String("Beside") && t.control != QLatin1String("Below") &&
                t.control != QLatin1String("Amount") && t.control != QLatin1String("Notes"))
                order << t.text();
        QCOMPARE(order, (QStringList{QStringLiteral("Report title"), QStringLiteral("Heading 1"),
                                     QStringLiteral("Row 1"), QStringLiteral("Row 2"),
                                     QStringLiteral("Row 3"), QStringLiteral("Total:"),
                                     QStringLiteral("3"), QStringLiteral("Page 1 of 1")}));
        QCOMPARE(only(page, QStringLiteral("Title")).rect, QRectF(1440, 1440, 9000, 400));
        QCOMPARE(only(page, QStringLiteral("Heading")).rect.top(), 1440.0 + 600);
        QCOMPARE(page.lines.size(), 1);
        QCOMPARE(page.lines[0].twips, QLineF(1440, 1440 + 600 + 288, 4440, 1440 + 600 + 288));
        const QList<PlacedText> names = page.textsOf(QStringLiteral("Name"));
        QCOMPARE(names[0].rect.top(), 1440.0 + 600 + 300);
        QCOMPARE(names[1].rect.top(), names[0].rect.top() + 1000);
        QCOMPARE(names[1].row, 1);
        QCOMPARE(only(page, QStringLiteral("PageNumber")).rect.top(), BodyBottom + 100);
        QCOMPARE(only(page, QStringLiteral("TotalLabel")).rect.top(), names[2].rect.top() + 1100);
    }

    void aGrowingFieldPushesWhatIsBelowItAndTheNextBlock() {
        ReportDocument document(testLayout(), rows({{QStringLiteral("A"), 1, words(150)},
                                                    {QStringLiteral("B"), 2, QString()}}));
        const ReportPage& page = document.page(0);
        const PlacedText notes = page.textsOf(QStringLiteral("Notes"))[0];
        QVERIFY(notes.lines.size() > 3);
        const double growth = notes.lines.size() * notes.lineHeight - 285;
        QCOMPARE(notes.rect.height(), 285 + growth);
        QCOMPARE(page.textsOf(QStringLiteral("Below"))[0].rect.top(),
                 notes.rect.top() + 312 + growth);
        QCOMPARE(page.textsOf(QStringLiteral("Beside"))[0].rect.top(), notes.rect.top());
        const QList<PlacedText> names = page.textsOf(QStringLiteral("Name"));
        QCOMPARE(names[1].rect.top(), names[0].rect.top() + 1000 + growth);
        // The empty note of the next block takes its designed room only.
        QCOMPARE(page.textsOf(QStringLiteral("Notes"))[1].rect.height(), 285.0);
        QVERIFY(page.textsOf(QStringLiteral("Notes"))[1].lines.isEmpty());
    }

    void textWrapsAndBreaksAtEachLineEnd() {
        ReportDocument document(testLayout(),
                                rows({{words(40), 1, QStringLiteral("a\r\nb\rc\nd\r\n")}}));
        const ReportPage& page = document.page(0);
        QCOMPARE(only(page, QStringLiteral("Notes")).lines,
                 (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                              QStringLiteral("d"), QString()}));
        // A field that does not grow shows what fits its height: one line, cut at a word.
        const PlacedText name = only(page, QStringLiteral("Name"));
        QCOMPARE(name.lines.size(), 1);
        QVERIFY(words(40).startsWith(name.lines[0] + QLatin1Char(' ')));
        QVERIFY(document.textWidth(name.lines[0], name.font) <= 3000);
    }

    void alignmentPlacesEachLine() {
        ReportDocument document(testLayout(), rows({{QStringLiteral("A"), 12.5, QString()}}));
        const ReportPage& page = document.page(0);
        const PlacedText amount = only(page, QStringLiteral("Amount"));
        QCOMPARE(amount.text(), QStringLiteral("12.5"));
        QVERIFY(qAbs(amount.lineX[0] + document.textWidth(QStringLiteral("12.5"), amount.font) -
                     (1440 + 8000)) < 0.01);
        const PlacedText title = only(page, QStringLiteral("Title"));
        QVERIFY(qAbs(title.lineX[0] + document.textWidth(title.lines[0], title.font) / 2 -
                     (1440 + 4500)) < 0.01);
        QVERIFY(title.font.bold);
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
            QCOMPARE(page.number, p + 1);
            QCOMPARE(only(page, QStringLiteral("PageNumber")).text(),
                     QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages));
            QCOMPARE(only(page, QStringLiteral("Heading")).text(),
                     QStringLiteral("Heading %1").arg(p + 1));
            for (const PlacedText& t : page.texts) {
                if (t.section != QLatin1String("Section1"))
                    continue;
                QVERIFY2(t.rect.bottom() <= BodyBottom + 0.01, qPrintable(t.control));
                pagesOfRow[t.row].insert(p);
            }
        }
        QCOMPARE(pagesOfRow.size(), 60);
        for (const QSet<int>& onPages : pagesOfRow) // a block that fits a page is never split
            QCOMPARE(onPages.size(), 1);
    }

    void aBlockTallerThanAPageSplitsBetweenLines() {
        ReportDocument document(testLayout(), rows({{QStringLiteral("Short"), 1, QString()},
                                                    {QStringLiteral("Long"), 1, words(2500)},
                                                    {QStringLiteral("After"), 1, QString()}}));
        const int pages = document.pageCount();
        QVERIFY(pages >= 3);
        QStringList noteLines;
        for (int p = 0; p < pages; ++p) {
            for (const PlacedText& t : document.page(p).textsOf(QStringLiteral("Notes"))) {
                if (t.row != 1)
                    continue;
                QVERIFY(t.rect.bottom() <= BodyBottom + 0.01);
                QVERIFY(t.lineTop(int(t.lines.size()) - 1) + t.lineHeight <= BodyBottom + 0.01);
                if (p > 0) // a continuation starts at the top of the body
                    QCOMPARE(t.rect.top(), Margin + 300);
                noteLines << t.lines;
            }
        }
        QCOMPARE(noteLines.join(QLatin1Char(' ')), words(2500));
        // The long block starts right under the first one: it could not fit any page whole.
        const QList<PlacedText> first = document.page(0).textsOf(QStringLiteral("Name"));
        QCOMPARE(first.size(), 2);
        // The rest of the block (with "Below") and the next block follow on the last page.
        const ReportPage& last = document.page(pages - 1);
        QCOMPARE(last.textsOf(QStringLiteral("Name")).last().text(), QStringLiteral("After"));
    }

    void anEmptyReportShowsItsHeaderAndFooterOnly() {
        ReportDocument document(testLayout(), numberedRows(0));
        QCOMPARE(document.pageCount(), 1);
        const ReportPage& page = document.page(0);
        QVERIFY(page.textsOf(QStringLiteral("Name")).isEmpty());
        QCOMPARE(only(page, QStringLiteral("Title")).text(), QStringLiteral("Report title"));
        QCOMPARE(only(page, QStringLiteral("Total")).text(), QStringLiteral("0"));
        ReportDocument withoutData(testLayout(), nullptr);
        QCOMPARE(withoutData.pageCount(), 1);
    }

    void totalsAddUpExactly() {
        QList<QVariantList> values;
        for (const QVariant& v : {QVariant(0.1), QVariant(0.2), QVariant(), QVariant(0.4f),
                                  QVariant(QStringLiteral("0.3"))})
            values << QVariantList{QStringLiteral("x"), v, QString()};
        ReportDocument document(testLayout(), rows(values));
        QCOMPARE(only(document.page(0), QStringLiteral("Total")).text(), QStringLiteral("1"));
    }

    void pagesAreLaidOutAsTheyAreAskedFor() {
        ReportLayout layout = testLayout();
        layout.pageFooter().control(QStringLiteral("PageNumber")).caption =
            QStringLiteral("Page %p");
        ReportDocument document(layout, numberedRows(2000, 20));
        QCOMPARE(document.pagesLaidOut(), 0);
        QCOMPARE(only(document.page(0), QStringLiteral("PageNumber")).text(),
                 QStringLiteral("Page 1"));
        QCOMPARE(document.pagesLaidOut(), 1);
        QVERIFY(!document.isComplete());
        // With the number of pages on the page, the first page waits for the last.
        ReportDocument counted(testLayout(), numberedRows(200, 20));
        counted.page(0);
        QVERIFY(counted.isComplete());
    }

    void aMissingColumnIsAnError() {
        auto source = std::make_shared<TableSource>(QStringList{QStringLiteral("Name")},
                                                    QList<QVariantList>{{QStringLiteral("x")}});
        QVERIFY_THROWS_EXCEPTION(AppError, ReportDocument(testLayout(), source));
    }

    void captionsAndFontsSetBeforeShowing() {
        ReportRecorder recorder;
        Report report(testLayout());
        report.setDataSource(numberedRows(2));
        report.document().pageCount(); // laid out before the change: show() lays out anew
        report.section(QStringLiteral("Section4")).control(QStringLiteral("title")).caption =
            QStringLiteral("Changed");
        report.section(QStringLiteral("Section1")).setFontName(QStringLiteral("Times New Roman"));
        report.section(QStringLiteral("Section1")).setFontSize(10);
        QVERIFY_THROWS_EXCEPTION(AppError, report.section(QStringLiteral("Section9")));
        QVERIFY_THROWS_EXCEPTION(AppError,
                                 report.section(QStringLiteral("Section1")).control("Nothing"));
        report.show();
        QCOMPARE(recorder.shown().size(), 1);
        const ReportRecorder::Shown& shown = recorder.shown()[0];
        QCOMPARE(shown.caption, QStringLiteral("Test report"));
        QCOMPARE(only(shown.pages[0], QStringLiteral("Title")).text(), QStringLiteral("Changed"));
        const PlacedText below = only(shown.pages[0], QStringLiteral("Below"));
        QCOMPARE(below.font.name, QStringLiteral("Times New Roman"));
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
        QCOMPARE(job.documentName, QStringLiteral("Test report"));
        QCOMPARE(job.pageCount, pages);
        const ReportPage& first = report.document().page(0);
        const PlacedText title = only(first, QStringLiteral("Title"));
        const PrintedText& drawn = job.texts[0];
        QCOMPARE(drawn.text, title.lines[0]);
        QCOMPARE(drawn.xTwips, title.lineX[0] - 300);
        QCOMPARE(drawn.yTwips, title.rect.top() - 200);
        QCOMPARE(drawn.fontSize, 14.0);
        QVERIFY(drawn.bold);
        QCOMPARE(job.lines.size(), pages);

        const QString path = TestSupport::newFolder() + QStringLiteral("/report.pdf");
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
        QCOMPARE(preview.windowTitle(), QStringLiteral("Test report"));
        QVERIFY(!preview.pageImage().isNull());
        QCOMPARE(preview.currentPage(), 0);
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

VELLAGON_TEST_MAIN(TestReport)
#include "test_report.moc"

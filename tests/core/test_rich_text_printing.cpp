#include "Fixtures.h"
#include "PrintRecorder.h"
#include "TestSupport.h"
#include "core/RichTextPrinting.h"
#include "platform/AppError.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextDocument>
#include <QTextEdit>

namespace {

QString longLog(int paragraphs) {
    QString html = "<p><b>Client:</b> Smith, John</p><p>Vellagon Notes: </p>";
    for (int i = 0; i < paragraphs; ++i)
        html += QStringLiteral("<p>Paragraph %1: <i>telephone call</i> with opposing counsel "
                               "about the schedule of the deposition, which goes on long enough "
                               "to wrap onto a second line of the page.</p>")
                    .arg(i);
    return html;
}

} // namespace

class TestRichTextPrinting : public QObject {
    Q_OBJECT

    std::unique_ptr<PrintRecorder> m_recorder;

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_recorder = std::make_unique<PrintRecorder>();
    }
    void cleanup() { m_recorder.reset(); }

    void anEmptyBoxPrintsOnePage() {
        QTextEdit box;
        PrintRTF(box, 1440, 1440, 1440, 1440);
        const PrintJob& job = m_recorder->lastJob();
        QVERIFY(job.ended);
        QCOMPARE(job.pageCount, 1);
        QCOMPARE(job.documentPages.size(), 1);
        QCOMPARE(job.documentPages[0].text, QString());
        QCOMPARE(pdfPageCount(job.pdf), 1);
    }

    void aLongTextRunsOnToAsManyPagesAsItNeeds() {
        QTextDocument document;
        document.setHtml(longLog(120));
        PrintRTF(document, 1440, 1440, 1440, 1440);
        const PrintJob& job = m_recorder->lastJob();
        QVERIFY2(job.pageCount >= 4, qPrintable(QString::number(job.pageCount)));
        QCOMPARE(job.documentPages.size(), job.pageCount);
        // Each page takes up where the last one stopped, and together they hold the whole text.
        QString all;
        for (int i = 0; i < job.documentPages.size(); ++i) {
            const PrintedDocumentPage& page = job.documentPages[i];
            QCOMPARE(page.page, i + 1);
            QVERIFY(page.endChar > page.firstChar);
            if (i > 0)
                QCOMPARE(page.firstChar, job.documentPages[i - 1].endChar);
            all += page.text;
        }
        QCOMPARE(job.documentPages.last().endChar, document.characterCount() - 1);
        QCOMPARE(all.simplified(), document.toPlainText().simplified());
        QCOMPARE(pdfPageCount(job.pdf), job.pageCount);
    }

    // The margins count from the paper's edge: an unprintable border is subtracted.
    void marginsGiveWhitePaperWhateverTheBorder() {
        m_recorder->options().borderTwips = QMarginsF(360, 270, 360, 270);
        QTextDocument document;
        document.setPlainText("x");
        PrintRTF(document, 1440, 1440, 1440, 2880);
        const QRectF rect = m_recorder->lastJob().documentPages[0].rectTwips;
        QCOMPARE(rect, QRectF(QPointF(1440 - 360, 1440 - 270),
                              QPointF(12240 - 1440 - 360, 15840 - 2880 - 270)));
    }

    void theBoxGivenIsNotTouched() {
        QTextEdit box;
        box.setHtml(longLog(30));
        box.document()->setModified(false);
        const QString before = box.toHtml();
        const qreal width = box.document()->textWidth();
        const QSizeF pageSize = box.document()->pageSize();
        PrintRTF(box, 1440, 1440, 1440, 1440);
        QCOMPARE(box.toHtml(), before);
        QCOMPARE(box.document()->textWidth(), width);
        QCOMPARE(box.document()->pageSize(), pageSize);
        QVERIFY(!box.document()->isModified());
        QVERIFY(!box.document()->findChild<QTextDocument*>()); // the copy is gone
    }

    // Margins that leave no room for one line must end the job, not print for ever.
    void noRoomForALineStopsWithAnError() {
        QTextDocument document;
        document.setPlainText("one\ntwo");
        for (int bottom : {15840 - 1440 - 20, 15840}) {
            QVERIFY_THROWS_EXCEPTION(AppError, PrintRTF(document, 1440, 1440, 1440, bottom));
            QVERIFY(m_recorder->lastJob().aborted);
            QVERIFY(!QGuiApplication::overrideCursor()); // the pointer is back
        }
    }

    // A picture taller than a page (here 25 inches) is cut at the margin and goes on over the
    // next pages.
    void aPictureTallerThanAPageRunsOverPages() {
        QImage picture(4, 40, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QTextDocument document;
        document.addResource(QTextDocument::ImageResource, QUrl("tall.png"), picture);
        document.setHtml("<p>Before</p><p><img src=\"tall.png\" width=\"30\" "
                         "height=\"2400\"></p><p>After</p>");
        PrintRTF(document, 1440, 1440, 1440, 1440);
        const PrintJob& job = m_recorder->lastJob();
        QVERIFY(job.ended);
        // "Before" alone, as the picture does not fit under it; then 9 + 9 + 7 inches of it.
        QCOMPARE(job.pageCount, 4);
        QCOMPARE(job.documentPages.first().text.trimmed(), "Before");
        QCOMPARE(job.documentPages.last().text, "After");
    }

    void cancellingThePrintDialogReachesTheCaller() {
        m_recorder->cancelNext();
        QTextDocument document;
        try {
            PrintRTF(document, 1440, 1440, 1440, 1440);
            QFAIL("no cancel");
        } catch (const AppError& e) {
            QVERIFY(e.isCancel());
        }
        QVERIFY(m_recorder->jobs().isEmpty());
    }
};

VELLAGON_TEST_MAIN(TestRichTextPrinting)
#include "test_rich_text_printing.moc"

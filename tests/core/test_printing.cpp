#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/logic/TextPrinting.h"
#include "core/windows/RichTextBoxPrinting.h"
#include "platform/data/AppError.h"

#include <QGuiApplication>
#include <QImage>
#include <QTextDocument>
#include <QTextEdit>

namespace {

const QString CrLf = "\r\n";
constexpr double Tolerance = 1e-6;

PrintLine record(const QString& text, const QString& code = {}) {
    PrintLine line;
    line.Text = text;
    line.LineCode = code;
    line.FontName = "Times New Roman";
    line.FontSize = "12";
    return line;
}

QString numberedLines(int count, const QString& prefix = "Client ") {
    QString text;
    for (int i = 1; i <= count; ++i)
        text += prefix + QString::number(i) + CrLf;
    return text;
}

bool isFooter(const PrintedText& t) {
    return t.text.startsWith(QLatin1String("- ")) && t.text.endsWith(QLatin1String(" -"));
}

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

// Lists printed line by line (PrintTextArray) and rich text printed page by page (PrintRTF).
class TestPrinting : public QObject {
    Q_OBJECT

    // Measures as the printer of the job does (same device, font and unit).
    double lineHeight = 0;
    std::unique_ptr<Printer> m_measure;
    std::shared_ptr<PrintJob> m_measureJob = std::make_shared<PrintJob>();

    double width(const QString& text) { return m_measure->textWidth(text); }

    std::unique_ptr<PrintRecorder> m_recorder;

    const PrintJob& print(QList<PrintLine> lines) {
        gPrintLines = lines;
        PrintTextArray(gPrintLines);
        return m_recorder->lastJob();
    }

private Q_SLOTS:
    void initTestCase() {
        m_measure = recordingPrinter(m_measureJob);
        m_measure->setUnit(Printer::Unit::Inches);
        m_measure->setFontName("Times New Roman");
        m_measure->setFontSize(12);
        lineHeight = m_measure->textHeight(QString());
    }

    void init() {
        TestSupport::freshProgram();
        m_recorder = std::make_unique<PrintRecorder>();
    }
    void cleanup() { m_recorder.reset(); }

    void wordsKeepTheirTrailingBlank() {
        gstrWrapBuffer = "Smith,  John";
        QStringList words;
        do {
            SplitFirstWord();
            words << gstrWrapWord;
        } while (!gstrWrapWord.isEmpty());
        QCOMPARE(words, (QStringList{"Smith, ", " ", "John", QString()}));
        QCOMPARE(gstrWrapBuffer, QString());
    }

    void aOnePageListPrintsAtTheLeftMarginWithoutFooter() {
        ScriptedDialogs dialogs;
        const PrintJob& job =
            print({record(QStringLiteral("Clients") + CrLf + CrLf + QStringLiteral("Smith, John") +
                          CrLf + QStringLiteral("Doe, Jane") + CrLf)});
        QCOMPARE(job.textStrings(),
                 (QStringList{"Clients", QString(), "Smith, John", "Doe, Jane"}));
        for (int i = 0; i < job.texts.size(); ++i) {
            QCOMPARE(job.texts[i].x, 1.0);
            QVERIFY(qAbs(job.texts[i].y - (1.0 + i * lineHeight)) < Tolerance);
            QCOMPARE(job.texts[i].fontName, "Times New Roman");
        }
        QVERIFY(job.ended);
        QCOMPARE(job.pageCount, 1);
        QVERIFY(dialogs.shown().isEmpty());
    }

    void aLongListCarriesACentredFooterOnEveryPage() {
        const PrintJob& job = print({record(numberedLines(130))});
        QCOMPARE(job.pageCount, 3);
        QStringList footers;
        for (const PrintedText& t : job.texts) {
            if (isFooter(t)) {
                footers << t.text;
                QCOMPARE(t.text, QStringLiteral("- %1 -").arg(t.page));
                QVERIFY(qAbs(t.y - 10.0) < Tolerance);
                QVERIFY(qAbs(t.x + width(t.text) / 2 - 4.25) < Tolerance);
            } else {
                QVERIFY2(t.y + lineHeight <= 10.0 + Tolerance, qPrintable(t.text));
                QVERIFY(t.y >= 1.0 - Tolerance);
            }
        }
        QCOMPARE(footers, (QStringList{"- 1 -", "- 2 -", "- 3 -"}));
        QCOMPARE(job.texts.size(), 133);
        QCOMPARE(pdfPageCount(job.pdf), 3);
    }

    void longLinesWrapAtTheRightMargin() {
        QString paragraph;
        for (int i = 0; i < 60; ++i)
            paragraph += QStringLiteral("word%1 ").arg(i);
        paragraph.chop(1);
        const PrintJob& job = print({record(paragraph)});
        QVERIFY(job.texts.size() > 2);
        QCOMPARE(job.textStrings().join(QString()), paragraph);
        for (int i = 0; i < job.texts.size(); ++i) {
            const PrintedText& t = job.texts[i];
            QCOMPARE(t.x, 1.0);
            QVERIFY(width(t.text) <= 6.5);
            if (i + 1 < job.texts.size()) { // the next word would not have fitted
                const QString next = job.texts[i + 1].text.section(QLatin1Char(' '), 0, 0);
                QVERIFY(width(t.text + next) > 6.5);
            }
        }
    }

    void aWordWiderThanTheLineStandsAlone() {
        const QString giant(120, QLatin1Char('W'));
        const PrintJob& job = print(
            {record(QStringLiteral("before ") + giant + QStringLiteral(" after") + CrLf + giant)});
        // The line before the giant is printed even when empty.
        QCOMPARE(job.textStrings(),
                 (QStringList{"before ", giant + QLatin1Char(' '), "after", QString(), giant}));
        QVERIFY(width(giant) > 6.5);
        QCOMPARE(job.texts.last().x, 1.0);
    }

    void lineBreaksEndLinesOnce() {
        const PrintJob& job =
            print({record(QStringLiteral("a") + CrLf + CrLf + QStringLiteral("b") + CrLf),
                   record("c\rd\ne\r"), record(QString())});
        // Two CR LF give a blank line; a final break none; a lone CR or LF breaks and
        // swallows nothing; an empty text prints nothing.
        QCOMPARE(job.textStrings(), (QStringList{"a", QString(), "b", "c", "d", "e"}));
    }

    void lineCodesPlaceTheLastPieceOfALine() {
        const QString title = "Vellagon Clients";
        const PrintJob& job =
            print({record(title + CrLf, ":>01"), record("middle", ":>02"), record("top", ":>03"),
                   record("odd", ":>99"), record("plain", "01")});
        QCOMPARE(job.texts.size(), 5);
        // Centring measures the line printed, also when the text ends with CR LF.
        QVERIFY(qAbs(job.texts[0].x - (4.25 - width(title) / 2)) < Tolerance);
        QCOMPARE(job.texts[0].y, 1.0);
        QCOMPARE(job.texts[1].x, 4.25);
        QVERIFY(qAbs(job.texts[2].x - (4.25 - width("top") / 2)) < Tolerance);
        QCOMPARE(job.texts[2].y, 0.5);
        QCOMPARE(job.texts[3].x, 1.0);
        QCOMPARE(job.texts[4].x, 1.0);
    }

    void marginsAlreadySetStay() {
        gsngLeftMargin = 1.5f;
        gsngTopMargin = 2.0f;
        const PrintJob& job = print({record("x")});
        QCOMPARE(job.texts[0].x, 1.5);
        QCOMPARE(job.texts[0].y, 2.0);
        QCOMPARE(gsngLeftMargin, 1.5f);
        QCOMPARE(gsngBottomMargin, 1.0f);
    }

    // Callers leave SpaceNeeded empty: wrapped pieces must still break the page before the
    // footer line instead of running into it.
    void wrappedLinesNeverReachTheFooter() {
        QString text;
        for (int p = 0; p < 40; ++p) {
            for (int i = 0; i < 50; ++i)
                text += QStringLiteral("item%1 ").arg(i);
            text += CrLf;
        }
        const PrintJob& job = print({record(text)});
        QVERIFY(job.pageCount > 2);
        for (const PrintedText& t : job.texts)
            if (!isFooter(t))
                QVERIFY2(t.y + lineHeight <= 10.0 + Tolerance,
                         qPrintable(QStringLiteral("page %1 y %2").arg(t.page).arg(t.y)));
    }

    void anErrorEndsTheJobWithOneMessage() {
        ScriptedDialogs dialogs;
        PrintLine bad = record("one\r\ntwo");
        bad.FontSize = "big";
        PrintLine badSpace = record("three");
        badSpace.SpaceNeeded = "lots";
        print({record("fine"), bad, badSpace});
        QCOMPARE(dialogs.messages(), QStringList{"Type mismatch in PrintTextArray function"});
        QCOMPARE(dialogs.last()->title, Dialogs::programTitle());
        QVERIFY(m_recorder->lastJob().aborted);
        QVERIFY(!m_recorder->lastJob().ended);
    }

    void anEmptyArrayOrACancelledDialogPrintsNothing() {
        ScriptedDialogs dialogs;
        gPrintLines.clear();
        PrintTextArray(gPrintLines);
        QCOMPARE(dialogs.messages(),
                 QStringList{"Subscript out of range in PrintTextArray function"});
        m_recorder->cancelNext();
        gPrintLines = {record("x")};
        PrintTextArray(gPrintLines); // cancelled by the user: nothing said
        QVERIFY(m_recorder->jobs().isEmpty());
        QCOMPARE(dialogs.messages().size(), 1);
    }

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

VELLAGON_WINDOW_TEST_MAIN(TestPrinting)
#include "test_printing.moc"

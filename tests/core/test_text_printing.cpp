#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "core/SharedState.h"
#include "core/TextPrinting.h"

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

} // namespace

class TestTextPrinting : public QObject {
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
};

VELLAGON_TEST_MAIN(TestTextPrinting)
#include "test_text_printing.moc"

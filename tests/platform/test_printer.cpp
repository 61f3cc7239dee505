#include "Fixtures.h"
#include "PrintRecorder.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/reporting/Printer.h"
#include "platform/reporting/RecordingPrinter.h"

#include <QFileInfo>

class TestPrinter : public QObject {
    Q_OBJECT

    QString m_folder;

    static std::unique_ptr<Printer> recording(const std::shared_ptr<PrintJob>& job,
                                              double borderTwips = 0) {
        PdfDevice::Options options;
        options.borderTwips = QMarginsF(borderTwips, borderTwips, borderTwips, borderTwips);
        return recordingPrinter(job, options);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_folder = TestSupport::newFolder();
    }

    void unitsMovesAndMeasures() {
        auto job = std::make_shared<PrintJob>();
        auto printer = recording(job, 360);
        printer->setUnit(Printer::Unit::Points);
        QCOMPARE(printer->paperWidth(), 612.0);
        printer->setUnit(Printer::Unit::Inches);
        QCOMPARE(printer->printableHeight(), 10.5);
        QCOMPARE(printer->physicalOffsetX(), 0.25);
        printer->setFontName("Times New Roman");
        printer->setFontSize(12);
        const double line = printer->textHeight("Ag");
        QCOMPARE(printer->textHeight("one\r\ntwo"), 2 * line);
        QCOMPARE(printer->textWidth("ab\r\nVellagon Report"),
                 printer->textWidth("Vellagon Report"));
        QVERIFY_THROWS_EXCEPTION(AppError, printer->setFontSize(0));

        // Printing a line moves to the left edge of the next; drawing does not move.
        printer->setCurrentX(1.5);
        printer->setCurrentY(2);
        printer->print("first");
        QCOMPARE(printer->currentX(), 0.0);
        QCOMPARE(printer->currentY(), 2 + line);
        printer->drawText(3, 4, "placed");
        QCOMPARE(printer->currentY(), 2 + line);
        printer->endDoc();
        QCOMPARE(job->texts.size(), 2);
        QCOMPARE(job->texts[0].x, 1.5);
        QCOMPARE(job->texts[0].yTwips, 2880.0);
    }

    void pagesAreCountedAndEndedIntoAPdf() {
        const QString path = m_folder + "/pages.pdf";
        auto printer = Printer::pdfFile(path, "Pages");
        printer->setUnit(Printer::Unit::Inches);
        QCOMPARE(printer->page(), 1);
        printer->setCurrentY(3);
        printer->print("one");
        printer->newPage();
        QCOMPARE(printer->page(), 2);
        QCOMPARE(printer->currentY(), 0.0);
        printer->print("two");
        QVERIFY(!QFileInfo::exists(path)); // nothing is in place before the end
        printer->endDoc();
        QCOMPARE(pdfPageCount(Fixtures::readFile(path)), 2);
        QVERIFY_THROWS_EXCEPTION(AppError, printer->print("late"));
    }

    void anAbortedJobLeavesAnEarlierFileAsItWas() {
        const QString path = Fixtures::writeFile(m_folder + "/old.pdf", "old");
        {
            auto printer = Printer::pdfFile(path, "Old");
            printer->print("half a job");
            // dropped without endDoc, as when an error ends printing
        }
        QCOMPARE(Fixtures::readFile(path), QByteArray("old"));
        auto printer = Printer::pdfFile(path, "Old");
        printer->abort();
        QCOMPARE(Fixtures::readFile(path), QByteArray("old"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{"old.pdf"});
    }

    void withoutPrintersThePagesGoToAPdfFileTheUserNames() {
        ScriptedDialogs dialogs;
        const QString path = m_folder + "/list.pdf";
        dialogs.answerFile(path);
        auto printer = Printer::userChoice("Vellagons", false);
        QCOMPARE(dialogs.messages(), QStringList{"No printer is installed on this computer. The "
                                                 "pages will be saved as a PDF file."});
        printer->print("Smith, John");
        printer->endDoc();
        QCOMPARE(pdfPageCount(Fixtures::readFile(path)), 1);

        dialogs.cancelFile(); // no file named: no job
        try {
            Printer::userChoice("Vellagons", false);
            QFAIL("no cancel");
        } catch (const AppError& e) {
            QVERIFY(e.isCancel());
        }
    }
};

VELLAGON_TEST_MAIN(TestPrinter)
#include "test_printer.moc"

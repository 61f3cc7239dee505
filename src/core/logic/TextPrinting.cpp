#include "TextPrinting.h"

#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/data/LineBreaks.h"
#include "platform/reporting/Printer.h"

#include <QLocale>
#include <memory>

namespace {

constexpr int SubscriptOutOfRange = 9;

// Font sizes are kept as the decimal text the font dialog gave ("12", "8.25").
double fontSizeOf(const QString& text) {
    bool ok = false;
    const double size = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch"));
    return size;
}

double inchesOf(const QVariant& value) {
    if (value.isNull() || (value.typeId() == QMetaType::QString && value.toString().isEmpty()))
        return 0;
    bool ok = false;
    const double inches = value.typeId() == QMetaType::QString
                              ? QLocale::c().toDouble(value.toString().trimmed(), &ok)
                              : value.toDouble(&ok);
    if (!ok)
        throw AppError(AppError::TypeMismatch, QStringLiteral("Type mismatch"));
    return inches;
}

class TextPrintJob {
public:
    explicit TextPrintJob(Printer& printer)
        : m_printer(printer), m_bottomLimit(printer.printableHeight() - gsngBottomMargin),
          m_lineWidth(printer.printableWidth() - (gsngLeftMargin + gsngRightMargin)) {}

    void printRecord(const PrintLine& record) {
        m_printer.setFontName(record.FontName);
        m_printer.setFontSize(fontSizeOf(record.FontSize));
        const QString code = record.LineCode;
        const double spaceNeeded = inchesOf(record.SpaceNeeded);
        for (const QString& line : LineBreaks::lines(record.Text))
            printLine(line, code, spaceNeeded);
    }

    // A job longer than one page carries the footer on its last page too.
    void finish() {
        if (m_printer.page() != 1)
            printFooter();
    }

private:
    void printLine(const QString& line, const QString& code, double spaceNeeded) {
        gstrWrapBuffer = line;
        QString building;
        SplitFirstWord();
        QString word = gstrWrapWord;
        while (!word.isEmpty()) {
            const QString trial = building + word;
            if (m_printer.textWidth(trial) > m_lineWidth) {
                // A wrapped line needs at least its own height above the footer.
                const double needed = std::max(spaceNeeded, m_printer.textHeight(building));
                if (pageFull(m_printer.currentY() + needed))
                    breakPage();
                m_printer.setCurrentX(gsngLeftMargin);
                m_printer.print(building);
                building = word;
            } else {
                building = trial;
            }
            SplitFirstWord();
            word = gstrWrapWord;
        }

        const double x = startOf(building, code);
        if (pageFull(m_printer.currentY() + m_printer.textHeight(building))) {
            printFooter();
            m_printer.newPage();
            m_printer.setCurrentX(x);
            m_printer.setCurrentY(gsngTopMargin);
            m_printer.print(building);
        } else {
            m_printer.setCurrentX(x);
            m_printer.print(building);
        }
    }

    // Where the last piece of a line starts; centring measures that piece itself.
    double startOf(const QString& piece, const QString& code) {
        if (!code.startsWith(QLatin1String(":>")))
            return gsngLeftMargin;
        const QString selector = code.mid(2, 2);
        const double middle = m_printer.printableWidth() / 2;
        if (selector == QLatin1String("01"))
            return middle - m_printer.textWidth(piece) / 2;
        if (selector == QLatin1String("02"))
            return middle;
        if (selector == QLatin1String("03")) {
            m_printer.setCurrentY(0.5);
            return middle - m_printer.textWidth(piece) / 2;
        }
        return gsngLeftMargin;
    }

    bool pageFull(double bottom) const { return bottom > m_bottomLimit; }

    void breakPage() {
        printFooter();
        m_printer.newPage();
        m_printer.setCurrentY(gsngTopMargin);
    }

    void printFooter() {
        m_printer.setCurrentY(m_bottomLimit);
        const QString footer = QStringLiteral("- %1 -").arg(m_printer.page());
        m_printer.setCurrentX(m_printer.printableWidth() / 2 - m_printer.textWidth(footer) / 2);
        m_printer.print(footer);
    }

    Printer& m_printer;
    const double m_bottomLimit;
    const double m_lineWidth;
};

} // namespace

void SplitFirstWord() {
    const qsizetype blank = gstrWrapBuffer.indexOf(QLatin1Char(' '));
    if (blank >= 0) {
        gstrWrapWord = gstrWrapBuffer.left(blank + 1);
        gstrWrapBuffer = gstrWrapBuffer.mid(blank + 1);
    } else {
        gstrWrapWord = gstrWrapBuffer;
        gstrWrapBuffer.clear();
    }
}

void PrintTextArray(QList<PrintLine>& printLines) {
    try {
        for (float* margin : {&gsngTopMargin, &gsngLeftMargin, &gsngBottomMargin, &gsngRightMargin})
            if (*margin == 0.0f)
                *margin = 1.0f;
        if (printLines.isEmpty())
            throw AppError(SubscriptOutOfRange, QStringLiteral("Subscript out of range"));

        std::unique_ptr<Printer> printer;
        try {
            printer = Printer::open(Dialogs::programTitle());
        } catch (const AppError& e) {
            if (e.isCancel())
                return; // the user chose not to print
            throw;
        }
        printer->setUnit(Printer::Unit::Inches);
        printer->setCurrentY(gsngTopMargin);
        TextPrintJob job(*printer);
        for (const PrintLine& record : printLines)
            job.printRecord(record);
        job.finish();
        printer->endDoc();
    } catch (const AppError& e) {
        // The job is dropped: one message, nothing half printed.
        Dialogs::msgBox(e.description() + QStringLiteral(" in PrintTextArray function"));
    }
}

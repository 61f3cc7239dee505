#include "PrintRecorder.h"

#include "StandIns.h"
#include "platform/data/AppError.h"

#include <QRegularExpression>

namespace {

void installPrinter(PrintRecorder* recorder) {
    if (!recorder) {
        Printer::setFactory({});
        return;
    }
    Printer::setFactory(
        [recorder](const QString& documentName) { return recorder->open(documentName); });
}

void installReport(ReportRecorder* recorder) {
    if (!recorder) {
        Report::setShowHook({});
        return;
    }
    Report::setShowHook([recorder](Report& report) { recorder->record(report); });
}

} // namespace

PrintRecorder::PrintRecorder() {
    StandIns<PrintRecorder>::add(this, installPrinter);
}

PrintRecorder::~PrintRecorder() {
    StandIns<PrintRecorder>::remove(this, installPrinter);
}

std::unique_ptr<Printer> PrintRecorder::open(const QString& documentName) {
    if (m_cancelNext) {
        m_cancelNext = false;
        throw AppError::cancelled();
    }
    auto job = std::make_shared<PrintJob>();
    job->documentName = documentName;
    m_jobs << job;
    return recordingPrinter(job, m_options);
}

ReportRecorder::ReportRecorder() {
    StandIns<ReportRecorder>::add(this, installReport);
}

ReportRecorder::~ReportRecorder() {
    StandIns<ReportRecorder>::remove(this, installReport);
}

void ReportRecorder::record(Report& report) {
    Shown shown;
    shown.caption = report.caption();
    ReportDocument& document = report.document();
    for (int i = 0; i < document.pageCount(); ++i)
        shown.pages << document.page(i);
    m_shown << shown;
}

int pdfPageCount(const QByteArray& pdf) {
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

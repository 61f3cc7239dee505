#include "PrintRecorder.h"

#include "platform/data/AppError.h"

#include <QRegularExpression>

PrintRecorder::PrintRecorder() {
    Printer::setFactory([this](const QString& documentName) -> std::unique_ptr<Printer> {
        if (m_cancelNext) {
            m_cancelNext = false;
            throw AppError::cancelled();
        }
        auto job = std::make_shared<PrintJob>();
        job->documentName = documentName;
        m_jobs << job;
        return recordingPrinter(job, m_options);
    });
}

PrintRecorder::~PrintRecorder() {
    Printer::setFactory({});
}

ReportRecorder::ReportRecorder() {
    Report::setShowHook([this](Report& report) {
        Shown shown;
        shown.caption = report.caption();
        ReportDocument& document = report.document();
        for (int i = 0; i < document.pageCount(); ++i)
            shown.pages << document.page(i);
        m_shown << shown;
    });
}

ReportRecorder::~ReportRecorder() {
    Report::setShowHook({});
}

int pdfPageCount(const QByteArray& pdf) {
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return 0;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return int(QString::fromLatin1(pdf).count(page));
}

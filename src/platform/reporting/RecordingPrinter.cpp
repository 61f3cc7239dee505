#include "RecordingPrinter.h"

QList<PrintedText> PrintJob::textsOnPage(int page) const {
    QList<PrintedText> result;
    for (const PrintedText& t : texts)
        if (t.page == page)
            result << t;
    return result;
}

QStringList PrintJob::textStrings(int page) const {
    QStringList result;
    for (const PrintedText& t : texts)
        if (page == 0 || t.page == page)
            result << t.text;
    return result;
}

RecordingDevice::RecordingDevice(std::shared_ptr<PrintJob> job, const Options& options)
    : PdfDevice(options), m_job(std::move(job)) {
}

void RecordingDevice::textDrawn(const PrintedText& text) {
    m_job->texts << text;
}

void RecordingDevice::documentPageDrawn(const PrintedDocumentPage& page) {
    m_job->documentPages << page;
}

void RecordingDevice::lineDrawn(int page, const QLineF& twips) {
    m_job->lines << PrintJob::Line{page, twips};
}

void RecordingDevice::jobEnded(int pages, bool aborted) {
    m_job->pageCount = pages;
    m_job->ended = !aborted;
    m_job->aborted = aborted;
    m_job->pdf = bytes();
}

std::unique_ptr<Printer> recordingPrinter(const std::shared_ptr<PrintJob>& job,
                                          const PdfDevice::Options& options) {
    PdfDevice::Options o = options;
    if (o.title.isEmpty())
        o.title = job->documentName;
    return std::make_unique<Printer>(std::make_unique<RecordingDevice>(job, o), job->documentName);
}

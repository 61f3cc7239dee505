#pragma once

#include "PrintBackends.h"
#include "Printer.h"

#include <QByteArray>
#include <QLineF>
#include <QList>
#include <memory>

// Everything one print job drew, as a recording printer keeps it for tests.
struct PrintJob {
    struct Line {
        int page = 0;
        QLineF twips;
    };
    QString documentName;
    QList<PrintedText> texts;
    QList<PrintedDocumentPage> documentPages;
    QList<Line> lines;
    int pageCount = 0;
    bool ended = false;   // the document was ended (sent)
    bool aborted = false; // the job was dropped
    QByteArray pdf;       // the same pages as a PDF document

    QList<PrintedText> textsOnPage(int page) const;
    // The texts of one page (all pages when page is 0), in the order drawn.
    QStringList textStrings(int page = 0) const;
};

// A PDF back-end that also records every text, line and rich-text page it draws.
class RecordingDevice : public PdfDevice {
public:
    RecordingDevice(std::shared_ptr<PrintJob> job, const Options& options);
    void textDrawn(const PrintedText& text) override;
    void documentPageDrawn(const PrintedDocumentPage& page) override;
    void lineDrawn(int page, const QLineF& twips) override;
    void jobEnded(int pages, bool aborted) override;

private:
    std::shared_ptr<PrintJob> m_job;
};

// A printer that records into job (and writes options.path as a PDF when it is given).
std::unique_ptr<Printer> recordingPrinter(const std::shared_ptr<PrintJob>& job,
                                          const PdfDevice::Options& options = {});

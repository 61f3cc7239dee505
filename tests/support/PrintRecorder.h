#pragma once

#include "platform/reporting/RecordingPrinter.h"
#include "platform/reporting/Report.h"

#include <QList>
#include <memory>

// While it lives (the one made last of those alive), every print job the program opens goes to
// a recording printer (US Letter, no unprintable border unless options say otherwise) and is
// kept here.
class PrintRecorder {
public:
    PrintRecorder();
    ~PrintRecorder();
    PrintRecorder(const PrintRecorder&) = delete;
    PrintRecorder& operator=(const PrintRecorder&) = delete;

    // Settings of the jobs opened from now on (a path also writes each job to that PDF file).
    PdfDevice::Options& options() { return m_options; }
    // The next job is cancelled by the user instead of opened.
    void cancelNext() { m_cancelNext = true; }

    const QList<std::shared_ptr<PrintJob>>& jobs() const { return m_jobs; }
    const PrintJob& lastJob() const { return *m_jobs.last(); }

    // A job the program opens.
    std::unique_ptr<Printer> open(const QString& documentName);

private:
    PdfDevice::Options m_options;
    bool m_cancelNext = false;
    QList<std::shared_ptr<PrintJob>> m_jobs;
};

// While it lives (the one made last of those alive), Report::show() records the report laid
// out instead of opening its window.
class ReportRecorder {
public:
    struct Shown {
        QString caption;
        QList<ReportPage> pages;
    };
    ReportRecorder();
    ~ReportRecorder();
    ReportRecorder(const ReportRecorder&) = delete;
    ReportRecorder& operator=(const ReportRecorder&) = delete;

    const QList<Shown>& shown() const { return m_shown; }

    // A report the program shows.
    void record(Report& report);

private:
    QList<Shown> m_shown;
};

// The number of pages of a PDF document (0 when it is no PDF document).
int pdfPageCount(const QByteArray& pdf);

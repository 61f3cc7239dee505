#pragma once

#include "ReportDocument.h"
#include "ReportLayout.h"

#include <functional>
#include <memory>

class ReportRecordSource;

// The report runtime: a layout filled from a record source, shown modally in a preview from
// which it can be printed or saved as a PDF file.
class Report {
public:
    explicit Report(const ReportLayout& layout);
    virtual ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    QString caption() const { return m_layout.caption; }
    ReportLayout& layout() { return m_layout; }
    // A section by name ("Section1" ... "Section5"), for captions and fonts set before showing.
    ReportSection& section(const QString& name) { return m_layout.section(name); }

    // The records; nullptr leaves the report without records.
    void setDataSource(std::shared_ptr<const ReportRecordSource> source);
    std::shared_ptr<const ReportRecordSource> dataSource() const { return m_source; }
    // Drops the pages laid out so far; the next use lays the report out anew.
    void refresh();
    // The pages, laid out lazily from the layout and the records as they stand.
    ReportDocument& document();

    // Shows the preview modally (or hands the report to the installed show hook) and returns
    // when it is closed. The report is laid out anew.
    void show();
    // Prints every page on a printer obtained from Printer::open(). A cancelled print dialog
    // returns quietly; other failures throw AppError.
    void printOut();
    // Writes every page to a PDF file.
    void saveAsPdf(const QString& path);

    // What show() does instead of opening the window (tests). An empty hook puts the window back.
    using ShowHook = std::function<void(Report&)>;
    static void setShowHook(ShowHook hook);
    // The window: the windows' own preview, shown modally, installed at start-up. Without a hook
    // or a preview, showing a report is a fault of the program, which stops it.
    static void setPreview(ShowHook preview);

private:
    ReportLayout m_layout;
    std::shared_ptr<const ReportRecordSource> m_source;
    std::unique_ptr<ReportDocument> m_document;
};

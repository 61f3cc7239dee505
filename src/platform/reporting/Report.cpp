#include "Report.h"

#include "Printer.h"
#include "ReportData.h"
#include "ReportRendering.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"

namespace {

Report::ShowHook& showHook() {
    static Report::ShowHook hook;
    return hook;
}

Report::ShowHook& preview() {
    static Report::ShowHook window;
    return window;
}

} // namespace

Report::Report(const ReportLayout& layout) : m_layout(layout) {
}

Report::~Report() = default;

void Report::setDataSource(std::shared_ptr<const ReportRecordSource> source) {
    m_source = std::move(source);
    refresh();
}

void Report::refresh() {
    m_document.reset();
}

ReportDocument& Report::document() {
    if (!m_document)
        m_document = std::make_unique<ReportDocument>(m_layout, m_source);
    return *m_document;
}

void Report::show() {
    refresh();
    if (showHook()) {
        showHook()(*this);
        return;
    }
    if (!preview())
        qFatal("A report was shown with neither a show hook nor the windows' preview installed");
    preview()(*this);
}

void Report::printOut() {
    std::unique_ptr<Printer> printer;
    try {
        printer = Printer::open(caption());
    } catch (const AppError& e) {
        if (e.isCancel())
            return;
        throw;
    }
    BusyCursor busy;
    ReportRendering::print(document(), *printer);
}

void Report::saveAsPdf(const QString& path) {
    BusyCursor busy;
    std::unique_ptr<Printer> printer = Printer::pdfFile(path, caption());
    ReportRendering::print(document(), *printer);
}

void Report::setShowHook(ShowHook hook) {
    showHook() = std::move(hook);
}

void Report::setPreview(ShowHook window) {
    preview() = std::move(window);
}

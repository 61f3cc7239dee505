#pragma once

#include <QImage>

class Printer;
class ReportDocument;
struct ReportPage;

// Draws laid-out report pages: the same pages go to the preview, a printer and a PDF file.
namespace ReportRendering {

// Draws one page on the printer's current page.
void drawPage(Printer& printer, const ReportPage& page);
// Draws every page, one sheet each, and ends the document.
void print(ReportDocument& document, Printer& printer);
// One page as an image at the given resolution (the preview).
QImage pageImage(ReportDocument& document, int index, int dotsPerInch);

} // namespace ReportRendering

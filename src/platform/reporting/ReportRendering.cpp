#include "ReportRendering.h"

#include "PrintBackends.h"
#include "Printer.h"
#include "ReportDocument.h"

namespace ReportRendering {

void drawPage(Printer& printer, const ReportPage& page) {
    printer.setUnit(Printer::Unit::Twips);
    // Page positions count from the paper's edge; the printer draws from its printable area.
    const double offsetX = printer.physicalOffsetX();
    const double offsetY = printer.physicalOffsetY();
    for (const PlacedText& t : page.texts) {
        if (t.lines.isEmpty())
            continue;
        printer.setFontName(t.font.name);
        printer.setFontSize(t.font.size);
        printer.setFontBold(t.font.bold);
        printer.setFontItalic(t.font.italic);
        printer.setFontUnderline(t.font.underline);
        for (int k = 0; k < t.lines.size(); ++k)
            if (!t.lines[k].isEmpty())
                printer.drawText(t.lineX[k] - offsetX, t.lineTop(k) - offsetY, t.lines[k]);
    }
    for (const PlacedLine& l : page.lines)
        printer.drawLine(l.twips.x1() - offsetX, l.twips.y1() - offsetY, l.twips.x2() - offsetX,
                         l.twips.y2() - offsetY);
}

void print(ReportDocument& document, Printer& printer) {
    const int pages = document.pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            printer.newPage();
        drawPage(printer, document.page(i));
    }
    printer.endDoc();
}

QImage pageImage(ReportDocument& document, int index, int dotsPerInch) {
    auto device = std::make_unique<ImageDevice>(document.layout().paperTwips, dotsPerInch);
    ImageDevice* image = device.get();
    Printer printer(std::move(device), document.layout().caption);
    drawPage(printer, document.page(index));
    printer.endDoc();
    return image->image();
}

} // namespace ReportRendering

#include "RichTextPrinting.h"

#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Dialogs.h"
#include "platform/reporting/Printer.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

struct LineBox {
    double top;
    double bottom;
    int position;
};

// Every laid-out line of the document, in device pixels, top to bottom.
std::vector<LineBox> lineBoxes(const QTextDocument& document) {
    std::vector<LineBox> boxes;
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextLayout* blockLayout = block.layout();
        if (!blockLayout)
            continue;
        const QRectF rect = layout->blockBoundingRect(block);
        const double origin = rect.top() - blockLayout->boundingRect().top();
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            const double top = origin + line.y();
            boxes.push_back({top, top + line.height(), block.position() + line.textStart()});
        }
    }
    std::stable_sort(boxes.begin(), boxes.end(),
                     [](const LineBox& a, const LineBox& b) { return a.top < b.top; });
    return boxes;
}

AppError noRoom() {
    return AppError(AppError::InvalidCall,
                    QStringLiteral("The page margins leave no room for a line of the text."));
}

QString plainText(QTextDocument& document, int from, int to) {
    QTextCursor cursor(&document);
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    return cursor.selection().toPlainText();
}

} // namespace

void PrintRTF(const QTextDocument& document, int leftMargin, int topMargin, int rightMargin,
              int bottomMargin) {
    std::unique_ptr<Printer> printer = Printer::open(Dialogs::programTitle());
    BusyCursor busy;
    printer->setUnit(Printer::Unit::Twips);

    // The margins count from the paper's edges; the printer draws from its printable area.
    const int leftOffset = qRound(printer->physicalOffsetX());
    const int topOffset = qRound(printer->physicalOffsetY());
    const QRectF rect(QPointF(leftMargin - leftOffset, topMargin - topOffset),
                      QPointF((printer->paperWidth() - rightMargin) - leftOffset,
                              (printer->paperHeight() - bottomMargin) - topOffset));
    if (rect.width() <= 0 || rect.height() <= 0)
        throw noRoom();

    // Parented to the original so that its images and other resources resolve.
    std::unique_ptr<QTextDocument> copy(document.clone(const_cast<QTextDocument*>(&document)));
    copy->documentLayout()->setPaintDevice(printer->metricsDevice());
    copy->setPageSize(QSizeF());
    copy->setDocumentMargin(0);
    copy->setTextWidth(rect.width() * printer->pixelsPerTwipX());

    const double pageHeight = rect.height() * printer->pixelsPerTwipY();
    // Margins that leave no room for a line of the box's text would print nothing but pages.
    if (QFontMetricsF(copy->defaultFont(), printer->metricsDevice()).lineSpacing() > pageHeight)
        throw noRoom();
    const std::vector<LineBox> boxes = lineBoxes(*copy);
    const int textLength = copy->characterCount() - 1;
    double documentBottom = 0;
    for (const LineBox& box : boxes)
        documentBottom = std::max(documentBottom, box.bottom);

    size_t next = 0; // the first line not yet printed
    double pageTop = 0;
    for (;;) {
        // The page ends above the first line that does not fit below pageTop; a line taller
        // than a page (a large picture) is cut at the margin and goes on over the next page.
        double pageEnd = std::numeric_limits<double>::infinity();
        for (size_t i = next; i < boxes.size(); ++i)
            if (boxes[i].bottom > pageTop + pageHeight)
                pageEnd = std::min(pageEnd, boxes[i].top);
        if (pageEnd <= pageTop)
            pageEnd = pageTop + pageHeight;
        const double pageBottom = std::min(pageEnd, pageTop + pageHeight);

        size_t after = next;
        int firstChar = next < boxes.size() ? boxes[next].position : textLength;
        while (after < boxes.size() && boxes[after].top < pageBottom)
            firstChar = std::min(firstChar, boxes[after++].position);
        int endChar = textLength;
        for (size_t i = after; i < boxes.size(); ++i)
            endChar = std::min(endChar, boxes[i].position);
        if (pageTop == 0)
            firstChar = 0;

        // The clip stops a hair short of the next page's first line, whose edge (a picture's
        // above all) may start a device pixel higher than its line.
        const double clipBottom = pageBottom - 3 * printer->pixelsPerTwipY();
        printer->drawDocumentPage(*copy, rect, pageTop, clipBottom, firstChar, endChar,
                                  plainText(*copy, firstChar, endChar));
        if (after >= boxes.size() && pageBottom >= documentBottom)
            break;
        printer->newPage();
        next = after;
        pageTop = pageBottom;
    }
    printer->endDoc();
}

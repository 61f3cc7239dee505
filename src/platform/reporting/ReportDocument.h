#pragma once

#include "ReportLayout.h"

#include <QLineF>
#include <QList>
#include <QRectF>
#include <QStringList>
#include <memory>

class ReportRecordSource;

// A text of a laid-out report page: the lines one control shows, placed on the sheet.
// Positions are twips from the paper's top left corner.
struct PlacedText {
    QString section;
    QString control;
    int row = -1; // the record shown, in the detail section
    QRectF rect;
    ReportFont font;
    Qt::AlignmentFlag alignment = Qt::AlignLeft;
    double lineHeight = 0;
    QStringList lines;   // as wrapped into the control's width
    QList<double> lineX; // left edge of each line
    bool needsPageTotal = false;

    QString text() const { return lines.join(QLatin1Char('\n')); }
    double lineTop(int line) const { return rect.top() + line * lineHeight; }
};

struct PlacedLine {
    QString section;
    QString control;
    QLineF twips;
};

struct ReportPage {
    int number = 0;
    QList<PlacedText> texts;
    QList<PlacedLine> lines;
    bool needsPageTotal = false;

    // The texts of one control on this page, in order.
    QList<PlacedText> textsOf(const QString& control) const;
};

// A report laid out into pages, lazily: pages are made in order as they are asked for, so the
// first page is ready long before the last. Detail blocks are kept whole on a page when they
// fit on one; a taller block is split between lines. No block reaches into the page footer.
class ReportDocument {
public:
    ReportDocument(const ReportLayout& layout, std::shared_ptr<const ReportRecordSource> data);
    ~ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    const ReportLayout& layout() const;
    // Lays out one more page; false once every page is laid out.
    bool layOutNextPage();
    void layOutAll();
    bool isComplete() const;
    int pagesLaidOut() const;
    // The number of pages (lays out every page).
    int pageCount();
    // Page index (from 0), laid out as far as needed; a page that shows the number of pages
    // waits for the whole layout. index must be below pageCount().
    const ReportPage& page(int index);
    // Whether page index exists (lays out as far as needed).
    bool hasPage(int index);

    // Wraps a text into lines that fit a width (twips), with the device metrics of the layout:
    // CR LF, CR and LF each break a line once.
    QStringList wrap(const QString& text, const ReportFont& font, double width) const;
    double textWidth(const QString& text, const ReportFont& font) const;

private:
    class Engine;
    std::unique_ptr<Engine> d;
};

#include "ReportDocument.h"

#include "ReportData.h"
#include "platform/data/AppError.h"
#include "platform/data/Currency.h"
#include "platform/data/VbFormat.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHash>
#include <QPdfWriter>
#include <QTextLayout>
#include <cmath>
#include <deque>
#include <map>
#include <optional>
#include <vector>

namespace {

// Pages are measured on a PDF device of this resolution, so that the layout is the one that a
// printer or a PDF file shows.
constexpr int MetricsResolution = 1200;
constexpr double PixelsPerTwip = MetricsResolution / 1440.0;
constexpr double Epsilon = 0.01;
constexpr int InvalidUse = 5;

QStringList paragraphsOf(const QString& text) {
    QStringList result;
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        result << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    result << text.mid(start);
    return result;
}

QString fontKey(const ReportFont& f) {
    return QStringLiteral("%1|%2|%3%4%5")
        .arg(f.name)
        .arg(f.size)
        .arg(int(f.bold))
        .arg(int(f.italic))
        .arg(int(f.underline));
}

// A value shown by a bound field: through its format, else as the value converts to text.
QString fieldText(const QVariant& value, const ReportControl& c) {
    if (value.isNull())
        return {};
    if (!c.format.isEmpty())
        return VbFormat::format(value, c.format);
    if (c.dateColumn && value.typeId() == QMetaType::QString) {
        if (const auto date = VbFormat::parseDate(value.toString()))
            return VbFormat::cstr(QVariant(*date));
    }
    return VbFormat::cstr(value);
}

} // namespace

QList<PlacedText> ReportPage::textsOf(const QString& control) const {
    QList<PlacedText> result;
    for (const PlacedText& t : texts)
        if (t.control.compare(control, Qt::CaseInsensitive) == 0)
            result << t;
    return result;
}

class ReportDocument::Engine {
public:
    struct Metrics {
        QFont font;
        QFontMetricsF metrics;
        double lineHeight; // twips
        mutable QHash<QString, double> widths;
        mutable std::vector<double> latinWidths = std::vector<double>(0x300, -1.0);
    };

    struct ControlInfo {
        const ReportControl* control = nullptr;
        const Metrics* metrics = nullptr;
        int column = -1;
        bool hasPageNumber = false;
        bool hasPageTotal = false;
        QString fixedText; // a function's total
        std::optional<std::pair<QStringList, QList<double>>> cached;
        std::vector<int> above; // controls that start above this one's top
    };

    struct SectionInfo {
        const ReportSection* section = nullptr;
        std::vector<ControlInfo> controls; // by top
    };

    struct Block {
        double height = 0;
        QList<PlacedText> texts;
        QList<PlacedLine> lines;
    };

    struct PendingTotal {
        int page;
        int text;
        QString source;
        double width;
    };

    Engine(const ReportLayout& l, std::shared_ptr<const ReportRecordSource> source)
        : layout(l), data(std::move(source)), device(&buffer) {
        buffer.open(QIODevice::WriteOnly);
        device.setResolution(MetricsResolution);
        rows = data ? data->rowCount() : 0;
        header = prepare(layout.reportHeader());
        pageHeader = prepare(layout.pageHeader());
        detail = prepare(layout.detail());
        pageFooter = prepare(layout.pageFooter());
        footer = prepare(layout.reportFooter());
    }

    const Metrics& metricsOf(const ReportFont& f) const {
        const QString key = fontKey(f);
        auto it = fonts.find(key);
        if (it == fonts.end()) {
            QFont font(f.name);
            font.setPointSizeF(f.size);
            font.setBold(f.bold);
            font.setItalic(f.italic);
            font.setUnderline(f.underline);
            QFontMetricsF metrics(font, const_cast<QPdfWriter*>(&device));
            auto m = std::make_unique<Metrics>(
                Metrics{font, metrics, metrics.lineSpacing() / PixelsPerTwip, {}});
            it = fonts.emplace(key, std::move(m)).first;
        }
        return *it->second;
    }

    SectionInfo prepare(const ReportSection& section) {
        SectionInfo info;
        info.section = &section;
        for (const ReportControl& c : section.controls()) {
            ControlInfo ci;
            ci.control = &c;
            ci.metrics = &metricsOf(c.font);
            if (c.kind == ReportControl::Kind::Label) {
                ci.hasPageNumber = c.caption.contains(QLatin1String("%p"));
                ci.hasPageTotal = c.caption.contains(QLatin1String("%P"));
            } else if (c.kind != ReportControl::Kind::Line && data) {
                ci.column = data->columnIndex(c.dataField);
                if (ci.column < 0 && rows > 0)
                    throw AppError(
                        InvalidUse,
                        QStringLiteral("The report's data has no column %1.").arg(c.dataField));
            }
            if (c.kind == ReportControl::Kind::Function) {
                const QVariant sum = QVariant::fromValue(
                    ci.column >= 0 ? columnTotal(*data, ci.column) : Currency());
                ci.fixedText =
                    c.format.isEmpty() ? VbFormat::cstr(sum) : VbFormat::format(sum, c.format);
            }
            info.controls.push_back(std::move(ci));
        }
        std::stable_sort(info.controls.begin(), info.controls.end(),
                         [](const ControlInfo& a, const ControlInfo& b) {
                             return a.control->top < b.control->top;
                         });
        for (size_t i = 0; i < info.controls.size(); ++i)
            for (size_t j = 0; j < i; ++j)
                if (info.controls[j].control->top < info.controls[i].control->top)
                    info.controls[i].above.push_back(int(j));
        return info;
    }

    // The width of a text in device pixels. Words and values recur (the same words in the
    // notes, the same client in many logs), so each is measured once per font.
    double advance(const Metrics& m, QStringView text) const {
        const QString key = text.toString();
        auto it = m.widths.constFind(key);
        if (it != m.widths.constEnd())
            return *it;
        if (m.widths.size() > 200000)
            m.widths.clear();
        const double width = m.metrics.horizontalAdvance(key);
        m.widths.insert(key, width);
        return width;
    }

    // The width of a word for wrapping: Latin text adds up the widths of its letters (kerning
    // only narrows a word, so the line never comes out wider than measured); other scripts
    // are measured whole.
    double wordWidth(const Metrics& m, QStringView word) const {
        double sum = 0;
        for (const QChar c : word) {
            const char16_t u = c.unicode();
            if (u >= m.latinWidths.size())
                return advance(m, word);
            double& w = m.latinWidths[u];
            if (w < 0)
                w = m.metrics.horizontalAdvance(c);
            sum += w;
        }
        return sum;
    }

    // Qt's line breaker, for a word wider than the line: it is broken anywhere.
    QStringList breakAnywhere(const QString& word, const Metrics& m, double widthPx) const {
        QStringList pieces;
        QTextLayout layout(word, m.font, const_cast<QPdfWriter*>(&device));
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(widthPx);
            pieces << word.mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        return pieces;
    }

    // Word wrap of one paragraph at its blanks: a line ends before the word that would cross
    // the width, and the blank at the break is dropped.
    void wrapParagraph(const QString& paragraph, const Metrics& m, double widthPx, int maxLines,
                       QStringList& lines) const {
        const double space = wordWidth(m, u" ");
        QString line;
        double lineWidth = 0;
        bool started = false; // the line holds a word (or the paragraph's leading blanks)
        bool afterBreak = false;
        const qsizetype n = paragraph.size();
        for (qsizetype pos = 0; pos <= n;) {
            qsizetype end = paragraph.indexOf(QLatin1Char(' '), pos);
            if (end < 0)
                end = n;
            const QStringView word = QStringView(paragraph).mid(pos, end - pos);
            pos = end + 1;
            if (word.isEmpty() && afterBreak)
                continue;
            const double w = word.isEmpty() ? 0.0 : wordWidth(m, word);
            if (started && lineWidth + space + w > widthPx) {
                lines << line;
                if (int(lines.size()) >= maxLines)
                    return;
                line.clear();
                lineWidth = 0;
                started = false;
                afterBreak = true;
                if (word.isEmpty())
                    continue;
            }
            afterBreak = false;
            if (w > widthPx) {
                QStringList pieces = breakAnywhere(word.toString(), m, widthPx);
                line = pieces.takeLast();
                lineWidth = wordWidth(m, line);
                for (const QString& piece : pieces) {
                    lines << piece;
                    if (int(lines.size()) >= maxLines)
                        return;
                }
            } else if (!started) {
                line = word.toString();
                lineWidth = w;
            } else {
                line += QLatin1Char(' ');
                line += word;
                lineWidth += space + w;
            }
            started = true;
        }
        lines << line;
    }

    QStringList wrap(const QString& text, const Metrics& m, double widthTwips, int maxLines) const {
        QStringList lines;
        if (text.isEmpty())
            return lines;
        const double widthPx = widthTwips * PixelsPerTwip;
        for (const QString& paragraph : paragraphsOf(text)) {
            if (int(lines.size()) >= maxLines)
                break;
            wrapParagraph(paragraph, m, widthPx, maxLines, lines);
        }
        return lines;
    }

    QList<double> lineStarts(const QStringList& lines, const Metrics& m, const ReportControl& c,
                             double left) const {
        QList<double> xs;
        xs.reserve(lines.size());
        for (const QString& line : lines) {
            if (c.alignment == Qt::AlignLeft) {
                xs << left;
                continue;
            }
            const double w = advance(m, line) / PixelsPerTwip;
            xs << (c.alignment == Qt::AlignRight ? left + c.width - w : left + (c.width - w) / 2);
        }
        return xs;
    }

    int maxLinesOf(const ControlInfo& ci) const {
        const ReportControl& c = *ci.control;
        if (c.canGrow)
            return std::numeric_limits<int>::max();
        return std::max(1, int(std::floor(c.height / ci.metrics->lineHeight + Epsilon)));
    }

    QString textOf(const ControlInfo& ci, int row, int page) const {
        const ReportControl& c = *ci.control;
        switch (c.kind) {
        case ReportControl::Kind::Label: {
            if (!ci.hasPageNumber)
                return c.caption;
            QString text = c.caption;
            return text.replace(QLatin1String("%p"), QString::number(page));
        }
        case ReportControl::Kind::Field:
            if (row < 0 || ci.column < 0)
                return {};
            return fieldText(data->value(row, ci.column), c);
        case ReportControl::Kind::Function:
            return ci.fixedText;
        case ReportControl::Kind::Line:
            break;
        }
        return {};
    }

    Block layOutSection(SectionInfo& info, int row, int page) {
        Block block;
        const size_t n = info.controls.size();
        std::vector<double> heights(n), growth(n), shift(n, 0.0);
        std::vector<QStringList> lines(n);
        std::vector<QList<double>> starts(n);
        for (size_t i = 0; i < n; ++i) {
            ControlInfo& ci = info.controls[i];
            const ReportControl& c = *ci.control;
            heights[i] = c.height;
            if (c.kind == ReportControl::Kind::Line)
                continue;
            const double left = layout.leftMargin + c.left;
            const bool fixed = c.kind == ReportControl::Kind::Function ||
                               (c.kind == ReportControl::Kind::Label && !ci.hasPageNumber);
            if (fixed && ci.cached) {
                lines[i] = ci.cached->first;
                starts[i] = ci.cached->second;
            } else {
                lines[i] = wrap(textOf(ci, row, page), *ci.metrics, c.width, maxLinesOf(ci));
                starts[i] = lineStarts(lines[i], *ci.metrics, c, left);
                if (fixed)
                    ci.cached.emplace(lines[i], starts[i]);
            }
            if (c.canGrow)
                heights[i] = std::max<double>(c.height, lines[i].size() * ci.metrics->lineHeight);
            growth[i] = heights[i] - c.height;
        }
        double extra = 0;
        for (size_t i = 0; i < n; ++i) {
            // A control that grows pushes down every control that starts below its top: one
            // that was wholly below it keeps its distance, one that started within its height
            // goes below the text that now fills it.
            const ReportControl& c = *info.controls[i].control;
            for (int j : info.controls[i].above) {
                const ReportControl& a = *info.controls[j].control;
                const double overlap =
                    growth[j] > 0 ? std::max(0.0, double(a.top + a.height - c.top)) : 0.0;
                shift[i] = std::max(shift[i], shift[j] + growth[j] + overlap);
            }
            extra = std::max(extra, shift[i] + growth[i]);
        }
        block.height = info.section->height() + extra;

        for (size_t i = 0; i < n; ++i) {
            const ControlInfo& ci = info.controls[i];
            const ReportControl& c = *ci.control;
            const double left = layout.leftMargin + c.left;
            const double top = c.top + shift[i];
            if (c.kind == ReportControl::Kind::Line) {
                block.lines << PlacedLine{info.section->name(), c.name,
                                          QLineF(left, top, left + c.width, top + c.height)};
                continue;
            }
            PlacedText t;
            t.section = info.section->name();
            t.control = c.name;
            t.row = row;
            t.rect = QRectF(left, top, c.width, heights[i]);
            t.font = c.font;
            t.alignment = c.alignment;
            t.lineHeight = ci.metrics->lineHeight;
            t.lines = std::move(lines[i]);
            t.lineX = std::move(starts[i]);
            t.needsPageTotal = ci.hasPageTotal;
            block.texts << std::move(t);
        }
        return block;
    }

    // Cuts block at or above cut between two lines of text: block keeps what follows, the
    // returned block what goes above. Nothing when no line fits above the cut, unless forced
    // (a fresh page must take something: a line taller than the page is then cut off).
    static std::optional<Block> split(Block& block, double available, bool forced) {
        double cut = available;
        for (bool changed = true; changed;) {
            changed = false;
            for (const PlacedText& t : block.texts)
                for (int k = 0; k < t.lines.size(); ++k) {
                    const double top = t.lineTop(k);
                    if (top < cut - Epsilon && top + t.lineHeight > cut + Epsilon) {
                        cut = top;
                        changed = true;
                    }
                }
        }
        if (cut <= Epsilon) {
            if (!forced)
                return std::nullopt;
            cut = available;
        }

        Block above;
        Block below;
        above.height = cut;
        below.height = block.height - cut;
        for (PlacedText& t : block.texts) {
            int keep = 0;
            while (keep < t.lines.size() && t.lineTop(keep) < cut - Epsilon)
                ++keep;
            if (t.rect.top() >= cut - Epsilon && keep == 0) {
                t.rect.translate(0, -cut);
                below.texts << std::move(t);
                continue;
            }
            if (keep == t.lines.size()) {
                if (t.rect.bottom() > cut)
                    t.rect.setBottom(cut);
                above.texts << std::move(t);
                continue;
            }
            PlacedText rest = t;
            const double restTop = t.lineTop(keep);
            rest.lines = t.lines.mid(keep);
            rest.lineX = t.lineX.mid(keep);
            rest.rect =
                QRectF(t.rect.left(), restTop - cut, t.rect.width(), t.rect.bottom() - restTop);
            t.lines = t.lines.mid(0, keep);
            t.lineX = t.lineX.mid(0, keep);
            t.rect.setBottom(cut);
            above.texts << std::move(t);
            below.texts << std::move(rest);
        }
        for (PlacedLine& l : block.lines) {
            if (std::min(l.twips.y1(), l.twips.y2()) < cut) {
                above.lines << l;
            } else {
                l.twips.translate(0, -cut);
                below.lines << l;
            }
        }
        block = std::move(below);
        return above;
    }

    void place(ReportPage& page, Block& block, double y) {
        for (PlacedText& t : block.texts) {
            t.rect.translate(0, y);
            if (t.needsPageTotal) {
                page.needsPageTotal = true;
                pendingTotals.push_back({page.number - 1, int(page.texts.size()),
                                         textOf(*findControl(t), -1, page.number), t.rect.width()});
            }
            page.texts << std::move(t);
        }
        for (PlacedLine& l : block.lines) {
            l.twips.translate(0, y);
            page.lines << std::move(l);
        }
    }

    const ControlInfo* findControl(const PlacedText& t) const {
        for (const SectionInfo* s : {&header, &pageHeader, &detail, &pageFooter, &footer})
            if (s->section->name() == t.section)
                for (const ControlInfo& ci : s->controls)
                    if (ci.control->name == t.control)
                        return &ci;
        return nullptr;
    }

    std::optional<Block> nextBlock(int page) {
        if (nextRow < rows)
            return layOutSection(detail, nextRow++, page);
        if (!footerTaken) {
            footerTaken = true;
            return layOutSection(footer, -1, page);
        }
        return std::nullopt;
    }

    bool layOutNextPage() {
        if (complete)
            return false;
        ReportPage page;
        page.number = int(pages.size()) + 1;
        Block foot = layOutSection(pageFooter, -1, page.number);
        Block head = layOutSection(pageHeader, -1, page.number);
        const double bodyBottom = layout.paperTwips.height() - layout.bottomMargin - foot.height;
        double y = layout.topMargin;
        if (bodyBottom - y - head.height <= Epsilon)
            throw AppError(InvalidUse,
                           QStringLiteral("The report's sections leave no room on a page."));

        if (page.number == 1) {
            // The report header comes first, above the first page header.
            Block top = layOutSection(header, -1, page.number);
            if (top.height <= bodyBottom - head.height - y + Epsilon) {
                place(page, top, y);
                y += top.height;
            } else if (auto part = split(top, bodyBottom - head.height - y, true)) {
                place(page, *part, y);
                y += part->height;
                carry = std::move(top);
            }
        }
        place(page, head, y);
        y += head.height;
        const double bodyTop = y;

        for (;;) {
            if (!carry)
                carry = nextBlock(page.number);
            if (!carry) {
                complete = true;
                break;
            }
            const double available = bodyBottom - y;
            if (carry->height <= available + Epsilon) {
                place(page, *carry, y);
                y += carry->height;
                carry.reset();
                continue;
            }
            // A section with nothing in it (an empty report footer) ends with this page
            // rather than start a blank one.
            if (carry->texts.isEmpty() && carry->lines.isEmpty()) {
                carry.reset();
                continue;
            }
            const bool fresh = y <= bodyTop + Epsilon;
            if (!fresh && carry->height <= bodyBottom - bodyTop)
                break; // kept whole on the next page
            if (auto part = split(*carry, available, fresh)) {
                place(page, *part, y);
                y += part->height;
            }
            break;
        }
        place(page, foot, bodyBottom);
        pages.push_back(std::move(page));
        if (complete)
            resolvePageTotals();
        return true;
    }

    void resolvePageTotals() {
        const QString total = QString::number(pages.size());
        for (const PendingTotal& p : pendingTotals) {
            PlacedText& t = pages[p.page].texts[p.text];
            const ControlInfo* ci = findControl(t);
            QString text = p.source;
            text.replace(QLatin1String("%P"), total);
            t.lines = wrap(text, *ci->metrics, p.width, maxLinesOf(*ci));
            t.lineX = lineStarts(t.lines, *ci->metrics, *ci->control, t.rect.left());
            t.needsPageTotal = false;
        }
        pendingTotals.clear();
        for (ReportPage& page : pages)
            page.needsPageTotal = false;
    }

    ReportLayout layout;
    std::shared_ptr<const ReportRecordSource> data;
    QBuffer buffer;
    QPdfWriter device;
    mutable std::map<QString, std::unique_ptr<Metrics>> fonts;
    int rows = 0;
    SectionInfo header, pageHeader, detail, pageFooter, footer;

    std::deque<ReportPage> pages; // pages stay in place while more are laid out
    std::vector<PendingTotal> pendingTotals;
    int nextRow = 0;
    bool footerTaken = false;
    std::optional<Block> carry;
    bool complete = false;
};

ReportDocument::ReportDocument(const ReportLayout& layout,
                               std::shared_ptr<const ReportRecordSource> data)
    : d(std::make_unique<Engine>(layout, std::move(data))) {
}

ReportDocument::~ReportDocument() = default;

const ReportLayout& ReportDocument::layout() const {
    return d->layout;
}

bool ReportDocument::layOutNextPage() {
    return d->layOutNextPage();
}

void ReportDocument::layOutAll() {
    while (d->layOutNextPage()) {
    }
}

bool ReportDocument::isComplete() const {
    return d->complete;
}

int ReportDocument::pagesLaidOut() const {
    return int(d->pages.size());
}

int ReportDocument::pageCount() {
    layOutAll();
    return int(d->pages.size());
}

bool ReportDocument::hasPage(int index) {
    while (index >= int(d->pages.size()) && d->layOutNextPage()) {
    }
    return index >= 0 && index < int(d->pages.size());
}

const ReportPage& ReportDocument::page(int index) {
    if (!hasPage(index))
        throw AppError(InvalidUse, QStringLiteral("The report has no page %1.").arg(index + 1));
    if (d->pages[index].needsPageTotal)
        layOutAll();
    return d->pages[index];
}

QStringList ReportDocument::wrap(const QString& text, const ReportFont& font, double width) const {
    return d->wrap(text, d->metricsOf(font), width, std::numeric_limits<int>::max());
}

double ReportDocument::textWidth(const QString& text, const ReportFont& font) const {
    return d->metricsOf(font).metrics.horizontalAdvance(text) / PixelsPerTwip;
}

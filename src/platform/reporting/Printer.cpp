#include "Printer.h"

#include "PrintBackends.h"
#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/data/LineBreaks.h"

#include <QAbstractTextDocumentLayout>
#include <QTextDocument>

namespace {

Printer::Factory& factory() {
    static Printer::Factory f;
    return f;
}

Printer::Chooser* g_chooser = nullptr;

} // namespace

Printer::Printer(std::unique_ptr<PrintDevice> device, const QString& documentName)
    : m_device(std::move(device)), m_documentName(documentName) {
    m_font.setPointSizeF(12);
}

Printer::~Printer() {
    if (!m_ended)
        abort();
}

std::unique_ptr<Printer> Printer::open(const QString& documentName) {
    if (factory())
        return factory()(documentName);
    return userChoice(documentName, g_chooser && g_chooser->printersInstalled());
}

void Printer::setFactory(Factory f) {
    factory() = std::move(f);
}

void Printer::setChooser(Chooser* chooser) {
    g_chooser = chooser;
}

std::unique_ptr<Printer> Printer::userChoice(const QString& documentName, bool printersInstalled) {
    if (printersInstalled && g_chooser)
        return g_chooser->choose(documentName);
    Dialogs::msgBox(QStringLiteral(
        "No printer is installed on this computer. The pages will be saved as a PDF file."));
    return pdfFile(askPdfFileName(documentName), documentName);
}

QString Printer::askPdfFileName(const QString& documentName) {
    Dialogs::FileRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.filter = QStringLiteral("PDF files *.pdf|*.pdf");
    request.defaultExt = QStringLiteral(".pdf");
    request.initialName = documentName + QStringLiteral(".pdf");
    request.flags = Dialogs::OverwritePrompt | Dialogs::HideReadOnly;
    request.mode = Dialogs::FileRequest::Save;
    request.cancelError = true;
    return Dialogs::fileDialog(request);
}

std::unique_ptr<Printer> Printer::pdfFile(const QString& path, const QString& documentName) {
    PdfDevice::Options options;
    options.path = path;
    options.title = documentName;
    return std::make_unique<Printer>(std::make_unique<PdfDevice>(options), documentName);
}

double Printer::twipsPer(Unit u) {
    switch (u) {
    case Unit::Inches:
        return 1440.0;
    case Unit::Points:
        return 20.0;
    case Unit::Twips:
        break;
    }
    return 1.0;
}

double Printer::paperWidth() const {
    return fromTwips(m_device->paperTwips().width());
}

double Printer::paperHeight() const {
    return fromTwips(m_device->paperTwips().height());
}

double Printer::printableWidth() const {
    return fromTwips(m_device->printableTwips().width());
}

double Printer::printableHeight() const {
    return fromTwips(m_device->printableTwips().height());
}

double Printer::physicalOffsetX() const {
    return fromTwips(m_device->printableTwips().left());
}

double Printer::physicalOffsetY() const {
    return fromTwips(m_device->printableTwips().top());
}

void Printer::setFontName(const QString& name) {
    if (name == m_font.family())
        return;
    m_font.setFamily(name);
    m_metrics.reset();
}

void Printer::setFontSize(double points) {
    if (!(points > 0))
        throw AppError(AppError::InvalidCall, QStringLiteral("Invalid property value"));
    if (points == m_font.pointSizeF())
        return;
    m_font.setPointSizeF(points);
    m_metrics.reset();
}

void Printer::setFontBold(bool bold) {
    if (bold == m_font.bold())
        return;
    m_font.setBold(bold);
    m_metrics.reset();
}

void Printer::setFontItalic(bool italic) {
    if (italic == m_font.italic())
        return;
    m_font.setItalic(italic);
    m_metrics.reset();
}

void Printer::setFontUnderline(bool underline) {
    if (underline == m_font.underline())
        return;
    m_font.setUnderline(underline);
    m_metrics.reset();
}

QPaintDevice* Printer::metricsDevice() const {
    return m_device->paintDevice();
}

double Printer::pixelsPerTwipX() const {
    return metricsDevice()->logicalDpiX() / 1440.0;
}

double Printer::pixelsPerTwipY() const {
    return metricsDevice()->logicalDpiY() / 1440.0;
}

const QFontMetricsF& Printer::metrics() const {
    if (!m_metrics)
        m_metrics.emplace(m_font, metricsDevice());
    return *m_metrics;
}

double Printer::textWidth(const QString& text) const {
    double widest = 0;
    for (const QString& line : LineBreaks::split(text))
        widest = std::max(widest, metrics().horizontalAdvance(line));
    return fromTwips(widest / pixelsPerTwipX());
}

double Printer::textHeight(const QString& text) const {
    const double lines = LineBreaks::split(text).size();
    return fromTwips(lines * metrics().lineSpacing() / pixelsPerTwipY());
}

void Printer::checkOpen() const {
    if (m_ended)
        throw AppError(PrinterError, QStringLiteral("Printer error"));
}

QPainter& Printer::painter() {
    checkOpen();
    if (!m_started) {
        if (!m_painter.begin(m_device->paintDevice()))
            throw AppError(PrinterError, QStringLiteral("Printer error"));
        m_started = true;
    }
    return m_painter;
}

void Printer::print(const QString& text) {
    const QStringList lines = LineBreaks::split(text);
    const double lineTwips = metrics().lineSpacing() / pixelsPerTwipY();
    for (const QString& line : lines) {
        drawText(currentX(), currentY(), line);
        m_xTwips = 0;
        m_yTwips += lineTwips;
    }
}

void Printer::drawText(double x, double y, const QString& text) {
    QPainter& p = painter();
    const double xTwips = toTwips(x);
    const double yTwips = toTwips(y);
    p.setFont(m_font);
    p.setPen(Qt::black);
    p.drawText(QPointF(xTwips * pixelsPerTwipX(), yTwips * pixelsPerTwipY() + metrics().ascent()),
               text);
    m_device->textDrawn({m_page, text, x, y, xTwips, yTwips, m_font.family(), m_font.pointSizeF(),
                         m_font.bold(), m_font.italic()});
}

void Printer::drawLine(double x1, double y1, double x2, double y2, double widthTwips) {
    QPainter& p = painter();
    const QLineF twips(toTwips(x1), toTwips(y1), toTwips(x2), toTwips(y2));
    QPen pen(Qt::black);
    pen.setWidthF(widthTwips * pixelsPerTwipY());
    p.setPen(pen);
    p.drawLine(QLineF(twips.x1() * pixelsPerTwipX(), twips.y1() * pixelsPerTwipY(),
                      twips.x2() * pixelsPerTwipX(), twips.y2() * pixelsPerTwipY()));
    m_device->lineDrawn(m_page, twips);
}

void Printer::drawDocumentPage(const QTextDocument& document, const QRectF& rect, double top,
                               double bottom, int firstChar, int endChar, const QString& text) {
    QPainter& p = painter();
    const QRectF twips(toTwips(rect.x()), toTwips(rect.y()), toTwips(rect.width()),
                       toTwips(rect.height()));
    p.save();
    p.translate(twips.x() * pixelsPerTwipX(), twips.y() * pixelsPerTwipY() - top);
    const QRectF clip(0, top, twips.width() * pixelsPerTwipX(), bottom - top);
    p.setClipRect(clip);
    QAbstractTextDocumentLayout::PaintContext context;
    context.clip = clip;
    context.palette.setColor(QPalette::Text, Qt::black);
    document.documentLayout()->draw(&p, context);
    p.restore();

    m_device->documentPageDrawn({m_page, twips, firstChar, endChar, text});
}

void Printer::newPage() {
    painter();
    if (!m_device->newPage())
        throw AppError(PrinterError, QStringLiteral("Printer error"));
    ++m_page;
    m_xTwips = 0;
    m_yTwips = 0;
}

void Printer::endDoc() {
    painter();
    m_painter.end();
    m_ended = true;
    m_device->jobEnded(m_page, false);
    m_device->finish();
}

void Printer::abort() {
    if (m_ended)
        return;
    if (m_painter.isActive())
        m_painter.end();
    m_ended = true;
    m_device->abort();
    m_device->jobEnded(m_page, true);
}

#include "PrintBackends.h"

#include "platform/data/AppError.h"

#include <QPageLayout>
#include <QPrinter>

namespace {

constexpr double TwipsPerPoint = 20.0;
constexpr int PrinterError = 482;

QRectF twipsOf(const QRectF& points) {
    return {points.left() * TwipsPerPoint, points.top() * TwipsPerPoint,
            points.width() * TwipsPerPoint, points.height() * TwipsPerPoint};
}

} // namespace

QPrinterDevice::QPrinterDevice(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {
}

QPrinterDevice::~QPrinterDevice() = default;

QPaintDevice* QPrinterDevice::paintDevice() {
    return m_printer.get();
}

QSizeF QPrinterDevice::paperTwips() const {
    return twipsOf(m_printer->pageLayout().fullRect(QPageLayout::Point)).size();
}

QRectF QPrinterDevice::printableTwips() const {
    return twipsOf(m_printer->pageLayout().paintRect(QPageLayout::Point));
}

bool QPrinterDevice::newPage() {
    return m_printer->newPage();
}

void QPrinterDevice::finish() {
    if (m_printer->printerState() == QPrinter::Error)
        throw AppError(PrinterError, QStringLiteral("Printer error"));
}

void QPrinterDevice::abort() {
    m_printer->abort();
}

PdfDevice::PdfDevice(const Options& options) : m_writer(&m_buffer) {
    if (!options.path.isEmpty()) {
        m_file = std::make_unique<QSaveFile>(options.path);
        if (!m_file->open(QIODevice::WriteOnly))
            throw AppError(AppError::FileError, QStringLiteral("The file %1 cannot be written: %2")
                                                    .arg(options.path, m_file->errorString()));
    }
    m_buffer.open(QIODevice::WriteOnly);
    m_writer.setResolution(options.resolution);
    m_writer.setTitle(options.title);
    m_writer.setCreator(QStringLiteral("Vellagon"));
    const QMarginsF border = options.borderTwips / TwipsPerPoint;
    m_writer.setPageLayout(
        QPageLayout(options.pageSize, QPageLayout::Portrait, border, QPageLayout::Point));
}

QSizeF PdfDevice::paperTwips() const {
    return twipsOf(m_writer.pageLayout().fullRect(QPageLayout::Point)).size();
}

QRectF PdfDevice::printableTwips() const {
    return twipsOf(m_writer.pageLayout().paintRect(QPageLayout::Point));
}

void PdfDevice::finish() {
    if (!m_file)
        return;
    m_file->write(m_buffer.buffer());
    if (!m_file->commit())
        throw AppError(AppError::FileError, QStringLiteral("The file %1 cannot be written: %2")
                                                .arg(m_file->fileName(), m_file->errorString()));
}

void PdfDevice::abort() {
    if (m_file)
        m_file->cancelWriting();
}

ImageDevice::ImageDevice(const QSizeF& paperTwips, int dotsPerInch)
    : m_paper(paperTwips),
      m_image(qRound(paperTwips.width() * dotsPerInch / 1440.0),
              qRound(paperTwips.height() * dotsPerInch / 1440.0), QImage::Format_RGB32) {
    const int dotsPerMeter = qRound(dotsPerInch / 0.0254);
    m_image.setDotsPerMeterX(dotsPerMeter);
    m_image.setDotsPerMeterY(dotsPerMeter);
    m_image.fill(Qt::white);
}

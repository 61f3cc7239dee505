#include "PrintBackends.h"

#include "platform/data/AppError.h"

#include <QPageLayout>

namespace {

constexpr double TwipsPerPoint = 20.0;

QRectF twipsOf(const QRectF& points) {
    return {points.left() * TwipsPerPoint, points.top() * TwipsPerPoint,
            points.width() * TwipsPerPoint, points.height() * TwipsPerPoint};
}

} // namespace

QSizeF paperTwipsOf(const QPageLayout& layout) {
    return twipsOf(layout.fullRect(QPageLayout::Point)).size();
}

QRectF printableTwipsOf(const QPageLayout& layout) {
    return twipsOf(layout.paintRect(QPageLayout::Point));
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
    return paperTwipsOf(m_writer.pageLayout());
}

QRectF PdfDevice::printableTwips() const {
    return printableTwipsOf(m_writer.pageLayout());
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

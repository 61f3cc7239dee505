#pragma once

#include "Printer.h"

#include <QBuffer>
#include <QImage>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

class QPageLayout;

// The whole sheet of a page layout, and its printable area, in twips.
QSizeF paperTwipsOf(const QPageLayout& layout);
QRectF printableTwipsOf(const QPageLayout& layout);

// The number of the error a print job that fails raises.
constexpr int PrinterError = 482;

// Pages to a PDF document: a file, written under a temporary name and put in place when the
// document ends (an aborted job leaves any earlier file as it was), or memory only.
class PdfDevice : public PrintDevice {
public:
    struct Options {
        QString path; // empty: memory only
        QString title;
        QPageSize pageSize = QPageSize(QPageSize::Letter);
        // The unprintable border of the sheet, in twips (a PDF has none; tests simulate one).
        QMarginsF borderTwips;
        int resolution = 1200;
    };
    explicit PdfDevice(const Options& options);
    QPaintDevice* paintDevice() override { return &m_writer; }
    QSizeF paperTwips() const override;
    QRectF printableTwips() const override;
    bool newPage() override { return m_writer.newPage(); }
    void finish() override;
    void abort() override;
    // The document written (complete after finish()).
    const QByteArray& bytes() const { return m_buffer.buffer(); }

private:
    QBuffer m_buffer;
    QPdfWriter m_writer;
    std::unique_ptr<QSaveFile> m_file;
};

// One page drawn into an image (the report preview). It has a single page.
class ImageDevice : public PrintDevice {
public:
    // An image of the sheet at the given resolution, white.
    ImageDevice(const QSizeF& paperTwips, int dotsPerInch);
    QPaintDevice* paintDevice() override { return &m_image; }
    QSizeF paperTwips() const override { return m_paper; }
    QRectF printableTwips() const override { return {QPointF(0, 0), m_paper}; }
    bool newPage() override { return false; }
    void finish() override {}
    void abort() override {}
    const QImage& image() const { return m_image; }

private:
    QSizeF m_paper;
    QImage m_image;
};

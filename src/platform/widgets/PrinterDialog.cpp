#include "PrinterDialog.h"

#include "platform/data/AppError.h"

#include <QApplication>
#include <QPageLayout>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

QPrinterDevice::QPrinterDevice(std::unique_ptr<QPrinter> printer) : m_printer(std::move(printer)) {
}

QPrinterDevice::~QPrinterDevice() = default;

QPaintDevice* QPrinterDevice::paintDevice() {
    return m_printer.get();
}

QSizeF QPrinterDevice::paperTwips() const {
    return paperTwipsOf(m_printer->pageLayout());
}

QRectF QPrinterDevice::printableTwips() const {
    return printableTwipsOf(m_printer->pageLayout());
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

bool PrinterDialog::printersInstalled() const {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

std::unique_ptr<Printer> PrinterDialog::choose(const QString& documentName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(documentName);
    printer->setCreator(QStringLiteral("Vellagon"));
    QWidget* owner = QApplication::activeModalWidget();
    QPrintDialog dialog(printer.get(), owner ? owner : QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        throw AppError::cancelled();
    return std::make_unique<Printer>(std::make_unique<QPrinterDevice>(std::move(printer)),
                                     documentName);
}

#pragma once

#include "platform/reporting/PrintBackends.h"
#include "platform/reporting/Printer.h"

#include <memory>

class QPrinter;

// Pages to a printer chosen in the print dialog (or the dialog's own PDF file).
class QPrinterDevice : public PrintDevice {
public:
    explicit QPrinterDevice(std::unique_ptr<QPrinter> printer);
    ~QPrinterDevice() override;
    QPaintDevice* paintDevice() override;
    QSizeF paperTwips() const override;
    QRectF printableTwips() const override;
    bool newPage() override;
    void finish() override;
    void abort() override;

private:
    std::unique_ptr<QPrinter> m_printer;
};

// The machine's printers and Qt's print dialog, over the active modal window or else the
// active window.
class PrinterDialog : public Printer::Chooser {
public:
    bool printersInstalled() const override;
    std::unique_ptr<Printer> choose(const QString& documentName) override;
};

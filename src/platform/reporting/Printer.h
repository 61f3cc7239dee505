#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QPaintDevice;
class QTextDocument;

// One text drawn on a page, as a recording back-end keeps it: where (in the unit that was
// current and in twips from the top left of the printable area) and in which font.
struct PrintedText {
    int page = 0;
    QString text;
    double x = 0;
    double y = 0;
    double xTwips = 0;
    double yTwips = 0;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
};

// One page of a rich-text document drawn into a rectangle (twips from the top left of the
// printable area), with the stretch of the document's characters that it holds.
struct PrintedDocumentPage {
    int page = 0;
    QRectF rectTwips;
    int firstChar = 0;
    int endChar = 0;
    QString text;
};

// Where the pages of a print job go: a printer, a PDF file, a page image, a recording.
// The Printer drives it; a back-end only supplies the paint device and the page handling.
class PrintDevice {
public:
    virtual ~PrintDevice() = default;
    virtual QPaintDevice* paintDevice() = 0;
    // The whole sheet, and the printable area within it, in twips.
    virtual QSizeF paperTwips() const = 0;
    virtual QRectF printableTwips() const = 0;
    // Ends the current page and starts the next one (the painter is active).
    virtual bool newPage() = 0;
    // After the painter has ended: send the job or keep the file. Throws AppError on failure.
    virtual void finish() = 0;
    // After the painter has ended: drop the job; nothing is sent or kept.
    virtual void abort() = 0;

    // Observers, for the recording back-end.
    virtual void textDrawn(const PrintedText&) {}
    virtual void documentPageDrawn(const PrintedDocumentPage&) {}
    virtual void lineDrawn(int /*page*/, const QLineF& /*twips*/) {}
    virtual void jobEnded(int /*pages*/, bool /*aborted*/) {}
};

// The printer object of the printing code: a coordinate unit, a current position, a font,
// text measured on the output device itself, pages, and the end of the document.
// Coordinates are measured from the top left of the printable area, in the current unit.
// One object is one print job; obtain it with Printer::open().
class Printer {
public:
    enum class Unit { Twips, Points, Inches };

    Printer(std::unique_ptr<PrintDevice> device, const QString& documentName);
    // A job that was not ended is dropped: nothing reaches the printer or the file.
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // How print jobs are obtained. All printing code asks here; tests install a factory that
    // returns a recording or PDF printer. Throws AppError::cancelled() when the user cancels.
    using Factory = std::function<std::unique_ptr<Printer>(const QString& documentName)>;
    static std::unique_ptr<Printer> open(const QString& documentName);
    // Installs a factory; an empty one puts the user's choice back.
    static void setFactory(Factory factory);
    // The user's choice: the print dialog when the machine has printers, else a message and a
    // request for the PDF file to write.
    static std::unique_ptr<Printer> userChoice(const QString& documentName, bool printersInstalled);

    // The machine's printers and the print dialog: the windows' own (PrinterDialog), installed
    // at start-up. Without one the machine counts as having no printer.
    class Chooser {
    public:
        virtual ~Chooser() = default;
        virtual bool printersInstalled() const = 0;
        // The print dialog; the job on the printer chosen. Cancel throws AppError::cancelled().
        virtual std::unique_ptr<Printer> choose(const QString& documentName) = 0;
    };
    static void setChooser(Chooser* chooser);

    // Asks for a PDF file name (Cancel throws AppError::cancelled()).
    static QString askPdfFileName(const QString& documentName);

    // Back-ends.
    static std::unique_ptr<Printer> pdfFile(const QString& path, const QString& documentName);

    Unit unit() const { return m_unit; }
    void setUnit(Unit unit) { m_unit = unit; }
    // Twips in one unit of u.
    static double twipsPer(Unit u);

    double paperWidth() const;
    double paperHeight() const;
    double printableWidth() const;
    double printableHeight() const;
    // Distance from the paper's left and top edge to the printable area.
    double physicalOffsetX() const;
    double physicalOffsetY() const;

    double currentX() const { return fromTwips(m_xTwips); }
    double currentY() const { return fromTwips(m_yTwips); }
    void setCurrentX(double x) { m_xTwips = toTwips(x); }
    void setCurrentY(double y) { m_yTwips = toTwips(y); }

    QString fontName() const { return m_font.family(); }
    void setFontName(const QString& name);
    double fontSize() const { return m_font.pointSizeF(); }
    void setFontSize(double points);
    bool fontBold() const { return m_font.bold(); }
    void setFontBold(bool bold);
    bool fontItalic() const { return m_font.italic(); }
    void setFontItalic(bool italic);
    void setFontUnderline(bool underline);

    // Measured with the output device's own font metrics. A text with line breaks measures its
    // widest line and all its lines.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text) const;

    // Prints a text at the current position and moves to the left edge of the next line.
    void print(const QString& text);
    // Draws one line of text with its top left at (x, y); the current position stays.
    void drawText(double x, double y, const QString& text);
    // A line of the given width in twips.
    void drawLine(double x1, double y1, double x2, double y2, double widthTwips = 15);
    // Draws the part of a laid-out document between the document's top and bottom (in the
    // paint device's pixels, see metricsDevice()) into a rectangle in the current unit; the
    // characters firstChar to endChar, whose plain text is text, stand on it.
    void drawDocumentPage(const QTextDocument& document, const QRectF& rect, double top,
                          double bottom, int firstChar, int endChar, const QString& text);

    // The device whose pixels rich text is laid out in.
    QPaintDevice* metricsDevice() const;
    // Device pixels per twip, horizontally and vertically.
    double pixelsPerTwipX() const;
    double pixelsPerTwipY() const;

    // 1 on the first page, raised by each new page.
    int page() const { return m_page; }
    void newPage();
    // Sends the job to the printer (or writes the file).
    void endDoc();
    // Drops the job.
    void abort();
    bool isEnded() const { return m_ended; }

private:
    double toTwips(double v) const { return v * twipsPer(m_unit); }
    double fromTwips(double v) const { return v / twipsPer(m_unit); }
    QPainter& painter();
    const QFontMetricsF& metrics() const;
    void checkOpen() const;

    std::unique_ptr<PrintDevice> m_device;
    QString m_documentName;
    QPainter m_painter;
    Unit m_unit = Unit::Twips;
    double m_xTwips = 0;
    double m_yTwips = 0;
    QFont m_font;
    mutable std::optional<QFontMetricsF> m_metrics;
    int m_page = 1;
    bool m_started = false;
    bool m_ended = false;
};

#pragma once

#include <QList>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <Qt>

// A report font, as a report designer sets it on each control.
struct ReportFont {
    QString name = QStringLiteral("Arial");
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// One control of a report section. Lengths are twips within the section.
struct ReportControl {
    enum class Kind {
        Label,    // shows its caption; "%p" is the page number, "%P" the number of pages
        Field,    // shows a column of the current record
        Function, // shows the total of a column over all records, exact to four decimals
        Line,     // a line from its top left to its bottom right corner
    };

    QString name;
    Kind kind = Kind::Label;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    ReportFont font;
    Qt::AlignmentFlag alignment = Qt::AlignLeft; // AlignLeft, AlignHCenter or AlignRight
    // Grows downwards to show all its text, pushing the controls below it down.
    bool canGrow = false;
    QString caption;   // Label
    QString dataField; // Field, Function: the column
    QString format;    // Field, Function: display format; empty shows the value as text
    // Field: the column holds dates (kept as text in the file) and shows as a date.
    bool dateColumn = false;

    ReportControl& setFont(const QString& fontName, double points, bool bold = false);
    ReportControl& setAlignment(Qt::AlignmentFlag align);
    ReportControl& setCanGrow(bool grow = true);
    ReportControl& setFormat(const QString& displayFormat);
    ReportControl& setDateColumn(bool isDate = true);
};

// A section of a report, addressed by its name: "Section4" report header, "Section2" page
// header, "Section1" detail (once per record), "Section3" page footer, "Section5" report footer.
class ReportSection {
public:
    ReportSection(const QString& name, int height, const ReportFont& font);

    const QString& name() const { return m_name; }
    int height() const { return m_height; }
    void setHeight(int twips) { m_height = twips; }
    QList<ReportControl>& controls() { return m_controls; }
    const QList<ReportControl>& controls() const { return m_controls; }

    // A control by name (compared without regard to case); throws AppError when there is none.
    ReportControl& control(const QString& name);
    const ReportControl* findControl(const QString& name) const;

    // New controls take the report's font.
    ReportControl& addLabel(const QString& name, const QString& caption, int left, int top,
                            int width, int height);
    ReportControl& addField(const QString& name, const QString& dataField, int left, int top,
                            int width, int height);
    ReportControl& addFunction(const QString& name, const QString& dataField, int left, int top,
                               int width, int height);
    ReportControl& addLine(const QString& name, int left, int top, int width, int height);

    // Sets the font name or size of every control of the section.
    void setFontName(const QString& fontName);
    void setFontSize(double points);

private:
    ReportControl& add(ReportControl control);

    QString m_name;
    int m_height;
    ReportFont m_font;
    QList<ReportControl> m_controls;
};

// A report layout: caption, width and margins in twips, and its five sections.
class ReportLayout {
public:
    static constexpr const char* ReportHeader = "Section4";
    static constexpr const char* PageHeader = "Section2";
    static constexpr const char* Detail = "Section1";
    static constexpr const char* PageFooter = "Section3";
    static constexpr const char* ReportFooter = "Section5";

    ReportLayout(const QString& caption, int reportWidth, const ReportFont& font = {});

    QString caption;
    int reportWidth;
    int leftMargin = 1440;
    int rightMargin = 1440;
    int topMargin = 1440;
    int bottomMargin = 1440;
    // The sheet the pages are laid out on (US Letter).
    QSizeF paperTwips = QSizeF(12240, 15840);

    // The columns that the fields and totals of every section show, each once: all that a
    // record source needs to read for this report.
    QStringList boundColumns() const;

    // A section by name; throws AppError for an unknown name.
    ReportSection& section(const QString& name);
    const ReportSection& section(const QString& name) const;
    ReportSection& reportHeader() { return section(QLatin1String(ReportHeader)); }
    ReportSection& pageHeader() { return section(QLatin1String(PageHeader)); }
    ReportSection& detail() { return section(QLatin1String(Detail)); }
    ReportSection& pageFooter() { return section(QLatin1String(PageFooter)); }
    ReportSection& reportFooter() { return section(QLatin1String(ReportFooter)); }

private:
    QList<ReportSection> m_sections;
};

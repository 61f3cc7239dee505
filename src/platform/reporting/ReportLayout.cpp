#include "ReportLayout.h"

#include "platform/data/AppError.h"

namespace {
constexpr int ElementNotFound = 35601;
} // namespace

ReportControl& ReportControl::setFont(const QString& fontName, double points, bool bold) {
    font.name = fontName;
    font.size = points;
    font.bold = bold;
    return *this;
}

ReportControl& ReportControl::setAlignment(Qt::AlignmentFlag align) {
    alignment = align;
    return *this;
}

ReportControl& ReportControl::setCanGrow(bool grow) {
    canGrow = grow;
    return *this;
}

ReportControl& ReportControl::setFormat(const QString& displayFormat) {
    format = displayFormat;
    return *this;
}

ReportControl& ReportControl::setDateColumn(bool isDate) {
    dateColumn = isDate;
    return *this;
}

ReportSection::ReportSection(const QString& name, int height, const ReportFont& font)
    : m_name(name), m_height(height), m_font(font) {
}

const ReportControl* ReportSection::findControl(const QString& name) const {
    for (const ReportControl& c : m_controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

ReportControl& ReportSection::control(const QString& name) {
    for (ReportControl& c : m_controls)
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    throw AppError(ElementNotFound, QStringLiteral("Element not found: %1").arg(name));
}

ReportControl& ReportSection::add(ReportControl control) {
    control.font = m_font;
    m_controls.append(std::move(control));
    return m_controls.last();
}

ReportControl& ReportSection::addLabel(const QString& name, const QString& caption, int left,
                                       int top, int width, int height) {
    ReportControl c;
    c.name = name;
    c.kind = ReportControl::Kind::Label;
    c.caption = caption;
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return add(c);
}

ReportControl& ReportSection::addField(const QString& name, const QString& dataField, int left,
                                       int top, int width, int height) {
    ReportControl& c = addLabel(name, {}, left, top, width, height);
    c.kind = ReportControl::Kind::Field;
    c.dataField = dataField;
    return c;
}

ReportControl& ReportSection::addFunction(const QString& name, const QString& dataField, int left,
                                          int top, int width, int height) {
    ReportControl& c = addField(name, dataField, left, top, width, height);
    c.kind = ReportControl::Kind::Function;
    return c;
}

ReportControl& ReportSection::addLine(const QString& name, int left, int top, int width,
                                      int height) {
    ReportControl& c = addLabel(name, {}, left, top, width, height);
    c.kind = ReportControl::Kind::Line;
    return c;
}

void ReportSection::setFontName(const QString& fontName) {
    for (ReportControl& c : m_controls)
        c.font.name = fontName;
}

void ReportSection::setFontSize(double points) {
    for (ReportControl& c : m_controls)
        c.font.size = points;
}

ReportLayout::ReportLayout(const QString& caption, int reportWidth, const ReportFont& font)
    : caption(caption), reportWidth(reportWidth) {
    for (const char* name : {ReportHeader, PageHeader, Detail, PageFooter, ReportFooter})
        m_sections.append(ReportSection(QLatin1String(name), 0, font));
}

QStringList ReportLayout::boundColumns() const {
    QStringList columns;
    for (const ReportSection& s : m_sections)
        for (const ReportControl& c : s.controls())
            if ((c.kind == ReportControl::Kind::Field || c.kind == ReportControl::Kind::Function) &&
                !c.dataField.isEmpty() && !columns.contains(c.dataField, Qt::CaseInsensitive))
                columns << c.dataField;
    return columns;
}

ReportSection& ReportLayout::section(const QString& name) {
    for (ReportSection& s : m_sections)
        if (s.name().compare(name, Qt::CaseInsensitive) == 0)
            return s;
    throw AppError(ElementNotFound, QStringLiteral("Element not found: %1").arg(name));
}

const ReportSection& ReportLayout::section(const QString& name) const {
    return const_cast<ReportLayout*>(this)->section(name);
}

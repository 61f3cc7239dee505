#include "LayoutTable.h"

namespace LayoutTable {

ReportLayout inchMargins(const QString& caption, int reportWidth) {
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = 8.25;
    ReportLayout layout(caption, reportWidth, font);
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 1440;
    return layout;
}

namespace {

ReportControl& add(ReportSection& section, const Control& c) {
    const QString name = QLatin1String(c.name);
    const QString text = QLatin1String(c.text);
    switch (c.kind) {
    case Kind::Label:
        return section.addLabel(name, text, c.left, c.top, c.width, c.height);
    case Kind::Field:
        return section.addField(name, text, c.left, c.top, c.width, c.height);
    case Kind::Function:
        return section.addFunction(name, text, c.left, c.top, c.width, c.height);
    case Kind::Line:
        break;
    }
    return section.addLine(name, c.left, c.top, c.width, c.height);
}

} // namespace

void fill(ReportSection& section, int height, std::span<const Control> controls) {
    section.setHeight(height);
    for (const Control& c : controls) {
        ReportControl& added = add(section, c);
        if (c.points > 0)
            added.font.size = c.points;
        added.setFormat(QLatin1String(c.format))
            .setCanGrow((c.flags & Grows) != 0)
            .setDateColumn((c.flags & Dates) != 0);
        if (c.flags & Centred)
            added.setAlignment(Qt::AlignHCenter);
        else if (c.flags & RightAligned)
            added.setAlignment(Qt::AlignRight);
    }
}

} // namespace LayoutTable

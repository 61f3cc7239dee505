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

void fill(ReportSection& section, int height, std::span<const Control> controls) {
    section.setHeight(height);
    for (const Control& c : controls) {
        const QString name = QLatin1String(c.name);
        const QString text = QLatin1String(c.text);
        ReportControl& added =
            c.kind == Kind::Label   ? section.addLabel(name, text, c.left, c.top, c.width, c.height)
            : c.kind == Kind::Field ? section.addField(name, text, c.left, c.top, c.width, c.height)
            : c.kind == Kind::Function
                ? section.addFunction(name, text, c.left, c.top, c.width, c.height)
                : section.addLine(name, c.left, c.top, c.width, c.height);
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

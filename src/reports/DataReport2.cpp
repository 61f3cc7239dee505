#include "DataReport2.h"

namespace {

struct Column {
    const char* label;
    const char* heading;
    const char* line;
    const char* field;
    const char* dataField;
    int left;
    int headingWidth;
    int lineLength;
};

// The four columns, left to right: each heading stands over its field, underlined.
constexpr Column Columns[] = {
    {"Label1", "Client Information", "Line1", "Text1", "Client", 144, 2160, 1584},
    {"Label2", "Defendant", "Line2", "Text2", "Defendant", 2448, 2025, 1008},
    {"Label3", "Case Information", "Line3", "Text3", "CaseInfo", 4752, 2160, 1584},
    {"Label4", "Priority Things To Do", "Line4", "Text4", "Things To Do", 7056, 2160, 1875},
};

} // namespace

DataReport2::DataReport2() : Report(makeLayout()) {
}

ReportLayout DataReport2::makeLayout() {
    const QString arial = QStringLiteral("Arial");
    ReportFont font;
    font.name = arial;
    font.size = 8.25;
    ReportLayout layout(QStringLiteral("Active Clients Report"), 9345, font);
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 1440;

    ReportSection& header = layout.reportHeader();
    header.setHeight(465);
    header
        .addLabel(QStringLiteral("Label5"), QStringLiteral("Vellagon Active Clients Report"), 0, 0,
                  9216, 288)
        .setFont(arial, 14.25)
        .setAlignment(Qt::AlignHCenter);

    ReportSection& headings = layout.pageHeader();
    headings.setHeight(300);
    ReportSection& detail = layout.detail();
    detail.setHeight(480);
    for (const Column& c : Columns) {
        headings
            .addLabel(QLatin1String(c.label), QLatin1String(c.heading), c.left, 0, c.headingWidth,
                      285)
            .setFont(arial, 9.75);
        headings.addLine(QLatin1String(c.line), c.left, 288, c.lineLength, 0);
        detail.addField(QLatin1String(c.field), QLatin1String(c.dataField), c.left, 144, 2160, 285)
            .setCanGrow();
    }

    layout.pageFooter().setHeight(0);
    layout.reportFooter().setHeight(360);
    return layout;
}

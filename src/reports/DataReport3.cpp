#include "DataReport3.h"

namespace {

struct Control {
    const char* name;
    const char* text; // a label's caption, a field's column
    int left;
    int top;
    int width;
    int height;
    const char* format = "";
};

const char* const Money = "\"$\"#,##0.00";

// The letter's parts, one below the other; each grows with its text.
constexpr Control HeaderLabels[] = {
    {"Label1", "", 144, 0, 9060, 285},    {"Label2", "", 144, 288, 9072, 285},
    {"Label3", "", 144, 576, 9072, 285},  {"Label4", "", 144, 864, 9072, 285},
    {"Label5", "", 144, 1152, 9072, 288},
};

// The caption row ends where the values begin (288 high rather than 300), so that a caption
// that grows pushes its values down instead of writing over them.
constexpr Control DetailLabels[] = {
    {"Label8", "Employee:", 144, 288, 1155, 288},
    {"Label13", "When:", 2880, 288, 870, 288},
    {"Label9", "Rate:", 4608, 288, 720, 288},
    {"Label10", "Time (in tenths of an hour):", 5472, 288, 2160, 288},
    {"Label11", "Fee:", 7632, 288, 1005, 288},
    {"Label7", "Service provided:", 144, 864, 2880, 285},
};

constexpr Control DetailFields[] = {
    {"Text1", "Employee", 144, 576, 2448, 240},
    {"Text2", "Beginning Time", 2880, 576, 1728, 240, "m/d/yy h:nn AM/PM"},
    {"Text3", "Rate", 4608, 576, 864, 240, Money},
    {"Text4", "Duration", 5472, 576, 1440, 240},
    {"Text5", "Fee", 7632, 576, 1008, 240, Money},
    {"Text6", "Log Summary", 144, 1152, 8490, 240},
};

} // namespace

DataReport3::DataReport3() : Report(makeLayout()) {
}

ReportLayout DataReport3::makeLayout() {
    const QString arial = QStringLiteral("Arial");
    ReportFont font;
    font.name = arial;
    font.size = 8.25;
    ReportLayout layout(QStringLiteral("DataReport3"), 9360, font);
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 1440;

    ReportSection& header = layout.reportHeader();
    header.setHeight(1440);
    for (const Control& c : HeaderLabels)
        header.addLabel(QLatin1String(c.name), {}, c.left, c.top, c.width, c.height).setCanGrow();
    header.control(QStringLiteral("Label1")).setFont(arial, 14.25).setAlignment(Qt::AlignHCenter);

    layout.pageHeader().setHeight(0);

    ReportSection& detail = layout.detail();
    detail.setHeight(1755);
    // The letter's fonts replace the layout's, and the default ones are larger: what no longer
    // fits its width goes on to another line rather than being cut off.
    for (const Control& c : DetailLabels)
        detail
            .addLabel(QLatin1String(c.name), QLatin1String(c.text), c.left, c.top, c.width,
                      c.height)
            .setCanGrow();
    for (const Control& c : DetailFields)
        detail
            .addField(QLatin1String(c.name), QLatin1String(c.text), c.left, c.top, c.width,
                      c.height)
            .setFont(arial, 9)
            .setFormat(QLatin1String(c.format))
            .setCanGrow();

    ReportSection& pageFooter = layout.pageFooter();
    pageFooter.setHeight(555);
    pageFooter
        .addLabel(QStringLiteral("Label14"), QStringLiteral("Page %p of %P"), 144, 144, 8496, 288)
        .setFont(arial, 9)
        .setAlignment(Qt::AlignHCenter);

    ReportSection& footer = layout.reportFooter();
    footer.setHeight(1770);
    footer.addLabel(QStringLiteral("Label12"), QStringLiteral("Total:"), 5904, 288, 1440, 285)
        .setCanGrow();
    footer.addFunction(QStringLiteral("Function1"), QStringLiteral("Fee"), 7632, 288, 1005, 240)
        .setFont(arial, 9)
        .setFormat(QLatin1String(Money))
        .setCanGrow();
    footer.addLabel(QStringLiteral("Label6"), {}, 144, 1008, 9060, 300).setCanGrow();
    return layout;
}

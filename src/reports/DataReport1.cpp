#include "DataReport1.h"

namespace {

struct DetailRow {
    const char* label;
    const char* caption;
    int labelLeft;
    int labelWidth;
    const char* field;
    const char* column;
    int fieldLeft;
    int fieldWidth;
    int top;
    int height;
};

// Labels and bound fields of one log's block, in twips within the block.
constexpr DetailRow DetailRows[] = {
    {"Label2", "Client:", 0, 570, "Text1", "Client", 1440, 3030, 0, 285},
    {"Label3", "Project:", 4896, 720, "Text2", "Project", 5616, 3030, 0, 285},
    {"Label4", "Employee:", 0, 855, "Text3", "Employee", 1440, 3030, 288, 285},
    {"Label5", "Rate:", 4896, 585, "Text4", "Rate", 5616, 1440, 288, 285},
    {"Label6", "Log summary:", 0, 1140, "Text5", "Log Summary", 1440, 7200, 576, 285},
    {"Label7", "Log:", 0, 420, "Text6", "Vellagon", 1440, 7776, 864, 285},
    {"Label8", "Beginning Time:", 0, 1290, "Text7", "Beginning Time", 1440, 2010, 1152, 300},
    {"Label9", "Ending Time:", 3600, 1305, "Text8", "Ending Time", 4896, 1740, 1152, 300},
    {"Label10", "Duration:", 7200, 870, "Text9", "Duration", 8064, 1140, 1152, 300},
};

} // namespace

DataReport1::DataReport1() : Report(makeLayout()) {
}

ReportLayout DataReport1::makeLayout() {
    ReportFont font;
    font.name = QStringLiteral("Arial");
    font.size = 8.25;
    ReportLayout layout(QStringLiteral("Vellagons"), 9240, font);
    layout.leftMargin = layout.rightMargin = layout.topMargin = layout.bottomMargin = 1440;

    ReportSection& header = layout.reportHeader();
    header.setHeight(645);
    header.addLabel(QStringLiteral("Label1"), QStringLiteral("Vellagon Report"), 144, 0, 9072, 576)
        .setFont(QStringLiteral("Arial"), 14.25, true)
        .setAlignment(Qt::AlignHCenter)
        .setCanGrow();

    layout.pageHeader().setHeight(0);

    ReportSection& detail = layout.detail();
    detail.setHeight(1875);
    for (const DetailRow& row : DetailRows) {
        detail.addLabel(QLatin1String(row.label), QLatin1String(row.caption), row.labelLeft,
                        row.top, row.labelWidth, 285);
        ReportControl& field = detail.addField(QLatin1String(row.field), QLatin1String(row.column),
                                               row.fieldLeft, row.top, row.fieldWidth, row.height);
        const QString column = QLatin1String(row.column);
        if (column == QLatin1String("Vellagon"))
            field.setCanGrow();
        if (column.endsWith(QLatin1String(" Time")))
            field.setDateColumn();
    }

    layout.pageFooter().setHeight(45);

    ReportSection& footer = layout.reportFooter();
    footer.setHeight(1305);
    footer.addLabel(QStringLiteral("Label11"), QStringLiteral("Total time spent:"), 6048, 288, 1290,
                    285);
    footer
        .addFunction(QStringLiteral("Function1"), QStringLiteral("Duration"), 7488, 288, 1725, 285)
        .setFormat(QStringLiteral("#,###.0 hours"));
    return layout;
}

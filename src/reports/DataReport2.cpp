#include "DataReport2.h"

#include "LayoutTable.h"

namespace {

using namespace LayoutTable;

constexpr Control Title[] = {
    {Kind::Label, "Label5", "Vellagon Active Clients Report", 0, 0, 9216, 288, "", 14.25, Centred},
};

// The four columns, left to right: each heading stands over its field, underlined.
constexpr Control Headings[] = {
    {Kind::Label, "Label1", "Client Information", 144, 0, 2160, 285, "", 9.75},
    {Kind::Line, "Line1", "", 144, 288, 1584, 0},
    {Kind::Label, "Label2", "Defendant", 2448, 0, 2025, 285, "", 9.75},
    {Kind::Line, "Line2", "", 2448, 288, 1008, 0},
    {Kind::Label, "Label3", "Case Information", 4752, 0, 2160, 285, "", 9.75},
    {Kind::Line, "Line3", "", 4752, 288, 1584, 0},
    {Kind::Label, "Label4", "Priority Things To Do", 7056, 0, 2160, 285, "", 9.75},
    {Kind::Line, "Line4", "", 7056, 288, 1875, 0},
};

constexpr Control Columns[] = {
    {Kind::Field, "Text1", "Client", 144, 144, 2160, 285, "", 0, Grows},
    {Kind::Field, "Text2", "Defendant", 2448, 144, 2160, 285, "", 0, Grows},
    {Kind::Field, "Text3", "CaseInfo", 4752, 144, 2160, 285, "", 0, Grows},
    {Kind::Field, "Text4", "Things To Do", 7056, 144, 2160, 285, "", 0, Grows},
};

} // namespace

DataReport2::DataReport2() : Report(makeLayout()) {
}

ReportLayout DataReport2::makeLayout() {
    ReportLayout layout = inchMargins(QStringLiteral("Active Clients Report"), 9345);
    fill(layout.reportHeader(), 465, Title);
    fill(layout.pageHeader(), 300, Headings);
    fill(layout.detail(), 480, Columns);
    fill(layout.pageFooter(), 0, {});
    fill(layout.reportFooter(), 360, {});
    return layout;
}

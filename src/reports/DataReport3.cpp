#include "DataReport3.h"

#include "LayoutTable.h"

namespace {

using namespace LayoutTable;

// The letter's parts, one below the other; each grows with its text.
constexpr Control Letter[] = {
    {Kind::Label, "Label1", "", 144, 0, 9060, 285, "", 14.25, Grows | Centred},
    {Kind::Label, "Label2", "", 144, 288, 9072, 285, "", 0, Grows},
    {Kind::Label, "Label3", "", 144, 576, 9072, 285, "", 0, Grows},
    {Kind::Label, "Label4", "", 144, 864, 9072, 285, "", 0, Grows},
    {Kind::Label, "Label5", "", 144, 1152, 9072, 288, "", 0, Grows},
};

// The caption row ends where the values begin (288 high rather than 300), so that a caption
// that grows pushes its values down instead of writing over them. The letter's fonts replace
// the layout's, and the default ones are larger: what no longer fits its width goes on to
// another line rather than being cut off.
constexpr Control Log[] = {
    {Kind::Label, "Label8", "Employee:", 144, 288, 1155, 288, "", 0, Grows},
    {Kind::Label, "Label13", "When:", 2880, 288, 870, 288, "", 0, Grows},
    {Kind::Label, "Label9", "Rate:", 4608, 288, 720, 288, "", 0, Grows},
    {Kind::Label, "Label10", "Time (in tenths of an hour):", 5472, 288, 2160, 288, "", 0, Grows},
    {Kind::Label, "Label11", "Fee:", 7632, 288, 1005, 288, "", 0, Grows},
    {Kind::Label, "Label7", "Service provided:", 144, 864, 2880, 285, "", 0, Grows},
    {Kind::Field, "Text1", "Employee", 144, 576, 2448, 240, "", 9, Grows},
    {Kind::Field, "Text2", "Beginning Time", 2880, 576, 1728, 240, "m/d/yy h:nn AM/PM", 9, Grows},
    {Kind::Field, "Text3", "Rate", 4608, 576, 864, 240, Money, 9, Grows},
    {Kind::Field, "Text4", "Duration", 5472, 576, 1440, 240, "", 9, Grows},
    {Kind::Field, "Text5", "Fee", 7632, 576, 1008, 240, Money, 9, Grows},
    {Kind::Field, "Text6", "Log Summary", 144, 1152, 8490, 240, "", 9, Grows},
};

constexpr Control PageNumber[] = {
    {Kind::Label, "Label14", "Page %p of %P", 144, 144, 8496, 288, "", 9, Centred},
};

constexpr Control Total[] = {
    {Kind::Label, "Label12", "Total:", 5904, 288, 1440, 285, "", 0, Grows},
    {Kind::Function, "Function1", "Fee", 7632, 288, 1005, 240, Money, 9, Grows},
    {Kind::Label, "Label6", "", 144, 1008, 9060, 300, "", 0, Grows},
};

} // namespace

DataReport3::DataReport3() : Report(makeLayout()) {
}

ReportLayout DataReport3::makeLayout() {
    ReportLayout layout = inchMargins(QStringLiteral("DataReport3"), 9360);
    fill(layout.reportHeader(), 1440, Letter);
    fill(layout.pageHeader(), 0, {});
    fill(layout.detail(), 1755, Log);
    fill(layout.pageFooter(), 555, PageNumber);
    fill(layout.reportFooter(), 1770, Total);
    return layout;
}

#include "DataReport5.h"

#include "LayoutTable.h"

namespace {

using namespace LayoutTable;

// The letter's parts, one below the other; each grows with its text.
constexpr Control Letter[] = {
    {Kind::Label, "Label1", "Letterhead", 144, 144, 9060, 285, "", 14.25, Grows | Centred},
    {Kind::Label, "Label2", "Date", 144, 576, 9072, 288, "", 0, Grows},
    {Kind::Label, "Label3", "Address", 144, 864, 9072, 285, "", 0, Grows},
    {Kind::Label, "Label4", "Re", 144, 1152, 9072, 285, "", 0, Grows},
    {Kind::Label, "Label5", "Greeting", 144, 1440, 9072, 285, "", 0, Grows},
};

constexpr Control Payment[] = {
    {Kind::Field, "Text1", "Payment Description", 144, 144, 3312, 288},
    {Kind::Field, "Text2", "Payment Date", 3600, 144, 2736, 288, "M/d/yyyy", 0, Dates},
    {Kind::Field, "Text3", "Payment Amount", 7200, 144, 2007, 285, Money},
};

constexpr Control PageNumber[] = {
    {Kind::Label, "Label7", "Page %p", 144, 144, 9072, 288, "", 0, Centred},
};

constexpr Control Total[] = {
    {Kind::Label, "Label8", "Payments Total:", 4176, 432, 2595, 240, "", 0, RightAligned | Grows},
    {Kind::Function, "Function1", "Payment Amount", 7200, 432, 2010, 240, Money},
    {Kind::Label, "Label6", "Closing", 144, 1152, 9060, 285, "", 0, Grows},
};

} // namespace

DataReport5::DataReport5() : Report(makeLayout()) {
}

ReportLayout DataReport5::makeLayout() {
    ReportLayout layout = inchMargins(QStringLiteral("DataReport5"), 9345);
    fill(layout.reportHeader(), 1800, Letter);
    fill(layout.pageHeader(), 0, {});
    fill(layout.detail(), 495, Payment);
    fill(layout.pageFooter(), 435, PageNumber);
    fill(layout.reportFooter(), 1650, Total);
    return layout;
}

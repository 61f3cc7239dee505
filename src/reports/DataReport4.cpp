#include "DataReport4.h"

#include "LayoutTable.h"

namespace {

using namespace LayoutTable;

// The letter's parts, one below the other; each grows with its text.
constexpr Control Letter[] = {
    {Kind::Label, "Label1", "Letterhead", 144, 0, 9072, 432, "", 14.25, Grows | Centred},
    {Kind::Label, "Label2", "Date", 144, 576, 9072, 288, "", 0, Grows},
    {Kind::Label, "Label3", "Address", 144, 864, 9072, 288, "", 0, Grows},
    {Kind::Label, "Label4", "Re", 144, 1152, 9072, 300, "", 0, Grows},
    {Kind::Label, "Label5", "Greeting", 144, 1440, 9072, 285, "", 0, Grows},
};

// A description or payee longer than its line goes on to further lines rather than being cut
// off (a description may hold several lines of its own).
constexpr Control Disbursement[] = {
    {Kind::Field, "Text1", "Disbursement Description", 144, 144, 8496, 288, "", 0, Grows},
    {Kind::Field, "Text2", "Disbursement Payee", 144, 432, 4020, 300, "", 0, Grows},
    {Kind::Field, "Text3", "Disbursement Date", 4320, 432, 2595, 300, "MMMM d, yyyy", 0, Dates},
    {Kind::Field, "Text4", "Disbursement Amount", 7200, 432, 1725, 300, Money},
};

constexpr Control PageNumber[] = {
    {Kind::Label, "Label7", "Page %p", 144, 0, 9072, 288, "", 0, Grows | Centred},
};

// The total's caption keeps its right edge beside the total but has room to its left, so that
// the letter's larger fonts do not cut it off.
constexpr Control Total[] = {
    {Kind::Label, "Label8", "Total Disbursements:", 2880, 432, 3891, 240, "", 0,
     RightAligned | Grows},
    {Kind::Function, "Function1", "Disbursement Amount", 7200, 432, 1440, 240, Money},
    {Kind::Label, "Label6", "Closing", 144, 864, 9060, 285, "", 0, Grows},
};

} // namespace

DataReport4::DataReport4() : Report(makeLayout()) {
}

ReportLayout DataReport4::makeLayout() {
    ReportLayout layout = inchMargins(QStringLiteral("DataReport4"), 9360);
    fill(layout.reportHeader(), 1785, Letter);
    fill(layout.pageHeader(), 0, {});
    fill(layout.detail(), 840, Disbursement);
    fill(layout.pageFooter(), 360, PageNumber);
    fill(layout.reportFooter(), 1710, Total);
    return layout;
}

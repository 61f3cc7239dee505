#pragma once

#include "platform/reporting/Report.h"

// The active clients report: a title, four underlined column headings on every page, and one
// band per client whose four columns grow with their text. No page numbers.
class DataReport2 : public Report {
public:
    DataReport2();
    static ReportLayout makeLayout();
};

#pragma once

#include "platform/reporting/Report.h"

// The log report: one block per log with a title above and the total time at the end.
// The title is Label1 of Section4; callers may set its caption before showing.
class DataReport1 : public Report {
public:
    DataReport1();
    static ReportLayout makeLayout();
};

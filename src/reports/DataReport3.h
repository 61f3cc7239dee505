#pragma once

#include "platform/reporting/Report.h"

// The invoice: a letter whose header holds the letterhead, the date, the client's address, Re
// line and greeting; one block per log with its employee, time, rate, duration, fee and
// summary; the total of the fees and the closing at the end; "Page n of N" at every page foot.
// Callers set the letter's captions and fonts before showing.
class DataReport3 : public Report {
public:
    DataReport3();
    static ReportLayout makeLayout();
};

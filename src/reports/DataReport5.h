#pragma once

#include "platform/reporting/Report.h"

// The statement of payments: the letter of the disbursements' statement with one line per
// payment (description, date, amount) and "Payments Total:" at the end; "Page n" at every
// page foot. Callers set the letter's captions and fonts before showing.
class DataReport5 : public Report {
public:
    DataReport5();
    static ReportLayout makeLayout();
};

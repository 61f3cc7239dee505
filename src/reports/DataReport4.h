#pragma once

#include "platform/reporting/Report.h"

// The statement of disbursements: a letter whose header holds the letterhead, the date, the
// client's address, Re line and greeting; one block per disbursement, its description on its
// own line and the payee, date and amount below it; the total and the closing at the end;
// "Page n" at every page foot. Callers set the letter's captions and fonts before showing.
class DataReport4 : public Report {
public:
    DataReport4();
    static ReportLayout makeLayout();
};

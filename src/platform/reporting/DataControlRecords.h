#pragma once

#include "ReportData.h"

class DataControl;

// The rows a data control shows, in its order, as the records of a report.
class DataControlRecords : public StoredRecords {
public:
    // Reads the rows once, only the named columns when there are any (those a report shows);
    // the control keeps its position. Throws AppError when they cannot be read.
    explicit DataControlRecords(const DataControl& control, const QStringList& columns = {});
};

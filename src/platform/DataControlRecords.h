#pragma once

#include "ReportData.h"

class DataControl;

// The rows a data control shows, in its order, as the records of a report.
class DataControlRecords : public ReportRecordSource {
public:
    // Reads the rows once; the control keeps its position. Throws AppError when they cannot be
    // read.
    explicit DataControlRecords(const DataControl& control);
    int rowCount() const override { return int(m_rows.size()); }
    int columnIndex(const QString& name) const override;
    QVariant value(int row, int column) const override;

private:
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
};

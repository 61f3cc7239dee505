#pragma once

#include "platform/reporting/ReportData.h"

#include <QList>
#include <utility>

// The rows of a letter's statement as the letter prints them: money as its printed cents, so
// that the lines and a total summed from them agree; other columns as the layout formats them.
class PrintedRecords : public ReportRecordSource {
public:
    enum class As { Cents, Single, DateTime };

    PrintedRecords(const Database& db, const QString& jetSql, const QVariantList& params,
                   const QList<std::pair<QString, As>>& columns);

    int rowCount() const override { return m_rows.rowCount(); }
    int columnIndex(const QString& name) const override { return m_rows.columnIndex(name); }
    QVariant value(int row, int column) const override;

private:
    SqlRecordSource m_rows;
    QList<std::pair<int, As>> m_columns;
};

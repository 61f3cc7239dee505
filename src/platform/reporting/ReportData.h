#pragma once

#include "platform/data/Database.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class Currency;

// The records a report is filled from: a number of rows, and the value of a named column in
// a row. A data control offers its own adapter; SqlRecordSource runs a statement.
class ReportRecordSource {
public:
    virtual ~ReportRecordSource() = default;
    virtual int rowCount() const = 0;
    // The column's index (names compared without regard to case), or -1.
    virtual int columnIndex(const QString& name) const = 0;
    virtual QVariant value(int row, int column) const = 0;
    QVariant value(int row, const QString& name) const;
};

// The total of a column, added up in the money type: exact to the ten-thousandth, rounded as
// each value is read, and an error (AppError Overflow) where the total would leave the range.
// Values that are no number (NULL, text) add nothing.
Currency columnTotal(const ReportRecordSource& records, int column);

// Rows read for a report: the column names and every value, text kept in the file's own
// form (UTF-8, half the memory of Qt's) until a report shows it.
class StoredRecords : public ReportRecordSource {
public:
    using ReportRecordSource::value;
    int rowCount() const override { return m_rowCount; }
    int columnIndex(const QString& name) const override;
    QVariant value(int row, int column) const override;
    const QStringList& columns() const { return m_columns; }

protected:
    void setColumns(const QStringList& columns);
    // Takes the values of one row (text as UTF-8 bytes, as the SQL layer gives it on asking).
    void append(QVariantList& row);
    // Takes every row at once, as the engine gave them (no value object a column).
    void setRows(const QStringList& columns, Database::Rows rows);

private:
    QStringList m_columns;
    QHash<QString, int> m_index; // folded name -> column
    std::vector<QVariant> m_values;
    Database::Rows m_rows; // used instead of m_values when set
    int m_rowCount = 0;
};

// The rows of one statement in the Jet dialect, read once when it is made (no statement
// stays open). With columns named, a statement that lists one table reads only those of them
// that the table has (those a report shows). Throws AppError when the engine refuses the
// statement.
class SqlRecordSource : public StoredRecords {
public:
    SqlRecordSource(const Database& db, const QString& jetSql, const QVariantList& params = {},
                    const QStringList& columns = {});
};

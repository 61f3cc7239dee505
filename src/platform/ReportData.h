#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class Database;

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

// The rows of one statement in the Jet dialect, read once when it is made (no statement
// stays open). Throws AppError when the engine refuses the statement.
class SqlRecordSource : public ReportRecordSource {
public:
    SqlRecordSource(const Database& db, const QString& jetSql, const QVariantList& params = {});
    int rowCount() const override { return m_rowCount; }
    int columnIndex(const QString& name) const override;
    QVariant value(int row, int column) const override;
    const QStringList& columns() const { return m_columns; }

private:
    QStringList m_columns;
    QHash<QString, int> m_index; // folded name -> column
    std::vector<QVariant> m_values;
    int m_rowCount = 0;
};

#include "ReportData.h"

#include "Database.h"

#include <QSqlRecord>

QVariant ReportRecordSource::value(int row, const QString& name) const {
    const int column = columnIndex(name);
    return column < 0 ? QVariant() : value(row, column);
}

SqlRecordSource::SqlRecordSource(const Database& db, const QString& jetSql,
                                 const QVariantList& params) {
    QSqlQuery query = db.execJet(jetSql, params);
    const QSqlRecord record = query.record();
    for (int i = 0; i < record.count(); ++i) {
        m_columns << record.fieldName(i);
        m_index.insert(record.fieldName(i).toCaseFolded(), i);
    }
    const int columns = int(m_columns.size());
    while (db.next(query)) {
        for (int i = 0; i < columns; ++i)
            m_values.push_back(query.value(i));
        ++m_rowCount;
    }
}

int SqlRecordSource::columnIndex(const QString& name) const {
    return m_index.value(name.toCaseFolded(), -1);
}

QVariant SqlRecordSource::value(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size())
        return {};
    return m_values[size_t(row) * m_columns.size() + column];
}

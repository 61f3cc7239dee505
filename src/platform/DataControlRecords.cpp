#include "DataControlRecords.h"

#include "DataControl.h"

#include <QSqlRecord>

DataControlRecords::DataControlRecords(const DataControl& control)
    : m_columns(control.fieldNames()) {
    control.forEachRow([this](const QSqlRecord& row) {
        QVariantList values;
        values.reserve(row.count());
        for (int i = 0; i < row.count(); ++i)
            values << row.value(i);
        m_rows.push_back(std::move(values));
        return true;
    });
}

int DataControlRecords::columnIndex(const QString& name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant DataControlRecords::value(int row, int column) const {
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= m_rows[row].size())
        return {};
    return m_rows[row][column];
}

#include "ReportData.h"

#include "platform/data/Currency.h"
#include "platform/data/Database.h"
#include "platform/data/JetSql.h"
#include "platform/data/RecordSource.h"

#include <QSqlRecord>

QVariant ReportRecordSource::value(int row, const QString& name) const {
    const int column = columnIndex(name);
    return column < 0 ? QVariant() : value(row, column);
}

Currency columnTotal(const ReportRecordSource& records, int column) {
    Currency total;
    for (int row = 0; row < records.rowCount(); ++row)
        if (const std::optional<Currency> value =
                Currency::fromSqlValue(records.value(row, column)))
            total += *value;
    return total;
}

namespace {

// The statement reading only the chosen columns, when it lists one table that has them.
QString narrowed(const Database& db, const QString& sql, const QStringList& columns) {
    if (columns.isEmpty())
        return sql;
    const std::optional<RecordSource::SingleTable> single = RecordSource::singleTable(sql);
    if (!single || !db.hasTable(single->table))
        return sql;
    const QSqlRecord fields =
        db.exec(QStringLiteral("SELECT * FROM ") + RecordSource::quoteName(single->table) +
                QStringLiteral(" WHERE 0"))
            .record();
    QStringList all;
    QStringList chosen;
    for (int i = 0; i < fields.count(); ++i) {
        all << fields.fieldName(i);
        if (columns.contains(fields.fieldName(i), Qt::CaseInsensitive))
            chosen << fields.fieldName(i);
    }
    return chosen.isEmpty() ? sql
                            : RecordSource::selectColumns(single->table, *single, chosen, all);
}

} // namespace

SqlRecordSource::SqlRecordSource(const Database& db, const QString& jetSql,
                                 const QVariantList& params, const QStringList& columns) {
    Database::Rows rows;
    const QStringList names =
        db.readRows(narrowed(db, JetSql::translate(jetSql), columns), params, rows);
    setRows(names, std::move(rows));
}

void StoredRecords::setRows(const QStringList& columns, Database::Rows rows) {
    setColumns(columns);
    m_values.clear();
    m_rowCount = rows.count();
    m_rows = std::move(rows);
}

void StoredRecords::setColumns(const QStringList& columns) {
    m_columns = columns;
    m_index.clear();
    for (int i = 0; i < m_columns.size(); ++i)
        m_index.insert(m_columns[i].toCaseFolded(), i);
}

void StoredRecords::append(QVariantList& row) {
    m_values.insert(m_values.end(), std::make_move_iterator(row.begin()),
                    std::make_move_iterator(row.end()));
    ++m_rowCount;
}

int StoredRecords::columnIndex(const QString& name) const {
    return m_index.value(name.toCaseFolded(), -1);
}

QVariant StoredRecords::value(int row, int column) const {
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columns.size())
        return {};
    const QVariant v = m_rows.count() > 0 ? m_rows.value(row, column)
                                          : m_values[size_t(row) * m_columns.size() + column];
    if (v.typeId() == QMetaType::QByteArray)
        return QString::fromUtf8(v.toByteArray());
    return v;
}

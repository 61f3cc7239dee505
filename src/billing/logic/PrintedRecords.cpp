#include "PrintedRecords.h"

#include "platform/data/Currency.h"
#include "platform/data/StoredDate.h"

PrintedRecords::PrintedRecords(const Database& db, const QString& jetSql,
                               const QVariantList& params,
                               const QList<std::pair<QString, As>>& columns)
    : m_rows(db, jetSql, params) {
    for (const auto& [name, as] : columns)
        m_columns.append({m_rows.columnIndex(name), as});
}

QVariant PrintedRecords::value(int row, int column) const {
    const QVariant value = m_rows.value(row, column);
    if (value.isNull())
        return value;
    for (const auto& [index, as] : m_columns) {
        if (index != column)
            continue;
        switch (as) {
        case As::Cents:
            if (const std::optional<Currency> money = Currency::fromSqlValue(value))
                return QVariant::fromValue(money->roundedToCents());
            break;
        case As::Single:
            if (value.typeId() == QMetaType::Double)
                return QVariant::fromValue(float(value.toDouble()));
            break;
        case As::DateTime:
            if (const QDateTime date = StoredDate::fromStored(value); date.isValid())
                return date;
            break;
        }
        break;
    }
    return value;
}

#include "TableRows.h"

#include <QHash>
#include <algorithm>

namespace {

QHash<QString, std::weak_ptr<TableRows>>& registry() {
    static QHash<QString, std::weak_ptr<TableRows>> lists;
    return lists;
}

// Placing a changed row takes a few lookups for every halving of the list; reading the list
// again takes a little for every row. Beyond this many changed rows the reading is quicker.
bool worthPlacing(qsizetype changed, qsizetype listed) {
    return changed <= qMax<qsizetype>(16, listed / 1024);
}

// The parameters as part of a list's key: the same statement on other values is another set.
QString parametersKey(const QVariantList& parameters) {
    QString key;
    for (const QVariant& value : parameters)
        key += QLatin1Char('\n') + QString::number(value.typeId()) + QLatin1Char(':') +
               value.toString();
    return key;
}

} // namespace

std::shared_ptr<TableRows> TableRows::of(const Database& db, const QString& table,
                                         const RecordSource::SingleTable& source,
                                         const QStringList& columns,
                                         const QVariantList& parameters) {
    return of(db, table, source, RecordSource::idStatements(table, source, columns), parameters);
}

std::shared_ptr<TableRows> TableRows::of(const Database& db, const QString& table,
                                         const RecordSource::SingleTable& source,
                                         const RecordSource::IdStatements& sql,
                                         const QVariantList& parameters) {
    const QString key =
        db.connectionName() + QLatin1Char('\n') + sql.ids + parametersKey(parameters);
    QHash<QString, std::weak_ptr<TableRows>>& lists = registry();
    lists.removeIf([](const auto& entry) { return entry.value().expired(); });
    if (std::shared_ptr<TableRows> shared = lists.value(key).lock())
        return shared;
    auto rows = std::make_shared<TableRows>(db, table, sql, parameters,
                                            source.rest.isEmpty() && source.rowByRow,
                                            source.rest.isEmpty() && source.where.isEmpty());
    lists.insert(key, rows);
    return rows;
}

TableRows::TableRows(const Database& db, const QString& table,
                     const RecordSource::IdStatements& sql, const QVariantList& parameters,
                     bool followsChanges, bool wholeTable)
    : m_db(db), m_table(table), m_sql(sql), m_params(parameters), m_followsChanges(followsChanges),
      m_wholeTable(wholeTable) {
}

qsizetype TableRows::expectedIds(const Snapshot& base) const {
    // A list read before is about as long as it was; all of a table is at most its span of
    // row ids. Room not used costs nothing until it is written to, and is given back below.
    constexpr qint64 Most = qint64(1) << 24;
    if (base.valid)
        return qMin<qint64>(base.ids.size() + base.ids.size() / 16 + 64, Most);
    if (!m_wholeTable)
        return 0;
    // Each in a statement of its own, so that each is one step down the table's tree.
    const QString table = RecordSource::quoteName(m_table);
    const QList<qint64> span =
        m_db.rowIds(QStringLiteral("SELECT (SELECT max(rowid) FROM %1) - (SELECT min(rowid) "
                                   "FROM %1) + 1")
                        .arg(table));
    return span.isEmpty() ? 0 : qBound<qint64>(0, span.first(), Most);
}

TableRows::Snapshot TableRows::current(const Snapshot& own, const Database::ChangeMark& now) {
    if (own.valid && own.mark == now)
        return own;
    if (m_latest.valid && m_latest.mark == now)
        return m_latest;
    const Snapshot& base = own.valid ? own : m_latest;
    std::optional<QList<qint64>> ids;
    if (base.valid && m_followsChanges) {
        const std::optional<QList<qint64>> changed = m_db.rowsChangedSince(base.mark, now, m_table);
        if (changed && worthPlacing(changed->size(), base.ids.size()))
            ids = merged(base.ids, *changed);
    }
    if (!ids) {
        ids = m_db.rowIds(m_sql.ids, m_params, expectedIds(base));
        // Squeezing copies the list: only worth it when much of its room is unused.
        if (ids->capacity() - ids->size() > ids->size() / 8 + 64)
            ids->squeeze();
    }
    m_latest = Snapshot{*ids, now, true};
    return m_latest;
}

std::optional<QList<qint64>> TableRows::merged(const QList<qint64>& base,
                                               const QList<qint64>& changed) const {
    if (changed.isEmpty())
        return base;
    // The changed rows leave the list (changed is sorted) ...
    const qint64 low = changed.first();
    const qint64 high = changed.last();
    const auto isChanged = [&](qint64 id) {
        return id >= low && id <= high && std::binary_search(changed.begin(), changed.end(), id);
    };
    QList<qint64> kept;
    if (std::any_of(base.begin(), base.end(), isChanged)) {
        kept.reserve(base.size());
        std::copy_if(base.begin(), base.end(), std::back_inserter(kept),
                     [&](qint64 id) { return !isChanged(id); });
    } else {
        kept = base;
    }

    // ... and those still in the set come back, in the set's order, each before the first
    // kept row that does not come before it.
    QString array = QStringLiteral("[");
    for (qint64 id : changed)
        array += QString::number(id) + QLatin1Char(',');
    array.back() = QLatin1Char(']');
    const QList<qint64> arrivals = m_db.rowIds(m_sql.arrivals, QVariantList{array} + m_params);
    if (arrivals.isEmpty())
        return kept;
    QList<qint64> result(kept.size() + arrivals.size());
    auto out = result.begin();
    qsizetype from = 0;
    for (qint64 arrival : arrivals) {
        qsizetype low = from;
        qsizetype high = kept.size();
        while (low < high) {
            const qsizetype middle = low + (high - low) / 2;
            const std::optional<bool> before = comesFirst(kept.at(middle), arrival);
            if (!before)
                return std::nullopt;
            if (*before)
                low = middle + 1;
            else
                high = middle;
        }
        out = std::copy(kept.cbegin() + from, kept.cbegin() + low, out);
        *out++ = arrival;
        from = low;
    }
    std::copy(kept.cbegin() + from, kept.cend(), out);
    return result;
}

std::optional<bool> TableRows::comesFirst(qint64 a, qint64 b) const {
    const QList<qint64> both = m_db.rowIds(m_sql.pair, {a, b});
    // A listed row that is gone without the connection knowing: the list is read again.
    if (both.size() != 2)
        return std::nullopt;
    return both.first() == a;
}

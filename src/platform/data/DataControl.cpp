#include "DataControl.h"

#include "AppError.h"
#include "ConnectionString.h"
#include "FileOps.h"
#include "JetSql.h"
#include "RecordSource.h"
#include "StoredDate.h"
#include "TableRows.h"

#include <QDateTime>
#include <QEvent>
#include <QSqlField>
#include <QSqlQuery>
#include <algorithm>
#include <numeric>

namespace {

using RecordSource::quoteName;

// Rows read per statement when the whole set is walked.
constexpr int BatchSize = 500;

const QString& outOfRange() {
    static const QString text = QStringLiteral("Arguments are of the wrong type, are out of "
                                               "acceptable range, or are in conflict with one "
                                               "another.");
    return text;
}

const QString& noCurrentRecord() {
    static const QString text =
        QStringLiteral("Either BOF or EOF is True, or the current record has been deleted. "
                       "Requested operation requires a current record.");
    return text;
}

// Dates go to the file in their stored text form, never in Qt's 'T' form.
QVariant storable(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return StoredDate::toSqlValue(value.toDateTime());
    case QMetaType::QDate:
        return StoredDate::toSqlValue(value.toDate().startOfDay());
    default:
        return value;
    }
}

} // namespace

DataControl::DataControl(QObject* parent) : QObject(parent) {
    if (parent)
        parent->installEventFilter(this);
}

DataControl::~DataControl() {
    leaveRow();
}

bool DataControl::eventFilter(QObject* watched, QEvent* event) {
    // Closing the window writes the edit while its boxes and its rules are still there.
    if (watched == parent() && event->type() == QEvent::Close && !Update()) {
        event->ignore();
        return true;
    }
    return false;
}

void DataControl::setDatabasePath(const QString& path) {
    m_path = path;
    m_connectionString = ConnectionString::plain(path);
}

void DataControl::setConnectionString(const QString& connectionString) {
    m_connectionString = connectionString;
    m_path = ConnectionString::dataSource(connectionString);
}

void DataControl::setRecordSource(const QString& jetSql, const QVariantList& parameters) {
    m_source = jetSql;
    m_params = parameters;
}

bool DataControl::fail(int number, const QString& description) {
    emit error(number, description);
    return false;
}

// ---- reading the set

namespace {

// What is known of a source by its text and of a table by its name, kept per connection:
// a search opens a new window on a new control every time, and looking the same things up
// again would cost it more than reading its few rows.
constexpr qsizetype KnownLimit = 64;

struct TableShape {
    qint64 schemaVersion = -1;
    QString table; // as stored; "" when there is no such table
    QSqlRecord fields;
    QStringList key;   // the primary key's fields in key order; none for a table without one
    QStringList names; // of the fields
    QHash<QString, int> fieldIndex; // lower-case name -> column
    QList<int> identity;            // the columns that tell one record from another
    QString rowSql;                 // reads one row by id
};

TableShape tableShape(const Database& db, const QString& name, qint64 schemaVersion) {
    static QHash<QString, TableShape> known;
    const QString key = db.connectionName() + QLatin1Char('\n') + name.toLower();
    const auto it = known.constFind(key);
    if (it != known.constEnd() && it->schemaVersion == schemaVersion)
        return *it;
    TableShape shape;
    shape.schemaVersion = schemaVersion;
    shape.table = db.scalar(QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                           "'table' AND name = ? COLLATE NOCASE"),
                            {name})
                      .toString();
    if (!shape.table.isEmpty()) {
        shape.fields = db.exec(QStringLiteral("SELECT * FROM ") + quoteName(shape.table) +
                               QStringLiteral(" WHERE 0"))
                           .record();
        QSqlQuery key = db.exec(QStringLiteral("SELECT name FROM pragma_table_info(?) "
                                               "WHERE pk > 0 ORDER BY pk"),
                                {shape.table});
        while (db.next(key))
            shape.key << key.value(0).toString();
        for (int i = 0; i < shape.fields.count(); ++i)
            shape.names << shape.fields.fieldName(i);
        for (int i = 0; i < shape.names.size(); ++i)
            shape.fieldIndex.insert(shape.names[i].toLower(), i);
        // A table without a key has nothing but its values to tell one record from another.
        for (int i = 0; i < shape.names.size(); ++i)
            if (shape.key.isEmpty() || shape.key.contains(shape.names[i], Qt::CaseInsensitive))
                shape.identity << i;
        shape.rowSql = QStringLiteral("SELECT * FROM ") + quoteName(shape.table) +
                       QStringLiteral(" WHERE rowid = ?");
    }
    if (known.size() >= KnownLimit)
        known.clear();
    known.insert(key, shape);
    return shape;
}

// Whether the engine finds the ids of a condition that no index serves by walking an index
// of the order and looking every row up in the table: a read of the table in its own order,
// and a sort of what the condition keeps, costs less (a search of the notes).
bool walksIndexForOrder(const Database& db, const RecordSource::SingleTable& source,
                        const QString& ids) {
    // Only a pattern that begins with a wildcard is worth asking about: the plan costs a
    // statement made, and a search by a name (an index of its own) is run once per name.
    if (source.order.isEmpty() || !source.rest.isEmpty() ||
        !source.where.contains(QLatin1String("LIKE '%"), Qt::CaseInsensitive))
        return false;
    bool walks = false;
    bool other = false; // a search by an index, a sort, a subquery ...
    db.readRows(QStringLiteral("EXPLAIN QUERY PLAN ") + ids, {}, [&](QVariantList& step) {
        const QString detail = step.value(3).toString();
        other |= !detail.startsWith(QLatin1String("SCAN "));
        walks |= detail.contains(QLatin1String(" USING INDEX ")) &&
                 !detail.contains(QLatin1String("COVERING"));
        return true;
    });
    return walks && !other;
}

} // namespace

// What a source that lists one table needs on a file: worked out at its first read there and
// kept with the source's text, so that the next control on it (a search opens a new one each
// time) only takes it.
struct DataControl::TablePlan {
    QString connection; // the connection's name: never given to another one
    qint64 schemaVersion = -1;
    QString table; // as stored
    QSqlRecord fields;
    QStringList names;
    QHash<QString, int> fieldIndex; // lower-case name -> column
    QList<int> identity;
    QString rowSql;
    RecordSource::IdStatements ids;
};

struct DataControl::Source {
    QString sql; // in SQLite's dialect
    std::optional<RecordSource::SingleTable> single;
    // The plan on the file last read (a table source only); replaced on another file or
    // schema.
    mutable std::shared_ptr<const TablePlan> plan;
};

std::shared_ptr<const DataControl::Source> DataControl::sourceText(const QString& jetSql) {
    static QHash<QString, std::shared_ptr<const Source>> known;
    auto it = known.constFind(jetSql);
    if (it == known.constEnd()) {
        const QString sql = JetSql::translate(jetSql); // throws before anything is kept
        if (known.size() >= KnownLimit)
            known.clear();
        it = known.insert(jetSql, std::make_shared<const Source>(
                                      Source{sql, RecordSource::singleTable(sql), {}}));
    }
    return *it;
}

bool DataControl::reload(const std::function<void()>& then) {
    try {
        if (m_path.trimmed().isEmpty())
            throw AppError(AppError::FileError, QStringLiteral("No database file was named."));
        const bool sameFile =
            m_db.isValid() && (m_path == m_openedPath || FileOps::sameFile(m_db.path(), m_path));
        const Database db = sameFile ? m_db : Database::open(m_path);
        const std::shared_ptr<const Source> source = sourceText(m_source);
        // One read of the file: the list and the mark it is known by agree.
        db.read([&](const Database::ChangeMark& now) {
            readSet(db, *source, sameFile, now);
            m_db = db;
            m_openedPath = m_path;
            m_loadedSql = source->sql;
            m_loadedParams = m_params;
            then();
        });
        return true;
    } catch (const AppError& e) {
        return fail(e.number(), e.description());
    }
}

std::shared_ptr<const DataControl::TablePlan>
DataControl::tablePlan(const Database& db, const Source& source, qint64 schemaVersion) {
    if (const std::shared_ptr<const TablePlan>& known = source.plan;
        known && known->schemaVersion == schemaVersion && known->connection == db.connectionName())
        return known;
    const TableShape shape = tableShape(db, source.single->table, schemaVersion);
    if (shape.table.isEmpty())
        return nullptr;
    auto plan = std::make_shared<TablePlan>();
    plan->connection = db.connectionName();
    plan->schemaVersion = schemaVersion;
    plan->table = shape.table;
    plan->fields = shape.fields;
    plan->names = shape.names;
    plan->fieldIndex = shape.fieldIndex;
    plan->identity = shape.identity;
    plan->rowSql = shape.rowSql;
    plan->ids = RecordSource::idStatements(shape.table, *source.single, plan->names);
    if (walksIndexForOrder(db, *source.single, plan->ids.ids))
        plan->ids = RecordSource::idStatements(shape.table, *source.single, plan->names, true);
    source.plan = plan;
    return plan;
}

void DataControl::readSet(const Database& db, const Source& source, bool sameFile,
                          const Database::ChangeMark& mark) {
    const QString& sql = source.sql;
    if (sameFile && sql == m_loadedSql && m_params == m_loadedParams &&
        mark.schemaVersion == m_keysMark.schemaVersion) {
        if (m_tableRows) {
            const TableRows::Snapshot now = m_tableRows->current({m_keys, m_keysMark, true}, mark);
            m_keys = now.ids;
            m_keysMark = now.mark;
            return;
        }
        if (mark == m_keysMark)
            return;
    }
    const std::shared_ptr<const TablePlan> plan =
        source.single ? tablePlan(db, source, mark.schemaVersion) : nullptr;
    if (!plan) {
        loadAllRows(db, sql);
        m_keysMark = mark;
    } else {
        loadTableKeys(db, *plan, source, mark);
    }
}

void DataControl::loadTableKeys(const Database& db, const TablePlan& plan, const Source& source,
                                const Database::ChangeMark& mark) {
    const std::shared_ptr<TableRows> rows =
        TableRows::of(db, plan.table, *source.single, plan.ids, m_params);
    const TableRows::Snapshot snapshot = rows->current({}, mark);

    m_table = plan.table;
    m_rowSql = plan.rowSql;
    m_emptyRecord = plan.fields;
    m_tableRows = rows;
    m_keys = snapshot.ids;
    m_keysMark = snapshot.mark;
    m_rows.clear();
    m_fieldNames = plan.names;
    m_fieldIndex = plan.fieldIndex;
    m_identity = plan.identity;
}

void DataControl::loadAllRows(const Database& db, const QString& sql) {
    QList<QVariantList> rows;
    QSqlRecord fields;
    {
        QSqlQuery query = db.exec(sql, m_params);
        fields = query.record();
        const int columns = fields.count();
        while (db.next(query)) {
            QVariantList row;
            row.reserve(columns);
            for (int i = 0; i < columns; ++i)
                row << query.value(i);
            rows << row;
        }
    }
    m_table.clear();
    m_rowSql.clear();
    m_identity.clear();
    m_tableRows.reset();
    m_emptyRecord = fields;
    m_emptyRecord.clearValues();
    m_rows = std::move(rows);
    m_keys.clear();
    m_keys.reserve(m_rows.size());
    for (qsizetype i = 0; i < m_rows.size(); ++i)
        m_keys.append(i);
    m_fieldNames.clear();
    m_fieldIndex.clear();
    for (int i = 0; i < fields.count(); ++i) {
        m_fieldNames << fields.fieldName(i);
        // A join may name a field twice; the first one answers to the name.
        if (!m_fieldIndex.contains(fields.fieldName(i).toLower()))
            m_fieldIndex.insert(fields.fieldName(i).toLower(), i);
    }
}

bool DataControl::fetch(qint64 key, Database::Row& row) const {
    if (m_table.isEmpty()) {
        if (key < 0 || key >= m_rows.size())
            return false;
        row = Database::Row(m_rows.at(key));
        return true;
    }
    return m_db.readRow(m_rowSql, {key}, row);
}

QVariantList DataControl::newRow() const {
    QVariantList values;
    for (int i = 0; i < m_emptyRecord.count(); ++i)
        values << m_emptyRecord.value(i);
    return values;
}

qsizetype DataControl::indexOfKey(qint64 key) const {
    // std::find runs through a million ids several times faster than QList::indexOf.
    const auto it = std::find(m_keys.cbegin(), m_keys.cend(), key);
    return it == m_keys.cend() ? -1 : it - m_keys.cbegin();
}

// Makes the row at index current; a row that is gone from its table is dropped from the set
// and the next one in the direction of the move is taken.
void DataControl::arrive(int index, int direction) {
    m_deleted = false;
    m_current.clear();
    while (index >= 0 && index < m_keys.size()) {
        Database::Row row;
        if (fetch(m_keys.at(index), row)) {
            m_pos = index;
            m_current = std::move(row);
            return;
        }
        m_keys.removeAt(index);
        if (direction < 0)
            --index;
    }
    m_pos = direction < 0 ? -1 : int(m_keys.size());
}

bool DataControl::moveTo(int index, int direction, int reason) {
    const bool wasDeleted = m_deleted;
    const Database::Row wasCurrent = m_current;
    const bool hadRow = hasCurrentRow();
    const qint64 wasKey = hadRow ? m_keys.at(m_pos) : 0;
    const int wasPos = m_pos;
    try {
        arrive(index, direction);
    } catch (const AppError& e) {
        // The row could not be read: stay where the control stood.
        m_deleted = wasDeleted;
        m_current = wasCurrent;
        m_pos = hadRow ? int(indexOfKey(wasKey)) : qMin(wasPos, int(m_keys.size()));
        if (hadRow && m_pos < 0)
            rowVanished();
        return fail(e.number(), e.description());
    }
    emit fieldsChanged();
    emit moveComplete(reason);
    return true;
}

// ---- position

bool DataControl::isBOF() const {
    if (m_adding)
        return false;
    return m_keys.isEmpty() || (!m_deleted && m_pos < 0);
}

bool DataControl::isEOF() const {
    if (m_adding)
        return false;
    return m_keys.isEmpty() || (!m_deleted && m_pos >= m_keys.size());
}

bool DataControl::hasCurrentRow() const {
    return m_adding || (!m_deleted && m_pos >= 0 && m_pos < m_keys.size());
}

int DataControl::RecordCount() const {
    return int(m_keys.size()) + (m_adding ? 1 : 0);
}

int DataControl::AbsolutePosition() const {
    if (m_adding)
        return RecordCount();
    if (m_keys.isEmpty() || m_deleted)
        return adPosUnknown;
    if (m_pos < 0)
        return adPosBOF;
    if (m_pos >= m_keys.size())
        return adPosEOF;
    return m_pos + 1;
}

QVariant DataControl::Bookmark() const {
    if (m_adding || !hasCurrentRow())
        return {};
    return m_keys.at(m_pos);
}

bool DataControl::Refresh() {
    return requery(false);
}

bool DataControl::RefreshKeepingRow() {
    return requery(true);
}

bool DataControl::requery(bool keepRow) {
    const QVariant shown = Bookmark();
    if (!leaveRow())
        return false;
    // The row to stand on is read together with the set; the window hears of it afterwards.
    int index = 0;
    bool arrived = false;
    const bool read = reload([&] {
        m_adding = false;
        m_changes.clear();
        m_pos = -1;
        const qsizetype kept = keepRow && shown.isValid() ? indexOfKey(shown.toLongLong()) : -1;
        index = int(qMax<qsizetype>(kept, 0));
        try {
            arrive(index, 1);
            arrived = true;
        } catch (const AppError&) {
            // The row is read once more below, where a failure is reported.
        }
    });
    if (!read)
        return false;
    if (!arrived)
        return moveTo(index, 1, adRsnRequery);
    emit fieldsChanged();
    emit moveComplete(adRsnRequery);
    return true;
}

bool DataControl::MoveFirst() {
    if (!leaveRow())
        return false;
    return moveTo(0, 1, adRsnMoveFirst);
}

bool DataControl::MoveLast() {
    if (!leaveRow())
        return false;
    return moveTo(int(m_keys.size()) - 1, -1, adRsnMoveLast);
}

bool DataControl::MoveNext() {
    if (isEOF())
        return fail(NoCurrentRecord, noCurrentRecord());
    if (!leaveRow())
        return false;
    // After a delete the row that followed the deleted one stands at m_pos.
    return moveTo(m_deleted ? m_pos : m_pos + 1, 1, adRsnMoveNext);
}

bool DataControl::MovePrevious() {
    if (isBOF())
        return fail(NoCurrentRecord, noCurrentRecord());
    if (!leaveRow())
        return false;
    return moveTo(m_pos - 1, -1, adRsnMovePrevious);
}

bool DataControl::setAbsolutePosition(int position) {
    if (position < 1 || position > m_keys.size())
        return fail(InvalidArgument, outOfRange());
    if (!leaveRow())
        return false;
    return moveTo(qMin(position, int(m_keys.size())) - 1, 1, adRsnMove);
}

bool DataControl::setBookmark(const QVariant& bookmark) {
    bool ok = false;
    const qint64 key = bookmark.toLongLong(&ok);
    qsizetype index = bookmark.isValid() && ok ? indexOfKey(key) : -1;
    if (index < 0)
        return fail(InvalidArgument, outOfRange());
    const qsizetype listed = m_keys.size();
    if (!leaveRow())
        return false;
    // Writing the edit may have dropped the row left (another window deleted it).
    if (m_keys.size() != listed && (index = indexOfKey(key)) < 0)
        return fail(InvalidArgument, outOfRange());
    // A row deleted meanwhile gives its place to the one that followed it.
    return moveTo(int(index), 1, adRsnMove);
}

// ---- fields

QString DataControl::canonicalField(const QString& field) const {
    const int i = m_fieldIndex.value(field.toLower(), -1);
    return i < 0 ? QString() : m_fieldNames.at(i);
}

QVariant DataControl::value(const QString& field) const {
    const int i = m_fieldIndex.value(field.toLower(), -1);
    if (i < 0 || !hasCurrentRow())
        return {};
    const auto edited = m_changes.constFind(m_fieldNames.at(i));
    if (edited != m_changes.constEnd())
        return *edited;
    return m_current.value(i);
}

QSqlRecord DataControl::record() const {
    if (!hasCurrentRow())
        return {};
    QSqlRecord row = m_emptyRecord;
    for (int i = 0; i < row.count(); ++i)
        row.setValue(i, m_current.value(i));
    return row;
}

bool DataControl::setValue(const QString& field, const QVariant& value) {
    if (!isUpdatable())
        return fail(ReadOnlySource, QStringLiteral("Current Recordset does not support updating. "
                                                   "This may be a limitation of the provider, or "
                                                   "of the selected locktype."));
    if (!hasCurrentRow())
        return fail(NoCurrentRecord, noCurrentRecord());
    const QString name = canonicalField(field);
    if (name.isEmpty())
        return fail(UnknownField, QStringLiteral("Item cannot be found in the collection "
                                                 "corresponding to the requested name or "
                                                 "ordinal: %1.")
                                      .arg(field));
    m_changes.insert(name, value);
    return true;
}

int DataControl::addFieldHook(std::function<bool(QVariantMap&)> hook) {
    const int id = m_nextHookId++;
    m_fieldHooks.append({id, std::move(hook)});
    return id;
}

void DataControl::removeFieldHook(int id) {
    m_fieldHooks.removeIf([id](const auto& entry) { return entry.first == id; });
}

// ---- writing

// Gathers the bound boxes' edits, lets the window's rule see the whole write, and checks the
// field names. False: refused (the hooks said why) or a field the table does not have.
bool DataControl::prepareChanges(QVariantMap& changes) {
    const auto hooks = m_fieldHooks; // a hook may remove itself
    for (const auto& [id, hook] : hooks)
        if (!hook(changes))
            return false;
    if (changes.isEmpty())
        return true;
    if (m_beforeCommit && !m_beforeCommit(changes, record()))
        return false;
    QVariantMap canonical;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        const QString name = canonicalField(it.key());
        if (name.isEmpty())
            return fail(UnknownField, QStringLiteral("Item cannot be found in the collection "
                                                     "corresponding to the requested name or "
                                                     "ordinal: %1.")
                                          .arg(it.key()));
        canonical.insert(name, storable(it.value()));
    }
    changes = canonical;
    return true;
}

bool DataControl::writeChanges(const QVariantMap& changes) {
    QStringList assignments;
    QVariantList params;
    QList<int> compared = m_identity;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        assignments << quoteName(it.key()) + QStringLiteral(" = ?");
        params << it.value();
        if (const int i = m_fieldIndex.value(it.key().toLower()); !compared.contains(i))
            compared << i;
    }
    params << m_keys.at(m_pos);
    // The row id alone may name another record by now (a row id freed is given again), and
    // another window may have written the fields since they were read: the values read are
    // part of the statement, so nothing comes between the check and the write.
    const QString sql = QStringLiteral("UPDATE ") + quoteName(m_table) + QStringLiteral(" SET ") +
                        assignments.join(QStringLiteral(", ")) +
                        QStringLiteral(" WHERE rowid = ?") + asRead(compared, params);
    try {
        if (m_db.write(sql, params) == 0)
            return !refusedWrite(changes,
                                 QStringLiteral(", so your changes were not saved. It is shown now "
                                                "as it stands, with your changes kept; they are "
                                                "written when you save or move on again."),
                                 QStringLiteral(", so your changes to it were not saved."));
    } catch (const AppError& e) {
        return fail(e.number(), e.description());
    }
    m_changes.clear();
    return true;
}

QString DataControl::asRead(const QList<int>& fields, QVariantList& params) const {
    QString where;
    for (int i : fields)
        where += QStringLiteral(" AND ") +
                 Database::holds(quoteName(m_fieldNames.at(i)), m_current.value(i), params);
    return where;
}

bool DataControl::refusedWrite(const QVariantMap& changes, const QString& consequence,
                               const QString& consequenceGone) {
    const QString name = m_recordName ? m_recordName(record()) : QStringLiteral("The record shown");
    const QString said = name + QStringLiteral(" was changed or deleted by another window or "
                                               "program since it was shown");
    // Still the same record when its row id still holds its identity as read.
    QVariantList params{m_keys.at(m_pos)};
    const QString sql = m_rowSql + asRead(m_identity, params);
    Database::Row now;
    try {
        if (m_db.readRow(sql, params, now)) {
            m_current = now;
            m_changes = changes; // shown over the row as it stands, written at the next write
            emit fieldsChanged();
            fail(RowChanged, said + consequence);
            return true;
        }
    } catch (const AppError& e) {
        fail(e.number(), e.description());
        return true; // not known to be gone: the control stays on the row
    }
    m_changes.clear();
    rowVanished();
    fail(RowGone, said + consequenceGone);
    return false;
}

bool DataControl::insertRow(const QVariantMap& changes) {
    QStringList columns;
    QStringList marks;
    QVariantList params;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        columns << quoteName(it.key());
        marks << QStringLiteral("?");
        params << it.value();
    }
    const QString sql =
        columns.isEmpty() ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteName(m_table))
                          : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(quoteName(m_table), columns.join(QStringLiteral(", ")),
                                     marks.join(QStringLiteral(", ")));
    try {
        const qint64 id = m_db.insertRow(sql, params);
        m_adding = false;
        m_changes.clear();
        m_keys.append(id);
        m_pos = int(m_keys.size()) - 1;
        m_deleted = false;
        if (!fetch(id, m_current))
            rowVanished();
    } catch (const AppError& e) {
        return fail(e.number(), e.description());
    }
    return true;
}

void DataControl::rowVanished() {
    if (!m_deleted && m_pos >= 0 && m_pos < m_keys.size())
        m_keys.removeAt(m_pos);
    m_deleted = true;
    m_current.clear();
}

// Writes the pending edit of the row being left. False when the write failed or was refused:
// the edit is kept and the caller stays on the row.
bool DataControl::leaveRow(bool* wrote) {
    if (wrote)
        *wrote = false;
    if (!hasCurrentRow()) {
        m_changes.clear();
        return true;
    }
    QVariantMap changes = m_changes;
    if (!prepareChanges(changes))
        return false;
    if (m_adding) {
        // A new row that received no value is dropped, not written empty.
        if (changes.isEmpty()) {
            m_adding = false;
            m_changes.clear();
            reread();
            return true;
        }
        if (!insertRow(changes))
            return false;
    } else {
        if (changes.isEmpty()) {
            m_changes.clear();
            return true;
        }
        if (!writeChanges(changes))
            return false;
    }
    if (wrote)
        *wrote = true;
    return true;
}

void DataControl::reread() {
    if (m_adding) {
        m_current = Database::Row(newRow());
        return;
    }
    if (!hasCurrentRow())
        return;
    try {
        if (!fetch(m_keys.at(m_pos), m_current))
            rowVanished();
    } catch (const AppError& e) {
        fail(e.number(), e.description());
    }
}

bool DataControl::Update() {
    const bool wasAdding = m_adding;
    bool wrote = false;
    if (!leaveRow(&wrote))
        return false;
    if (wrote || wasAdding) {
        reread();
        emit fieldsChanged();
    }
    return true;
}

void DataControl::CancelUpdate() {
    m_changes.clear();
    m_adding = false;
    reread();
    emit fieldsChanged();
}

bool DataControl::AddNew() {
    if (!isUpdatable())
        return fail(ReadOnlySource, QStringLiteral("Current Recordset does not support updating. "
                                                   "This may be a limitation of the provider, or "
                                                   "of the selected locktype."));
    if (!leaveRow())
        return false;
    m_adding = true;
    m_changes.clear();
    m_current = Database::Row(newRow());
    emit fieldsChanged();
    emit moveComplete(adRsnAddNew);
    return true;
}

bool DataControl::Delete() {
    if (!isUpdatable())
        return fail(ReadOnlySource, QStringLiteral("Current Recordset does not support updating. "
                                                   "This may be a limitation of the provider, or "
                                                   "of the selected locktype."));
    if (m_adding) {
        // The new row is not in the table yet: deleting it is dropping it.
        CancelUpdate();
        return true;
    }
    if (!hasCurrentRow())
        return fail(NoCurrentRecord, noCurrentRecord());
    QVariantList params{m_keys.at(m_pos)};
    QList<int> every(m_fieldNames.size());
    std::iota(every.begin(), every.end(), 0);
    const QString sql = QStringLiteral("DELETE FROM ") + quoteName(m_table) +
                        QStringLiteral(" WHERE rowid = ?") + asRead(every, params);
    try {
        if (m_db.write(sql, params) == 0) {
            if (!refusedWrite({},
                              QStringLiteral(", so it was not deleted. It is shown now as it "
                                             "stands."),
                              QStringLiteral("; nothing was deleted.")))
                emit fieldsChanged();
            return false;
        }
    } catch (const AppError& e) {
        return fail(e.number(), e.description());
    }
    m_changes.clear();
    rowVanished();
    emit fieldsChanged();
    emit moveComplete(adRsnDelete);
    return true;
}

// ---- walking the whole set

void DataControl::chosenFields(const QStringList& columns, QStringList& names,
                               QString& chosen) const {
    QStringList quoted;
    names.clear();
    if (!m_table.isEmpty())
        for (const QString& column : columns)
            if (const QString name = canonicalField(column); !name.isEmpty()) {
                names << name;
                quoted << quoteName(name);
            }
    if (quoted.isEmpty())
        names = m_fieldNames;
    chosen = quoted.join(QStringLiteral(", "));
}

bool DataControl::readRowsInOrder(Database::Rows& rows, QStringList& names,
                                  const QStringList& columns) const {
    if (m_table.isEmpty() || !m_tableRows || m_keys.isEmpty())
        return false;
    QStringList fields;
    QString chosen;
    chosenFields(columns, fields, chosen);
    // The statement of the list's ids, reading the fields besides.
    const QString& ids = m_tableRows->statements().ids;
    const QString head = QStringLiteral("SELECT ") + quoteName(m_table) + QStringLiteral(".rowid");
    if (!ids.startsWith(head))
        return false;
    const QString sql = head + QStringLiteral(", ") +
                        (chosen.isEmpty() ? QStringLiteral("*") : chosen) + ids.mid(head.size());
    Database::Rows read;
    QList<qint64> order;
    order.reserve(m_keys.size());
    m_db.readRows(sql, m_loadedParams, read, &order);
    // The same rows in the same order, or nothing: a row changed, added or deleted since the
    // set was read is read by id instead.
    if (order != m_keys)
        return false;
    rows = std::move(read);
    names = fields;
    return true;
}

QStringList DataControl::forEachRow(const std::function<bool(QVariantList& values)>& fn,
                                    const QStringList& columns, Database::TextForm text) const {
    QStringList names;
    QString chosen;
    chosenFields(columns, names, chosen);
    const QString sql =
        QStringLiteral("SELECT rowid, %1 FROM %2 WHERE rowid IN (SELECT value FROM json_each(?))")
            .arg(chosen.isEmpty() ? QStringLiteral("*") : chosen, quoteName(m_table));
    const QList<qint64> keys = m_keys; // rows added meanwhile are not walked
    for (qsizetype start = 0; start < keys.size(); start += BatchSize) {
        const QList<qint64> batch = keys.mid(start, BatchSize);
        QHash<qint64, QVariantList> rows;
        if (m_table.isEmpty()) {
            for (qint64 key : batch)
                if (key >= 0 && key < m_rows.size())
                    rows.insert(key, m_rows.at(key));
        } else {
            QString array = QStringLiteral("[");
            for (qint64 key : batch)
                array += QString::number(key) + QLatin1Char(',');
            array.back() = QLatin1Char(']');
            m_db.readRows(
                sql, {array},
                [&](QVariantList& row) {
                    const qint64 key = row.takeFirst().toLongLong();
                    rows.insert(key, std::move(row));
                    return true;
                },
                text);
        }
        // The statement is finished before the caller's code runs.
        for (qint64 key : batch) {
            const auto it = rows.find(key);
            if (it != rows.end() && !fn(*it))
                return names;
        }
    }
    return names;
}

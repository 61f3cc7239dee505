#include "Database.h"

#include "AppError.h"
#include "FileOps.h"
#include "JetFunctions.h"
#include "JetSql.h"
#include "RecordSource.h"
#include "TextLimits.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <vector>

using FileOps::quotedPath;

namespace {

// Files up to this size get a full page check at open (a few hundredths of a second); a larger
// one would cost seconds from the cache and most of a minute from the disk on a large practice
// file, so there damage is named when the engine meets it.
constexpr qint64 QuickCheckLimit = 32 * 1024 * 1024;

// The engine's primary result codes that the program tells apart.
enum EngineCode {
    Busy = 5,
    ReadOnly = 8,
    IoError = 10,
    Corrupt = 11,
    Full = 13,
    NotADatabase = 26
};

[[noreturn]] void fail(const QString& description, int number = AppError::FileError) {
    throw AppError(number, description);
}

quint32 bigEndian(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    return value;
}

int engineCode(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok);
    return ok ? code & 0xff : 0;
}

QString engineText(const QSqlError& error) {
    const QString text = error.databaseText();
    return text.isEmpty() ? error.text() : text;
}

QString damagedMessage(const QString& path, const QString& reason) {
    return QStringLiteral("The file %1 is damaged: %2.  Open a backup copy of it instead; "
                          "Vellagon does not write into a damaged file.")
        .arg(quotedPath(path), reason);
}

QString inUseMessage(const QString& path, const QString& engineReason) {
    return QStringLiteral("The file %1 is in use: another program holds it locked (%2).  Try "
                          "again when that program has finished with it.")
        .arg(quotedPath(path), engineReason);
}

// The files found damaged in this run, with what the file was then: a file that changed since
// (a backup copy put in its place) is judged afresh.
struct Damage {
    qint64 size;
    QDateTime modified;
    QString reason;
};

QHash<QString, Damage>& damagedFiles() {
    static QHash<QString, Damage> files;
    return files;
}

void recordDamage(const QString& path, const QString& reason) {
    const QFileInfo info(path);
    damagedFiles().insert(path, {info.size(), info.lastModified(), reason});
}

void refuseKnownDamage(const QString& path) {
    const auto known = damagedFiles().constFind(path);
    if (known == damagedFiles().constEnd())
        return;
    const QFileInfo info(path);
    if (info.size() == known->size && info.lastModified() == known->modified)
        fail(damagedMessage(path, known->reason));
    damagedFiles().erase(known);
}

// Checks what can be seen without the engine: the file is there, is a file, can be read (and
// written, for a file to write), and starts with an SQLite header. Whether its contents are
// whole is for the engine to say, once it has rolled back what a crash left unfinished.
void checkFileBeforeOpening(const QString& path, bool forWriting) {
    QFileInfo info(path);
    if (!info.exists())
        fail(QStringLiteral("The file %1 does not exist.").arg(quotedPath(path)));
    if (info.isDir())
        fail(QStringLiteral("%1 is a folder, not a Vellagon database file.").arg(quotedPath(path)));
    if (!info.isFile())
        fail(QStringLiteral("%1 is not a regular file.").arg(quotedPath(path)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("The file %1 cannot be read: %2.")
                 .arg(quotedPath(path), file.errorString()));
    if (file.size() == 0)
        fail(QStringLiteral("The file %1 is empty; it is not a Vellagon database file.")
                 .arg(quotedPath(path)));
    const QByteArray header = file.read(100);
    file.close();
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        fail(QStringLiteral("The file %1 is not a Vellagon database file.").arg(quotedPath(path)));
    const quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize != 1 && (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)) {
        recordDamage(path, QStringLiteral("its header is invalid"));
        fail(damagedMessage(path, QStringLiteral("its header is invalid")));
    }

    if (!forWriting)
        return;
    if (!info.isWritable())
        fail(QStringLiteral(
                 "The file %1 is read-only; Vellagon needs to write to its database file.")
                 .arg(quotedPath(path)));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isWritable())
        fail(QStringLiteral("The folder of %1 is read-only; Vellagon needs to write beside its "
                            "database file.")
                 .arg(quotedPath(path)));
}

// Why the engine could not read a file at all. Reads the header itself, so no connection may
// be open on the file (closing this read would drop the engine's locks).
[[noreturn]] void refuseUnreadable(const QString& path, const QSqlError& error) {
    const QString text = engineText(error);
    switch (engineCode(error)) {
    case Busy:
        fail(inUseMessage(path, text), AppError::EngineError);
    case ReadOnly:
        // Read without writing, a file whose last write was cut off cannot be rolled back.
        fail(QStringLiteral("The file %1 holds a write that a program did not finish.  Open it "
                            "in Vellagon once, which completes its repair, then try again.")
                 .arg(quotedPath(path)));
    case Corrupt:
    case NotADatabase: {
        QString reason = text;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray header = file.read(100);
            quint32 pageSize = bigEndian(header, 16, 2);
            if (pageSize == 1)
                pageSize = 65536;
            const bool sizeValid = bigEndian(header, 24, 4) == bigEndian(header, 92, 4);
            if (sizeValid && file.size() < qint64(bigEndian(header, 28, 4)) * pageSize)
                reason = QStringLiteral("it is shorter than its contents require (it may have "
                                        "been copied incompletely)");
        }
        recordDamage(path, reason);
        fail(damagedMessage(path, reason));
    }
    default:
        fail(QStringLiteral("The file %1 is not a Vellagon database file (%2).")
                 .arg(quotedPath(path), text));
    }
}

QString lengthOrEngineText(const QString& text) {
    if (const std::optional<TextLimits::TooLong> tooLong = TextLimits::fromEngine(text))
        return TextLimits::engineMessage(*tooLong);
    return text;
}

int connectionCounter = 0;

// The row changes the engine reports on one connection, oldest first. The oldest are
// forgotten once there are many, so that a bulk write costs no memory; whoever asks about a
// forgotten stretch reads again instead.
class ChangeJournal {
public:
    void note(const char* table, qint64 row) {
        if (m_lastTable < 0 || m_tables[m_lastTable] != table) {
            m_lastTable = int(m_tables.indexOf(QByteArray(table)));
            if (m_lastTable < 0) {
                m_tables.append(QByteArray(table));
                m_lastTable = int(m_tables.size()) - 1;
            }
        }
        if (m_changes.size() == Capacity) {
            m_changes.erase(m_changes.begin(), m_changes.begin() + Capacity / 2);
            m_first += Capacity / 2;
        }
        m_changes.push_back({m_lastTable, row});
    }

    quint64 reported() const { return m_first + m_changes.size(); }

    std::optional<QList<qint64>> rowsSince(quint64 since, const QString& table) const {
        if (since < m_first || since > reported())
            return std::nullopt;
        QList<int> wanted;
        for (int i = 0; i < m_tables.size(); ++i)
            if (QString::fromUtf8(m_tables[i]).compare(table, Qt::CaseInsensitive) == 0)
                wanted << i;
        QList<qint64> rows;
        for (auto it = m_changes.begin() + qsizetype(since - m_first); it != m_changes.end(); ++it)
            if (wanted.contains(it->table))
                rows.append(it->row);
        std::sort(rows.begin(), rows.end());
        rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
        return rows;
    }

private:
    struct Change {
        int table;
        qint64 row;
    };
    static constexpr size_t Capacity = size_t(1) << 14;
    std::vector<Change> m_changes;
    quint64 m_first = 0; // the number of m_changes[0] in the connection's history
    QList<QByteArray> m_tables;
    int m_lastTable = -1;
};

void noteRowChange(void* journal, int, const char* database, const char* table, sqlite3_int64 row) {
    // Changes to attached or temporary tables are not noted: the engine counts them all the
    // same, so a list asking about that stretch is read again.
    if (qstrcmp(database, "main") == 0)
        static_cast<ChangeJournal*>(journal)->note(table, row);
}

// The name of a file as the engine takes it in a URI ("file:/path" with its special characters
// escaped), so that options can follow it.
QString fileUri(const QString& canonical) {
    return QStringLiteral("file:") + QString::fromLatin1(QUrl::toPercentEncoding(canonical, "/"));
}

} // namespace

struct Database::Connection {
    QString path;
    QString name;
    sqlite3* handle = nullptr;               // the engine's connection under db, while it is open
    std::optional<FileOps::FileId> identity; // the file opened
    QSqlDatabase db;
    int savepointDepth = 0;
    // Prepared writes, reused: a program that appends thousands of rows prepares each text once.
    QHash<QString, QSqlQuery> preparedWrites;
    // Why the file is damaged, once the engine met damage in it ("" while it is whole).
    QString damage;
    // Statements run through the engine's own calls, prepared once; never left open.
    QHash<QString, sqlite3_stmt*> statements;
    // The statement that holds a read open (Database::read), kept apart from the cache above so
    // that the cache, emptied when full, never finalizes it while it runs.
    sqlite3_stmt* readMark = nullptr;
    // The schema's version as last read, and the engine's count of the file's changes then:
    // while that count stands, nothing was committed to the file, so the version stands too.
    unsigned int fileChangesAtSchema = 0;
    qint64 schemaVersion = -1;
    ChangeJournal journal;

    ~Connection() {
        preparedWrites.clear();
        sqlite3_finalize(readMark);
        for (sqlite3_stmt* statement : std::as_const(statements))
            sqlite3_finalize(statement);
        statements.clear();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }

    // From now on the engine itself refuses every write on this connection.
    void markDamaged(const QString& reason) {
        if (!damage.isEmpty())
            return;
        damage = reason;
        recordDamage(path, reason);
        QSqlQuery(db).exec(QStringLiteral("PRAGMA query_only=1"));
    }

    // Raises the engine's refusal of a statement in words that name the file and its cause.
    [[noreturn]] void fail(const QSqlError& error) { fail(engineCode(error), engineText(error)); }
    // The same for a statement run through the engine's own calls, from its last error.
    [[noreturn]] void failOnEngine(sqlite3* handle) {
        fail(sqlite3_errcode(handle) & 0xff, QString::fromUtf8(sqlite3_errmsg(handle)));
    }
    [[noreturn]] void fail(int code, const QString& text) {
        switch (code) {
        case Busy:
            ::fail(inUseMessage(path, text), AppError::EngineError);
        case Corrupt:
        case NotADatabase:
            markDamaged(text);
            ::fail(damagedMessage(path, damage), AppError::EngineError);
        case ReadOnly:
            if (!damage.isEmpty())
                ::fail(damagedMessage(path, damage), AppError::EngineError);
            break;
        case IoError:
        case Full:
            // The engine has undone the write it could not finish.
            ::fail(QStringLiteral("The file %1 could not be written: %2.  The disk may be full; "
                                  "make room on it and try again.")
                       .arg(quotedPath(path), text),
                   AppError::EngineError);
        default:
            break;
        }
        ::fail(lengthOrEngineText(text), AppError::EngineError);
    }
};

namespace {
QHash<QString, std::weak_ptr<Database::Connection>>& registry() {
    static QHash<QString, std::weak_ptr<Database::Connection>> connections;
    return connections;
}

// The connections by the paths they were asked for as written: a path asked for again that
// still names the same file skips resolving every folder of it (each command opens its file).
QHash<QString, std::weak_ptr<Database::Connection>>& byGivenPath() {
    static QHash<QString, std::weak_ptr<Database::Connection>> connections;
    return connections;
}
} // namespace

namespace {
// The open connection on a file: the one of its canonical path, else one opened under another
// name of the same file (a hard link).
std::shared_ptr<Database::Connection> connectionOn(const QString& canonical) {
    if (auto known = registry().value(canonical).lock())
        return known;
    const std::optional<FileOps::FileId> identity = FileOps::fileId(canonical);
    if (!identity)
        return {};
    for (const std::weak_ptr<Database::Connection>& entry : std::as_const(registry()))
        if (auto conn = entry.lock(); conn && conn->identity == identity)
            return conn;
    return {};
}
} // namespace

bool Database::isOpen(const QString& path) {
    return connectionOn(FileOps::canonicalPath(path)) != nullptr;
}

Database Database::open(const QString& path) {
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("No database file was named."));
    Database db;
    if (auto known = byGivenPath().value(path).lock();
        known && known->identity && FileOps::fileId(path) == known->identity) {
        db.m_conn = known;
        return db;
    }
    const QString canonical = FileOps::canonicalPath(path);
    if (auto existing = connectionOn(canonical)) {
        db.m_conn = existing;
    } else {
        checkFileBeforeOpening(canonical, true);
        refuseKnownDamage(canonical);
        db = attach(canonical, Mode::ReadWrite);
    }
    byGivenPath().removeIf([](const auto& entry) { return entry.value().expired(); });
    byGivenPath().insert(path, db.m_conn);
    return db;
}

Database Database::openReadOnly(const QString& path) {
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("No database file was named."));
    const QString canonical = FileOps::canonicalPath(path);
    // A file open for writing passed the checks then; reading its header again here would
    // drop that connection's locks when the read ends.
    if (!isOpen(canonical))
        checkFileBeforeOpening(canonical, false);
    refuseKnownDamage(canonical);
    return attach(canonical, Mode::ReadOnly);
}

Database Database::create(const QString& path) {
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("No database file was named."));
    const QString canonical = FileOps::canonicalPath(path);
    if (FileOps::exists(canonical))
        fail(QStringLiteral("The file %1 already exists.").arg(quotedPath(path)));
    const QFileInfo folder(QFileInfo(canonical).absolutePath());
    if (!folder.isDir())
        fail(QStringLiteral("The folder of %1 does not exist.").arg(quotedPath(path)));
    return attach(canonical, Mode::Create);
}

Database Database::createIn(const QString& emptyFile) {
    const QString canonical = FileOps::canonicalPath(emptyFile);
    const QFileInfo info(canonical);
    if (!info.isFile() || info.isSymLink() || info.size() != 0)
        fail(QStringLiteral("The file %1 is not a new, empty file.").arg(quotedPath(emptyFile)));
    return attach(canonical, Mode::Create);
}

Database Database::attach(const QString& canonical, Mode mode) {
    const bool create = mode == Mode::Create;
    auto conn = std::make_shared<Connection>();
    conn->path = canonical;
    conn->name = QStringLiteral("vellagon-%1").arg(++connectionCounter);
    conn->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn->name);
    // A URI with mode=rw never creates a missing file; mode=rwc is asked for only on purpose.
    static const char* const modes[] = {"?mode=rw", "?mode=ro", "?mode=rwc"};
    const QString uri = fileUri(canonical) + QLatin1String(modes[int(mode)]);
    conn->db.setDatabaseName(uri);
    conn->db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!conn->db.open())
        fail(QStringLiteral("The file %1 cannot be opened: %2")
                 .arg(quotedPath(canonical), engineText(conn->db.lastError())));

    conn->identity = FileOps::fileId(canonical);
    const QVariant driverHandle = conn->db.driver()->handle();
    if (driverHandle.isValid() && qstrcmp(driverHandle.typeName(), "sqlite3*") == 0)
        conn->handle = *static_cast<sqlite3* const*>(driverHandle.constData());
    Database db;
    db.m_conn = conn;

    if (!create) {
        // The engine reads lazily: only a query shows whether the file is a database at all.
        // That first read also rolls back a commit that a crash left unfinished, so the file
        // is judged only after it.
        QSqlQuery probe(conn->db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
            const QSqlError error = probe.lastError();
            probe = QSqlQuery();
            db.close();
            conn.reset();
            refuseUnreadable(canonical, error);
        }
        probe.finish();
        if (QFileInfo(canonical).size() <= QuickCheckLimit &&
            db.scalar(QStringLiteral("PRAGMA quick_check(1)")).toString() != QLatin1String("ok")) {
            recordDamage(canonical, QStringLiteral("its pages fail the engine's check"));
            fail(damagedMessage(canonical, QStringLiteral("its pages fail the engine's check")));
        }
    }

    registerJetFunctions(db.handle());
    // A file only read is left exactly as it is, and is not the one that open() hands out.
    if (mode == Mode::ReadOnly)
        return db;
    // A practice file stays one file that users copy: rollback journal, full sync.
    db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    sqlite3_update_hook(db.handle(), noteRowChange, &conn->journal);

    registry().insert(canonical, conn);
    return db;
}

QString Database::path() const {
    return m_conn ? m_conn->path : QString();
}

QString Database::connectionName() const {
    return m_conn ? m_conn->name : QString();
}

QSqlDatabase Database::connection() const {
    return m_conn ? m_conn->db : QSqlDatabase();
}

sqlite3* Database::handle() const {
    return m_conn ? m_conn->handle : nullptr;
}

namespace {
bool isWrite(const QString& sql) {
    const QStringView head = QStringView(sql).trimmed();
    return head.startsWith(QLatin1String("INSERT"), Qt::CaseInsensitive) ||
           head.startsWith(QLatin1String("UPDATE"), Qt::CaseInsensitive) ||
           head.startsWith(QLatin1String("DELETE"), Qt::CaseInsensitive);
}
} // namespace

QVariant Database::asWritten(const QVariant& value) {
    if (value.typeId() == QMetaType::QString && value.toString().contains(QChar(0)))
        return QString(value.toString()).remove(QChar(0));
    return value;
}

QString Database::holds(const QString& column, const QVariant& value, QVariantList& params) {
    if (value.typeId() == QMetaType::QString && value.toString().contains(QChar(0))) {
        // A write would drop the NUL characters of the text: its bytes are compared instead.
        params << value.toString().toUtf8();
        return QStringLiteral("CAST(%1 AS BLOB) IS ?").arg(column);
    }
    params << value;
    return column + QStringLiteral(" IS ? COLLATE BINARY");
}

QSqlQuery Database::exec(const QString& sql, const QVariantList& params) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    const bool cacheable = isWrite(sql);
    QSqlQuery query = cacheable ? m_conn->preparedWrites.value(sql) : QSqlQuery();
    if (query.lastQuery() != sql) {
        query = QSqlQuery(m_conn->db);
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            m_conn->fail(query.lastError());
        if (cacheable)
            m_conn->preparedWrites.insert(sql, query);
    }
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, cacheable ? asWritten(params.at(i)) : params.at(i));
    if (!query.exec())
        m_conn->fail(query.lastError());
    return query;
}

bool Database::next(QSqlQuery& query) const {
    if (query.next())
        return true;
    if (m_conn && query.lastError().type() != QSqlError::NoError)
        m_conn->fail(query.lastError());
    return false;
}

QSqlQuery Database::execJet(const QString& jetSql, const QVariantList& params) const {
    return exec(JetSql::translate(jetSql), params);
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query = exec(sql, params);
    if (!next(query))
        return {};
    return query.value(0);
}

namespace {

// Resets a statement of the cache when its use ends, so that no read stays open.
class StatementUse {
public:
    explicit StatementUse(sqlite3_stmt* statement) : m_statement(statement) {}
    ~StatementUse() {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

private:
    sqlite3_stmt* m_statement;
};

void bind(Database::Connection& conn, sqlite3* handle, sqlite3_stmt* statement,
          const QVariantList& params) {
    for (int i = 0; i < params.size(); ++i) {
        const QVariant& value = params.at(i);
        int rc = SQLITE_OK;
        switch (value.isNull() ? QMetaType::UnknownType : value.typeId()) {
        case QMetaType::UnknownType:
            rc = sqlite3_bind_null(statement, i + 1);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::UInt:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(statement, i + 1, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(statement, i + 1, value.toDouble());
            break;
        case QMetaType::QByteArray: {
            const QByteArray bytes = value.toByteArray();
            rc = sqlite3_bind_blob(statement, i + 1, bytes.constData(), int(bytes.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(statement, i + 1, text.constData(), int(text.size()),
                                   SQLITE_TRANSIENT);
            break;
        }
        }
        if (rc != SQLITE_OK)
            conn.failOnEngine(handle);
    }
}

} // namespace

namespace {
// The connection's prepared statement of a text, made on first use.
sqlite3_stmt* cachedStatement(Database::Connection& conn, sqlite3* db, const QString& sql) {
    QHash<QString, sqlite3_stmt*>& cache = conn.statements;
    if (sqlite3_stmt* statement = cache.value(sql))
        return statement;
    if (cache.size() >= 64) {
        // Statements made from changing texts are not kept for ever.
        for (sqlite3_stmt* statement : std::as_const(cache))
            sqlite3_finalize(statement);
        cache.clear();
    }
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(db, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT,
                           &statement, nullptr) != SQLITE_OK) {
        const int code = sqlite3_errcode(db) & 0xff;
        const QString message = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(statement);
        conn.fail(code, message);
    }
    cache.insert(sql, statement);
    return statement;
}
} // namespace

namespace {
// Runs a statement without results through the connection's prepared statements (the
// savepoints of a transaction, which a data control's refresh takes too).
bool run(Database::Connection& conn, sqlite3* handle, const QString& sql) {
    sqlite3_stmt* statement = nullptr;
    try {
        statement = cachedStatement(conn, handle, sql);
    } catch (const AppError&) {
        return false; // the engine's error stays for the caller to report
    }
    const StatementUse use(statement);
    return sqlite3_step(statement) == SQLITE_DONE;
}
} // namespace

namespace {
// A statement of the connection's cache with its parameters bound, reset when its use ends so
// that no read stays open.
class BoundStatement {
public:
    BoundStatement(const std::shared_ptr<Database::Connection>& conn, sqlite3* db,
                   const QString& sql, const QVariantList& params)
        : m_conn(conn ? *conn : fail()), m_db(db), m_statement(cachedStatement(m_conn, db, sql)),
          m_use(m_statement) {
        bind(m_conn, db, m_statement, params);
    }
    sqlite3_stmt* get() const { return m_statement; }
    int step() const { return sqlite3_step(m_statement); }
    // Steps to the first row: false when there is none.
    bool firstRow() const {
        const int rc = step();
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            failed();
        return rc == SQLITE_ROW;
    }
    [[noreturn]] void failed() const { m_conn.failOnEngine(m_db); }

private:
    [[noreturn]] static Database::Connection& fail() {
        ::fail(QStringLiteral("No database is open."), AppError::EngineError);
    }
    Database::Connection& m_conn;
    sqlite3* m_db;
    sqlite3_stmt* m_statement;
    StatementUse m_use;
};
} // namespace

void Database::transaction(const std::function<void()>& fn) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    const auto run = [this](const QString& sql) {
        return ::run(*m_conn, handle(), sql);
    };
    const QString name = QStringLiteral("vellagon_sp%1").arg(m_conn->savepointDepth);
    // A savepoint begun outside any transaction is the transaction: its end is the commit.
    const bool outermost = sqlite3_get_autocommit(handle()) != 0;
    // Undoing the whole of an outermost one needs no lock that another program could hold,
    // as releasing it after a rollback to it would (a commit of the pages put back).
    const auto undo = [&] {
        if (outermost) {
            run(QStringLiteral("ROLLBACK"));
        } else {
            run(QStringLiteral("ROLLBACK TO ") + name);
            run(QStringLiteral("RELEASE ") + name);
        }
    };
    if (!run(QStringLiteral("SAVEPOINT ") + name))
        m_conn->failOnEngine(handle());
    ++m_conn->savepointDepth;
    try {
        fn();
    } catch (...) {
        --m_conn->savepointDepth;
        undo();
        throw;
    }
    --m_conn->savepointDepth;
    if (!run(QStringLiteral("RELEASE ") + name)) {
        // The commit failed: nothing of it stands, and the transaction is not left open.
        const int code = sqlite3_errcode(handle()) & 0xff;
        const QString message = QString::fromUtf8(sqlite3_errmsg(handle()));
        undo();
        m_conn->fail(code, message);
    }
}

QList<qint64> Database::rowIds(const QString& sql, const QVariantList& params,
                               qsizetype expected) const {
    const BoundStatement statement(m_conn, handle(), sql, params);
    QList<qint64> ids;
    ids.reserve(expected);
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW)
        ids.append(sqlite3_column_int64(statement.get(), 0));
    if (rc != SQLITE_DONE)
        statement.failed();
    return ids;
}

namespace {
// The values of the row a statement stands on, as the Qt layer gives them.
void readValues(sqlite3_stmt* statement, QVariantList& row,
                Database::TextForm text = Database::TextAsQString) {
    const int columns = sqlite3_column_count(statement);
    row.clear();
    row.reserve(columns);
    for (int i = 0; i < columns; ++i) {
        switch (sqlite3_column_type(statement, i)) {
        case SQLITE_INTEGER:
            row << QVariant(qint64(sqlite3_column_int64(statement, i)));
            break;
        case SQLITE_FLOAT:
            row << QVariant(sqlite3_column_double(statement, i));
            break;
        case SQLITE_NULL:
            row << QVariant(QMetaType::fromType<QString>());
            break;
        case SQLITE_BLOB:
            row << QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(statement, i)),
                                       sqlite3_column_bytes(statement, i)));
            break;
        default: {
            const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
            const int size = sqlite3_column_bytes(statement, i);
            row << (text == Database::TextAsUtf8 ? QVariant(QByteArray(bytes, size))
                                                 : QVariant(QString::fromUtf8(bytes, size)));
            break;
        }
        }
    }
}
} // namespace

bool Database::readRow(const QString& sql, const QVariantList& params, QVariantList& row) const {
    const BoundStatement statement(m_conn, handle(), sql, params);
    if (!statement.firstRow())
        return false;
    readValues(statement.get(), row);
    return true;
}

namespace {
// A parameter of a write as the Qt layer binds it: a null text or null bytes are NULL, a time
// is written as Qt writes it; a text loses its NUL characters.
QVariant boundAsQtBinds(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::QString:
        return value.toString().isNull() ? QVariant() : Database::asWritten(value);
    case QMetaType::QByteArray:
        return value.toByteArray().isNull() ? QVariant() : value;
    case QMetaType::QDateTime:
        if (value.toDateTime().isNull())
            return {};
        return value.toDateTime().toString(Qt::ISODateWithMs);
    case QMetaType::QDate:
        return value.toDate().isNull() ? QVariant() : value;
    case QMetaType::QTime:
        if (value.toTime().isNull())
            return {};
        return value.toTime().toString(QStringLiteral("hh:mm:ss.zzz"));
    default:
        return value;
    }
}

// Appends the values of the row a statement stands on, from its column `from` on, to cells,
// their bytes to block.
void appendCells(sqlite3_stmt* values, QList<Database::Cell>& cells, QByteArray& block,
                 int from = 0) {
    const int columns = sqlite3_column_count(values);
    const qsizetype first = cells.size() - from;
    cells.resize(first + columns);
    // The bytes of every text in one piece of the block, made once.
    qsizetype total = block.size();
    for (int i = from; i < columns; ++i) {
        Database::Cell& cell = cells[first + i];
        cell.type = sqlite3_column_type(values, i);
        cell.size = 0;
        switch (cell.type) {
        case SQLITE_INTEGER:
            cell.integer = sqlite3_column_int64(values, i);
            break;
        case SQLITE_FLOAT:
            cell.real = sqlite3_column_double(values, i);
            break;
        case SQLITE_NULL:
            break;
        default:
            cell.size = sqlite3_column_bytes(values, i);
            cell.offset = total;
            total += cell.size;
            break;
        }
    }
    block.resize(total);
    char* bytes = block.data();
    for (int i = from; i < columns; ++i) {
        const Database::Cell& cell = cells.at(first + i);
        if (cell.size > 0)
            std::memcpy(bytes + cell.offset,
                        cell.type == SQLITE_BLOB ? sqlite3_column_blob(values, i)
                                                 : sqlite3_column_text(values, i),
                        size_t(cell.size));
    }
}
} // namespace

bool Database::readRow(const QString& sql, const QVariantList& params, Row& row) const {
    const BoundStatement statement(m_conn, handle(), sql, params);
    if (!statement.firstRow())
        return false;
    row.m_given.clear();
    row.m_cells.resize(0);
    row.m_bytes.resize(0);
    appendCells(statement.get(), row.m_cells, row.m_bytes);
    return true;
}

QStringList Database::readRows(const QString& sql, const QVariantList& params, Rows& rows,
                               QList<qint64>* ids) const {
    const BoundStatement statement(m_conn, handle(), sql, params);
    const int from = ids ? 1 : 0;
    QStringList columns;
    for (int i = from; i < sqlite3_column_count(statement.get()); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(statement.get(), i));
    rows = Rows();
    rows.m_columns = int(columns.size());
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        if (ids)
            ids->append(sqlite3_column_int64(statement.get(), 0));
        appendCells(statement.get(), rows.m_cells, rows.m_bytes, from);
        ++rows.m_count;
    }
    if (rc != SQLITE_DONE)
        statement.failed();
    return columns;
}

QVariant Database::Cell::value(const QByteArray& block) const {
    switch (type) {
    case SQLITE_INTEGER:
        return QVariant(integer);
    case SQLITE_FLOAT:
        return QVariant(real);
    case SQLITE_NULL:
        return QVariant(QMetaType::fromType<QString>());
    case SQLITE_BLOB: // no bytes are a null QByteArray, as the engine's null pointer gives
        return QVariant(size == 0 ? QByteArray() : QByteArray(block.constData() + offset, size));
    default: // no characters are an empty text, never a null one
        return QVariant(QString::fromUtf8(size == 0 ? "" : block.constData() + offset, size));
    }
}

QVariant Database::Row::value(qsizetype column) const {
    if (!m_given.isEmpty() || m_cells.isEmpty())
        return m_given.value(column);
    if (column < 0 || column >= m_cells.size())
        return {};
    return m_cells.at(column).value(m_bytes);
}

QVariant Database::Rows::value(int row, int column) const {
    if (row < 0 || row >= m_count || column < 0 || column >= m_columns)
        return {};
    return m_cells.at(qsizetype(row) * m_columns + column).value(m_bytes);
}

void Database::Row::clear() {
    m_cells.clear();
    m_bytes.resize(0);
    m_given.clear();
}

qint64 Database::write(const QString& sql, const QVariantList& params) const {
    QVariantList written;
    written.reserve(params.size());
    for (const QVariant& value : params)
        written << boundAsQtBinds(value);
    const BoundStatement statement(m_conn, handle(), sql, written);
    if (statement.step() != SQLITE_DONE)
        statement.failed();
    return sqlite3_changes64(handle());
}

qint64 Database::insertRow(const QString& sql, const QVariantList& params) const {
    write(sql, params);
    return sqlite3_last_insert_rowid(handle());
}

QStringList Database::readRows(const QString& sql, const QVariantList& params,
                               const std::function<bool(QVariantList& row)>& fn,
                               TextForm text) const {
    const BoundStatement statement(m_conn, handle(), sql, params);
    QStringList columns;
    for (int i = 0; i < sqlite3_column_count(statement.get()); ++i)
        columns << QString::fromUtf8(sqlite3_column_name(statement.get(), i));
    QVariantList row;
    int rc;
    while ((rc = statement.step()) == SQLITE_ROW) {
        readValues(statement.get(), row, text);
        if (!fn(row))
            return columns;
    }
    if (rc != SQLITE_DONE)
        statement.failed();
    return columns;
}

Database::ChangeMark Database::changeMark() const {
    ChangeMark mark;
    mark.dataVersion = rowIds(QStringLiteral("PRAGMA data_version")).value(0, -1);
    mark.schemaVersion = rowIds(QStringLiteral("PRAGMA schema_version")).value(0, -1);
    mark.reported = m_conn->journal.reported();
    mark.counted = sqlite3_total_changes64(handle());
    return mark;
}

void Database::read(const std::function<void(const ChangeMark& now)>& fn) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    sqlite3* db = handle();
    // Inside a transaction its reads are one already, and its own uncommitted changes to the
    // schema are seen by no count of the file's changes.
    if (sqlite3_get_autocommit(db) == 0) {
        fn(changeMark());
        return;
    }
    Connection& conn = *m_conn;
    if (!conn.readMark &&
        sqlite3_prepare_v3(db, "PRAGMA data_version", -1, SQLITE_PREPARE_PERSISTENT, &conn.readMark,
                           nullptr) != SQLITE_OK)
        conn.failOnEngine(db);
    // Its first row begins the read; its reset at the end of this scope ends it.
    const StatementUse open(conn.readMark);
    if (sqlite3_step(conn.readMark) != SQLITE_ROW)
        conn.failOnEngine(db);
    ChangeMark now;
    now.dataVersion = sqlite3_column_int64(conn.readMark, 0);
    // The engine's count of the file's changes, by this connection or any other, as of this
    // read: the schema cannot have changed while it stands.
    unsigned int fileChanges = 0;
    const bool counted =
        sqlite3_file_control(db, "main", SQLITE_FCNTL_DATA_VERSION, &fileChanges) == SQLITE_OK;
    if (!counted || conn.schemaVersion < 0 || fileChanges != conn.fileChangesAtSchema) {
        now.schemaVersion = rowIds(QStringLiteral("PRAGMA schema_version")).value(0, -1);
        conn.schemaVersion = counted ? now.schemaVersion : -1;
        conn.fileChangesAtSchema = fileChanges;
    } else {
        now.schemaVersion = conn.schemaVersion;
    }
    now.reported = conn.journal.reported();
    now.counted = sqlite3_total_changes64(db);
    fn(now);
}

std::optional<QList<qint64>> Database::rowsChangedSince(const ChangeMark& mark,
                                                        const QString& table) const {
    return rowsChangedSince(mark, changeMark(), table);
}

std::optional<QList<qint64>> Database::rowsChangedSince(const ChangeMark& mark,
                                                        const ChangeMark& now,
                                                        const QString& table) const {
    if (now.dataVersion != mark.dataVersion || now.schemaVersion != mark.schemaVersion)
        return std::nullopt;
    // The engine counts every change it makes; fewer reports than that mean some went
    // unreported (a table emptied at once, a table without row ids).
    if (now.counted - mark.counted > qint64(now.reported - mark.reported))
        return std::nullopt;
    return m_conn->journal.rowsSince(mark.reported, table);
}

namespace {

QVariant argumentValue(sqlite3_value* value) {
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
        return qint64(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_NULL:
        return {};
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char*>(sqlite3_value_blob(value)),
                          sqlite3_value_bytes(value));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(value)),
                                 sqlite3_value_bytes(value));
    }
}

void setResult(sqlite3_context* context, const QVariant& result) {
    switch (result.isNull() ? QMetaType::UnknownType : result.typeId()) {
    case QMetaType::UnknownType:
        sqlite3_result_null(context);
        break;
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::Bool:
        sqlite3_result_int64(context, result.toLongLong());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        sqlite3_result_double(context, result.toDouble());
        break;
    default: {
        const QByteArray text = result.toString().toUtf8();
        sqlite3_result_text(context, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

void callFunction(sqlite3_context* context, int count, sqlite3_value** values) {
    const auto* function = static_cast<const Database::Function*>(sqlite3_user_data(context));
    QVariantList arguments;
    arguments.reserve(count);
    for (int i = 0; i < count; ++i)
        arguments << argumentValue(values[i]);
    // Nothing may be thrown through the engine's own code.
    try {
        setResult(context, (*function)(arguments));
    } catch (const AppError& e) {
        const QByteArray text = e.description().toUtf8();
        sqlite3_result_error(context, text.constData(), int(text.size()));
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

} // namespace

void Database::defineFunction(const QString& name, int arguments, Function function) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    auto* held = new Function(std::move(function));
    const int rc = sqlite3_create_function_v2(
        handle(), name.toUtf8().constData(), arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, held,
        callFunction, nullptr, nullptr, [](void* p) { delete static_cast<Function*>(p); });
    if (rc != SQLITE_OK)
        fail(QStringLiteral("The function %1 cannot be defined: %2.")
                 .arg(name, QString::fromUtf8(sqlite3_errstr(rc))),
             AppError::EngineError);
}

QStringList Database::tableNames() const {
    QStringList names;
    QSqlQuery query = exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                          "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                          "ORDER BY rowid"));
    while (next(query))
        names << query.value(0).toString();
    return names;
}

bool Database::hasTable(const QString& name) const {
    return scalar(QStringLiteral(
                      "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = ? "
                      "COLLATE NOCASE"),
                  {name})
               .toInt() > 0;
}

qsizetype Database::textLength(const QString& text) {
    return text.toUcs4().size();
}

QString Database::textLeft(const QString& text, qsizetype n) {
    qsizetype units = 0;
    for (qsizetype taken = 0; taken < n && units < text.size(); ++taken) {
        const bool pair = text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                          text.at(units + 1).isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return text.left(units);
}

Database::Attachment Database::attachReadOnly(const Database& other, const QString& schema) const {
    if (!m_conn || !other.m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    exec(QStringLiteral("ATTACH DATABASE ? AS ") + RecordSource::quoteName(schema),
         {fileUri(other.path()) + QStringLiteral("?mode=ro")});
    Attachment attachment;
    attachment.m_conn = m_conn;
    attachment.m_schema = schema;
    return attachment;
}

void Database::Attachment::detach() {
    if (!m_conn)
        return;
    // Fails only while a statement still reads the file; the connection then keeps it until
    // it closes, which harms nothing.
    QSqlQuery(m_conn->db)
        .exec(QStringLiteral("DETACH DATABASE ") + RecordSource::quoteName(m_schema));
    m_conn.reset();
}

Database::Attachment::~Attachment() {
    detach();
}

Database::Attachment& Database::Attachment::operator=(Attachment&& other) noexcept {
    if (this != &other) {
        detach();
        m_conn = std::move(other.m_conn);
        m_schema = std::move(other.m_schema);
    }
    return *this;
}

bool Database::copyOver(const QString& existingFile) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    const QString target = FileOps::canonicalPath(existingFile);
    sqlite3* raw = nullptr;
    const int opened = sqlite3_open_v2(QFile::encodeName(target).constData(), &raw,
                                       SQLITE_OPEN_READWRITE, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> destination(raw, sqlite3_close);
    const auto refuse = [&](int code) {
        const QString text = QString::fromUtf8(sqlite3_errstr(code));
        if ((code & 0xff) == Busy)
            fail(inUseMessage(target, text), AppError::EngineError);
        fail(QStringLiteral("The file %1 cannot be overwritten: %2.").arg(quotedPath(target), text),
             AppError::EngineError);
    };
    if (opened != SQLITE_OK)
        refuse(opened);
    sqlite3_busy_timeout(raw, 5000);
    sqlite3_exec(raw, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr);
    // One step copies every page in one write transaction on the target: all or nothing.
    sqlite3_backup* backup = sqlite3_backup_init(raw, "main", handle(), "main");
    const int stepped = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(raw);
    if (backup)
        sqlite3_backup_finish(backup);
    if (stepped == NotADatabase)
        return false;
    if (stepped != SQLITE_DONE)
        refuse(stepped);
    return true;
}

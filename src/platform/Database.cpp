#include "Database.h"

#include "AppError.h"
#include "JetFunctions.h"
#include "JetSql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <sqlite3.h>

namespace {

// Files up to this size get a full page check at open; larger ones only the header and
// schema checks, so a large practice file still opens at once.
constexpr qint64 QuickCheckLimit = 32 * 1024 * 1024;

[[noreturn]] void fail(const QString& description, int number = AppError::FileError) {
    throw AppError(number, description);
}

QString quoted(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

quint32 bigEndian(const QByteArray& bytes, int offset, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | static_cast<quint8>(bytes[offset + i]);
    return value;
}

// Checks what can be seen without the engine: the file is there, is a file, can be read
// and written, and carries an SQLite header that its size agrees with.
void checkFileBeforeOpening(const QString& path) {
    QFileInfo info(path);
    if (!info.exists())
        fail(QStringLiteral("The file %1 does not exist.").arg(quoted(path)));
    if (info.isDir())
        fail(QStringLiteral("%1 is a folder, not a Vellagon database file.").arg(quoted(path)));
    if (!info.isFile())
        fail(QStringLiteral("%1 is not a regular file.").arg(quoted(path)));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("The file %1 cannot be read: %2.")
                 .arg(quoted(path), file.errorString()));
    const qint64 size = file.size();
    if (size == 0)
        fail(QStringLiteral("The file %1 is empty; it is not a Vellagon database file.")
                 .arg(quoted(path)));
    const QByteArray header = file.read(100);
    file.close();
    if (header.size() < 100 || !header.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        fail(QStringLiteral("The file %1 is not a Vellagon database file.").arg(quoted(path)));

    quint32 pageSize = bigEndian(header, 16, 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        fail(QStringLiteral("The file %1 is damaged (its header is invalid).").arg(quoted(path)));
    const quint32 changeCounter = bigEndian(header, 24, 4);
    const quint32 pageCount = bigEndian(header, 28, 4);
    const quint32 validFor = bigEndian(header, 92, 4);
    if (validFor == changeCounter && pageCount > 0 && size < qint64(pageCount) * pageSize)
        fail(QStringLiteral("The file %1 is damaged: it is shorter than its contents require "
                            "(it may have been copied incompletely).")
                 .arg(quoted(path)));

    if (!info.isWritable())
        fail(QStringLiteral(
                 "The file %1 is read-only; Vellagon needs to write to its database file.")
                 .arg(quoted(path)));
    const QFileInfo folder(info.absolutePath());
    if (!folder.isWritable())
        fail(QStringLiteral("The folder of %1 is read-only; Vellagon needs to write beside its "
                            "database file.")
                 .arg(quoted(path)));
}

QString engineMessage(const QSqlError& error) {
    QString text = error.databaseText();
    if (text.isEmpty())
        text = error.text();
    // Length limits are named "len:<field>:<n>" in the schema, so that a refusal names the field.
    static const QRegularExpression lengthRule(
        QStringLiteral("CHECK constraint failed: len:([^:]+):(\\d+)"));
    const QRegularExpressionMatch m = lengthRule.match(text);
    if (m.hasMatch())
        return QStringLiteral("The text is too long for the field %1 (at most %2 characters).")
            .arg(m.captured(1), m.captured(2));
    return text;
}

int connectionCounter = 0;

} // namespace

struct Database::Connection {
    QString path;
    QString name;
    QSqlDatabase db;
    int savepointDepth = 0;
    // Prepared writes, reused: a program that appends thousands of rows prepares each text once.
    QHash<QString, QSqlQuery> preparedWrites;

    ~Connection() {
        preparedWrites.clear();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }
};

namespace {
QHash<QString, std::weak_ptr<Database::Connection>>& registry() {
    static QHash<QString, std::weak_ptr<Database::Connection>> connections;
    return connections;
}
} // namespace

QString Database::canonicalPath(const QString& path) {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A file that does not exist (yet): resolve its folder, keep its name.
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (!folder.isEmpty())
        return QDir(folder).filePath(info.fileName());
    return QDir::cleanPath(info.absoluteFilePath());
}

bool Database::samePath(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    return canonicalPath(a) == canonicalPath(b);
}

bool Database::isOpen(const QString& path) {
    const auto it = registry().constFind(canonicalPath(path));
    return it != registry().constEnd() && !it->expired();
}

Database Database::open(const QString& path) {
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("No database file was named."));
    const QString canonical = canonicalPath(path);
    if (auto existing = registry().value(canonical).lock()) {
        Database db;
        db.m_conn = existing;
        return db;
    }
    checkFileBeforeOpening(canonical);
    return attach(canonical, false);
}

Database Database::create(const QString& path) {
    if (path.trimmed().isEmpty())
        fail(QStringLiteral("No database file was named."));
    const QString canonical = canonicalPath(path);
    if (QFileInfo::exists(canonical) || QFileInfo(canonical).isSymLink())
        fail(QStringLiteral("The file %1 already exists.").arg(quoted(path)));
    const QFileInfo folder(QFileInfo(canonical).absolutePath());
    if (!folder.isDir())
        fail(QStringLiteral("The folder of %1 does not exist.").arg(quoted(path)));
    return attach(canonical, true);
}

Database Database::attach(const QString& canonical, bool create) {
    auto conn = std::make_shared<Connection>();
    conn->path = canonical;
    conn->name = QStringLiteral("vellagon-%1").arg(++connectionCounter);
    conn->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn->name);
    // A URI with mode=rw never creates a missing file; mode=rwc is asked for only on purpose.
    const QString uri = QStringLiteral("file:") +
                        QString::fromLatin1(QUrl::toPercentEncoding(canonical, "/")) +
                        (create ? QStringLiteral("?mode=rwc") : QStringLiteral("?mode=rw"));
    conn->db.setDatabaseName(uri);
    conn->db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    if (!conn->db.open())
        fail(QStringLiteral("The file %1 cannot be opened: %2")
                 .arg(quoted(canonical), engineMessage(conn->db.lastError())));

    Database db;
    db.m_conn = conn;

    if (!create) {
        // The engine reads lazily: only a query shows whether the file is a database at all.
        QSqlQuery probe(conn->db);
        if (!probe.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")))
            fail(QStringLiteral("The file %1 is not a Vellagon database file (%2).")
                     .arg(quoted(canonical), engineMessage(probe.lastError())));
        probe.finish();
        if (QFileInfo(canonical).size() <= QuickCheckLimit) {
            QSqlQuery check(conn->db);
            if (!check.exec(QStringLiteral("PRAGMA quick_check")) || !check.next() ||
                check.value(0).toString() != QLatin1String("ok"))
                fail(QStringLiteral("The file %1 is damaged and cannot be used.")
                         .arg(quoted(canonical)));
        }
    }

    // A practice file stays one file that users copy: rollback journal, full sync.
    db.exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    db.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    registerJetFunctions(db.handle());

    registry().insert(canonical, conn);
    return db;
}

QString Database::path() const {
    return m_conn ? m_conn->path : QString();
}

QSqlDatabase Database::connection() const {
    return m_conn ? m_conn->db : QSqlDatabase();
}

sqlite3* Database::handle() const {
    if (!m_conn)
        return nullptr;
    const QVariant v = m_conn->db.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(v.constData());
}

namespace {
bool isWrite(const QString& sql) {
    const QString head = sql.left(8).trimmed().toUpper();
    return head.startsWith(QLatin1String("INSERT")) || head.startsWith(QLatin1String("UPDATE")) ||
           head.startsWith(QLatin1String("DELETE"));
}
} // namespace

QSqlQuery Database::exec(const QString& sql, const QVariantList& params) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    const bool cacheable = isWrite(sql);
    QSqlQuery query = cacheable ? m_conn->preparedWrites.value(sql, QSqlQuery(m_conn->db))
                                : QSqlQuery(m_conn->db);
    if (query.lastQuery() != sql) {
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            fail(engineMessage(query.lastError()), AppError::EngineError);
        if (cacheable)
            m_conn->preparedWrites.insert(sql, query);
    }
    for (int i = 0; i < params.size(); ++i)
        query.bindValue(i, params.at(i));
    if (!query.exec())
        fail(engineMessage(query.lastError()), AppError::EngineError);
    return query;
}

QSqlQuery Database::execJet(const QString& jetSql, const QVariantList& params) const {
    return exec(JetSql::translate(jetSql), params);
}

QVariant Database::scalar(const QString& sql, const QVariantList& params) const {
    QSqlQuery query = exec(sql, params);
    if (!query.next())
        return {};
    return query.value(0);
}

void Database::transaction(const std::function<void()>& fn) const {
    if (!m_conn)
        fail(QStringLiteral("No database is open."), AppError::EngineError);
    const QString name = QStringLiteral("vellagon_sp%1").arg(m_conn->savepointDepth);
    exec(QStringLiteral("SAVEPOINT ") + name);
    ++m_conn->savepointDepth;
    try {
        fn();
    } catch (...) {
        --m_conn->savepointDepth;
        QSqlQuery undo(m_conn->db);
        undo.exec(QStringLiteral("ROLLBACK TO ") + name);
        undo.exec(QStringLiteral("RELEASE ") + name);
        throw;
    }
    --m_conn->savepointDepth;
    exec(QStringLiteral("RELEASE ") + name);
}

QStringList Database::tableNames() const {
    QStringList names;
    QSqlQuery query = exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND "
                                          "name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
                                          "ORDER BY rowid"));
    while (query.next())
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

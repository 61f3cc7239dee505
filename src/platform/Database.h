#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>

struct sqlite3;

// One database file. Handles to the same file share one connection (keyed by the canonical
// path); the connection closes when the last handle goes. Every failure is thrown as an
// AppError with a description a user can act on.
class Database {
public:
    Database() = default;

    // Opens an existing database file. Refuses, before writing anything, a missing path, a
    // folder, an unreadable or read-only file, and anything that is not an intact SQLite file.
    static Database open(const QString& path);
    // Creates a new, empty database file at path. Refuses a path where anything exists.
    static Database create(const QString& path);
    // Whether a handle currently holds this file open.
    static bool isOpen(const QString& path);
    // Absolute path with links resolved where the file exists: the identity of a file.
    static QString canonicalPath(const QString& path);
    // Whether two paths name the same file.
    static bool samePath(const QString& a, const QString& b);

    bool isValid() const { return m_conn != nullptr; }
    QString path() const;
    QSqlDatabase connection() const;
    sqlite3* handle() const;

    // Runs one statement with bound parameters ('?' placeholders, in order).
    QSqlQuery exec(const QString& sql, const QVariantList& params = {}) const;
    // Translates a statement written in the Jet dialect, then runs it.
    QSqlQuery execJet(const QString& jetSql, const QVariantList& params = {}) const;
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {}) const;
    // Runs fn as one unit: all its writes stand, or none (savepoints, so calls may nest).
    void transaction(const std::function<void()>& fn) const;
    // Names of the tables in the file, as stored.
    QStringList tableNames() const;
    // Whether a table of that name exists (names compared without regard to case).
    bool hasTable(const QString& name) const;

    // Drops this handle's share of the connection.
    void close() { m_conn.reset(); }

    // The shared connection behind handles (internal).
    struct Connection;

private:
    static Database attach(const QString& canonical, bool create);
    std::shared_ptr<Connection> m_conn;
};

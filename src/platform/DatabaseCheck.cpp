#include "DatabaseCheck.h"

#include "AppError.h"

#include <QFile>
#include <QFileInfo>
#include <memory>
#include <sqlite3.h>

namespace {

struct Closer {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Connection = std::unique_ptr<sqlite3, Closer>;

struct Finalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, Finalizer>;

[[noreturn]] void fail(sqlite3* db, const QString& path) {
    throw AppError(AppError::EngineError,
                   QStringLiteral("\"%1\": %2").arg(path, QString::fromUtf8(sqlite3_errmsg(db))));
}

Connection openReadOnly(const QString& path, bool mapped) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &raw,
                                   SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    Connection db(raw);
    if (rc != SQLITE_OK)
        fail(db.get(), path);
    sqlite3_busy_timeout(db.get(), 5000);
    if (mapped) {
        const QByteArray pragma = "PRAGMA mmap_size=" + QByteArray::number(QFileInfo(path).size());
        sqlite3_exec(db.get(), pragma.constData(), nullptr, nullptr, nullptr);
    }
    return db;
}

Statement prepare(sqlite3* db, const QString& sql, const QString& path) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &raw, nullptr) != SQLITE_OK)
        fail(db, path);
    return Statement(raw);
}

} // namespace

namespace DatabaseCheck {

QMap<QString, qint64> rowCounts(const QString& path, bool mapped) {
    const Connection db = openReadOnly(path, mapped);
    QStringList tables;
    {
        const Statement list = prepare(db.get(),
                                       QStringLiteral("SELECT name FROM sqlite_master WHERE type = "
                                                      "'table' AND name NOT LIKE 'sqlite\\_%' "
                                                      "ESCAPE '\\'"),
                                       path);
        int rc;
        while ((rc = sqlite3_step(list.get())) == SQLITE_ROW)
            tables << QString::fromUtf8(
                reinterpret_cast<const char*>(sqlite3_column_text(list.get(), 0)));
        if (rc != SQLITE_DONE)
            fail(db.get(), path);
    }
    QMap<QString, qint64> counts;
    for (const QString& table : tables) {
        const Statement count =
            prepare(db.get(),
                    QStringLiteral("SELECT count(*) FROM \"%1\"")
                        .arg(QString(table).replace(QLatin1Char('"'), QStringLiteral("\"\""))),
                    path);
        if (sqlite3_step(count.get()) != SQLITE_ROW)
            fail(db.get(), path);
        counts.insert(table, sqlite3_column_int64(count.get(), 0));
    }
    return counts;
}

QString quickCheck(const QString& path, bool mapped) {
    const Connection db = openReadOnly(path, mapped);
    const Statement check = prepare(db.get(), QStringLiteral("PRAGMA quick_check(1)"), path);
    if (sqlite3_step(check.get()) != SQLITE_ROW)
        fail(db.get(), path);
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0)));
}

} // namespace DatabaseCheck

#include "Fixtures.h"

#include "core/logic/DatabaseSchema.h"
#include "core/logic/SqlQuoting.h"
#include "platform/data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>
#include <functional>
#include <unistd.h>

namespace Fixtures {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write %s", qPrintable(path));
    file.write(bytes);
    return path;
}

QString hardLink(const QString& file, const QString& link) {
    if (::link(QFile::encodeName(file).constData(), QFile::encodeName(link).constData()) != 0)
        qFatal("cannot link %s", qPrintable(link));
    return link;
}

QStringList workFiles(const QString& folder) {
    static const QRegularExpression work(QStringLiteral("^\\..+\\.tmp-[0-9a-f]{8}(-journal)?$"));
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                   QDir::Name)
        .filter(work);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QString newDatabase(const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    createDatabaseFile(path);
    return path;
}

QString truncatedCopy(const QString& source, const QString& target, qint64 bytes) {
    return writeFile(target, readFile(source).left(bytes));
}

QString corruptedCopy(const QString& source, const QString& target) {
    QByteArray bytes = readFile(source);
    const qint64 pageSize = 4096;
    // Overwrite the second page (a table's root) with junk; the header stays intact.
    for (qint64 i = pageSize; i < qMin<qint64>(bytes.size(), 2 * pageSize); ++i)
        bytes[i] = char(0xA5 ^ (i & 0xFF));
    return writeFile(target, bytes);
}

namespace {

// Runs fn on a connection of its own to the file, as another program would write.
void onRawConnection(const QString& path, const std::function<void(QSqlDatabase&)>& fn) {
    const QString name = QStringLiteral("fixture-raw");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open())
            qFatal("cannot open %s", qPrintable(path));
        fn(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

} // namespace

void execRaw(const QString& path, const QStringList& statements) {
    onRawConnection(path, [&](QSqlDatabase& db) {
        for (const QString& sql : statements) {
            QSqlQuery q(db);
            if (!q.exec(sql))
                qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
        }
    });
}

void execRaw(const QString& path, const QString& statement, const QList<QVariantList>& rows) {
    onRawConnection(path, [&](QSqlDatabase& db) {
        db.transaction();
        QSqlQuery q(db);
        if (!q.prepare(statement))
            qFatal("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
        for (const QVariantList& values : rows) {
            for (const QVariant& value : values)
                q.addBindValue(value);
            if (!q.exec())
                qFatal("%s: %s", qPrintable(statement), qPrintable(q.lastError().text()));
        }
        q.finish();
        if (!db.commit())
            qFatal("%s: %s", qPrintable(statement), qPrintable(db.lastError().text()));
    });
}

QString sqlText(const QString& text) {
    return QLatin1Char('\'') + FixSQLQuotes(text) + QLatin1Char('\'');
}

int logCount(const QString& path) {
    return Database::open(path).scalar(QStringLiteral("SELECT count(*) FROM Vellagons")).toInt();
}

QString practiceFile(const QString& path, int logs) {
    newDatabase(path);
    const Database db = Database::open(path);
    db.transaction([&] {
        for (int i = 0; i < logs; ++i)
            db.exec(QStringLiteral("INSERT INTO Vellagons (Client, Vellagon, [Beginning Time]) "
                                   "VALUES (?, ?, '2024-01-02 09:00:00')"),
                    {QStringLiteral("Client %1").arg(i % 7),
                     QString(2000, QChar(u'a' + i % 26)) + QString::number(i)});
        db.exec(QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], "
                               "[Client First Name]) VALUES ('Zeller', 'Ann'), ('Abbot', 'Ben')"));
        db.exec(QStringLiteral("DELETE FROM Vellagons WHERE [Indexing Field] % 2 = 0"));
    });
    return path;
}

QString contents(const QString& path) {
    const Database db = Database::open(path);
    QStringList parts{db.scalar(QStringLiteral("PRAGMA integrity_check")).toString()};
    for (const QString& table : db.tableNames())
        parts << table + QLatin1Char('=') +
                     db.scalar(QStringLiteral("SELECT count(*) FROM [%1]").arg(table)).toString();
    parts << db.scalar(QStringLiteral("SELECT sum([Indexing Field]) || ':' || "
                                      "sum(length(Vellagon)) FROM Vellagons"))
                 .toString();
    return parts.join(QLatin1Char(' '));
}

QString toDoPractice(const QString& path, int clients, int items) {
    newDatabase(path);
    const Database db = Database::open(path);
    db.transaction([&] {
        for (int i = 1; i <= clients; ++i)
            db.exec(QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], "
                                   "[Client First Name]) VALUES (?, ?)"),
                    {QStringLiteral("Client %1").arg(i, 4, 10, QLatin1Char('0')),
                     QStringLiteral("Ann")});
        for (int i = 0; i < items; ++i) {
            const bool project = i % 3 == 2 || clients == 0;
            const QString client =
                QStringLiteral("Client %1").arg(i % qMax(clients, 1) + 1, 4, 10, QLatin1Char('0'));
            db.exec(
                QStringLiteral("INSERT INTO [Things To Do] ([ThingToDo], [TTD Client First "
                               "Name], [TTD Client Last Name], [TTD Project], [TTD Priority], "
                               "[Thing To Do Start Date], [Thing To Do Deadline]) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?)"),
                {QStringLiteral("Thing %1 to do").arg(i),
                 project ? QVariant() : QVariant(QStringLiteral("Ann")),
                 project ? QVariant() : QVariant(client),
                 project ? QVariant(QStringLiteral("Project %1").arg(i % 7)) : QVariant(),
                 QString::number(i % 5 + 1),
                 QStringLiteral("2025-%1-01 00:00:00").arg(i % 12 + 1, 2, 10, QLatin1Char('0')),
                 QStringLiteral("2026-%1-15 00:00:00").arg(i % 12 + 1, 2, 10, QLatin1Char('0'))});
        }
    });
    return path;
}

QString toDoContents(const QString& path) {
    const Database db = Database::open(path);
    QStringList parts{db.scalar(QStringLiteral("PRAGMA integrity_check")).toString()};
    const auto rows = [&](const QString& sql) {
        QSqlQuery q = db.exec(sql);
        while (db.next(q)) {
            QStringList values;
            for (int i = 0; i < q.record().count(); ++i)
                values << (q.value(i).isNull() ? QStringLiteral("<null>") : q.value(i).toString());
            parts << values.join(QLatin1Char('|'));
        }
    };
    rows(QStringLiteral("SELECT * FROM [Things To Do] ORDER BY rowid"));
    rows(QStringLiteral("SELECT [Client Last Name], [Client First Name], "
                        "[Active Client Things To Do] FROM [Active Clients] ORDER BY rowid"));
    return parts.join(QLatin1Char('\n'));
}

QString sqlite3Tool(const QString& path, const QString& statement) {
    QProcess p;
    p.start(QStringLiteral("sqlite3"), {path, statement});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

} // namespace Fixtures

#include "LogTransfer.h"

#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/RecordSource.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"

#include <QSqlQuery>
#include <QStringList>

namespace LogTransfer {

namespace {

// The schema name under which the other file is read.
const QString Source = QStringLiteral("source");

// The fields a copied log takes over; Indexing Field is the target's own.
const QString CopiedFields =
    QStringLiteral("[Client], [Project], [Employee], [Rate], [Vellagon], [VellaGraphic], "
                   "[Log Summary], [Fee], [Beginning Time], [Ending Time], [Duration]");

// The ids as a JSON array, which one statement turns into rows.
QString idArray(const QList<qint64>& ids) {
    QString text;
    text.reserve(ids.size() * 8 + 2);
    text += QLatin1Char('[');
    for (qsizetype i = 0; i < ids.size(); ++i) {
        if (i > 0)
            text += QLatin1Char(',');
        text += QString::number(ids.at(i));
    }
    text += QLatin1Char(']');
    return text;
}

// Inserts the attached source's logs with the ids, in their order, into main.
void insertLogs(const Database& target, const QList<qint64>& ids) {
    target.exec(QStringLiteral("CREATE TEMP TABLE [shown logs] (id INTEGER)"));
    target.exec(QStringLiteral("INSERT INTO temp.[shown logs] (id) SELECT value FROM json_each(?)"),
                {idArray(ids)});
    // The list is read in its own order; each log is found by its id.
    target.exec(QStringLiteral("INSERT INTO main.[Vellagons] (%1) SELECT %2 FROM "
                               "temp.[shown logs] AS s CROSS JOIN %3.[Vellagons] AS v "
                               "ON v.rowid = s.id ORDER BY s.rowid")
                    .arg(CopiedFields,
                         QString(CopiedFields).replace(QStringLiteral("["), QStringLiteral("v.[")),
                         Source));
    target.exec(QStringLiteral("DROP TABLE temp.[shown logs]"));
}

QVariant durationOf(const QVariantList& times) {
    const QDateTime beginning = StoredDate::fromStored(times.value(0));
    const QDateTime ending = StoredDate::fromStored(times.value(1));
    // Times that are no times (written by another program) keep no duration.
    if (!beginning.isValid() || !ending.isValid())
        return {};
    return importedDuration(beginning, ending);
}

} // namespace

void writeCopy(const Database& source, const QList<qint64>& logIds, const Database& copy) {
    const Database::Attachment attached = copy.attachReadOnly(source, Source);
    copy.transaction([&] {
        // Tables first, then what refers to them; the engine makes its own (sqlite_...).
        QStringList tables;
        QStringList tableSql;
        QStringList dependents;
        {
            QSqlQuery items = copy.exec(
                QStringLiteral("SELECT type, name, sql FROM %1.sqlite_master WHERE sql IS NOT "
                               "NULL AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid")
                    .arg(Source));
            while (copy.next(items)) {
                if (items.value(0).toString() == QLatin1String("table")) {
                    tables << items.value(1).toString();
                    tableSql << items.value(2).toString();
                } else {
                    dependents << items.value(2).toString();
                }
            }
        }
        for (const QString& sql : tableSql)
            copy.exec(sql);
        for (const QString& table : tables) {
            if (table.compare(QLatin1String("Vellagons"), Qt::CaseInsensitive) == 0)
                insertLogs(copy, logIds);
            else
                copy.exec(QStringLiteral("INSERT INTO main.%1 SELECT * FROM %2.%1")
                              .arg(RecordSource::quoteName(table), Source));
        }
        // Indexes are built once their rows are in: faster than keeping them up to date.
        for (const QString& sql : dependents)
            copy.exec(sql);
    });
}

void appendLogs(const Database& source, const QList<qint64>& logIds, const Database& target) {
    const Database::Attachment attached = target.attachReadOnly(source, Source);
    target.transaction([&] { insertLogs(target, logIds); });
}

int importLogs(const Database& source, const Database& target) {
    target.defineFunction(QStringLiteral("vellagon_imported_duration"), 2, durationOf);
    const Database::Attachment attached = target.attachReadOnly(source, Source);
    int imported = 0;
    target.transaction([&] {
        const QString bothTimes =
            QStringLiteral("[Beginning Time] IS NOT NULL AND [Ending Time] IS NOT NULL");
        QSqlQuery insert = target.exec(
            QStringLiteral(
                "INSERT INTO main.[Vellagons] ([Client], [Project], [Employee], [Rate], "
                "[Vellagon], [VellaGraphic], [Log Summary], [Beginning Time], [Ending Time], "
                "[Duration]) SELECT [Client], [Project], [Employee], [Rate], [Vellagon], "
                "[VellaGraphic], [Log Summary], CASE WHEN %1 THEN [Beginning Time] END, "
                "CASE WHEN %1 THEN [Ending Time] END, CASE WHEN %1 THEN "
                "vellagon_imported_duration([Beginning Time], [Ending Time]) END "
                "FROM %2.[Vellagons] ORDER BY rowid")
                .arg(bothTimes, Source));
        imported = insert.numRowsAffected();
    });
    return imported;
}

double importedDuration(const QDateTime& beginning, const QDateTime& ending) {
    const double days = double(beginning.secsTo(ending)) / 86400.0;
    const double hours = VbFormat::parseNumber(VbFormat::cstr(days)).value_or(0) * 24;
    const double tenths =
        VbFormat::parseNumber(VbFormat::format(hours, QStringLiteral("##.0"))).value_or(0);
    return tenths == 0 ? 0.0 : tenths; // no "-0"
}

} // namespace LogTransfer

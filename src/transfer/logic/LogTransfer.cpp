#include "LogTransfer.h"

#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/RecordSource.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QTimeZone>
#include <limits>
#include <memory>
#include <optional>

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
    target.write(
        QStringLiteral("INSERT INTO temp.[shown logs] (id) SELECT value FROM json_each(?)"),
        {idArray(ids)});
    // The list is read in its own order; each log is found by its id.
    target.write(QStringLiteral("INSERT INTO main.[Vellagons] (%1) SELECT %2 FROM "
                                "temp.[shown logs] AS s CROSS JOIN %3.[Vellagons] AS v "
                                "ON v.rowid = s.id ORDER BY s.rowid")
                     .arg(CopiedFields,
                          QString(CopiedFields).replace(QStringLiteral("["), QStringLiteral("v.[")),
                          Source));
    target.exec(QStringLiteral("DROP TABLE temp.[shown logs]"));
}

// The duration for a span of seconds, as importedDuration computes it.
double durationOfSeconds(qint64 seconds) {
    const double days = double(seconds) / 86400.0;
    const double hours = VbFormat::parseNumber(VbFormat::cstr(days)).value_or(0) * 24;
    const double tenths =
        VbFormat::parseNumber(VbFormat::format(hours, QStringLiteral("##.0"))).value_or(0);
    return tenths == 0 ? 0.0 : tenths; // no "-0"
}

// The instant of a stored time in milliseconds since the epoch, as QDateTime counts it, without
// asking Qt where that can be done: Qt looks the time zone up for every local time, which costs
// more than the rest of an import's row. A time in the file's own form is counted from the
// midnight of its day, which Qt places once, where no change of the clock comes within a day of
// that day: there every local second is that midnight plus the time of day.
class QuickInstants {
public:
    // nullopt for a time near a change of the clock (which may name two instants, or none) and
    // for every other form.
    std::optional<qint64> operator()(const QVariant& stored) {
        if (stored.typeId() != QMetaType::QString)
            return std::nullopt;
        const auto own = StoredDate::readOwnForm(stored.toString());
        if (!own)
            return std::nullopt;
        const Day& day = dayOf(own->day);
        if (!day.even)
            return std::nullopt;
        return day.start + qint64(own->time.msecsSinceStartOfDay());
    }

private:
    struct Day {
        qint64 start = 0;
        bool even = false;
    };
    const Day& dayOf(const QDate& date) {
        const qint64 key = date.toJulianDay();
        if (const auto known = m_days.constFind(key); known != m_days.constEnd())
            return *known;
        if (m_days.size() >= Kept)
            m_days.clear();
        Day found;
        const QDateTime midnight(date, QTime(0, 0));
        if (m_zone.isValid() && midnight.isValid() &&
            m_zone.offsetFromUtc(midnight) == midnight.offsetFromUtc()) {
            constexpr qint64 Margin = 26 * 3600 * 1000LL; // more than any change of the clock
            found.start = midnight.toMSecsSinceEpoch();
            const qint64 from = found.start - Margin;
            const qint64 until = found.start + 24 * 3600 * 1000LL + Margin;
            // The stretch known to be free of changes is looked up again only when left.
            if (from < m_freeFrom || until >= m_freeUntil) {
                const QDateTime next =
                    m_zone.nextTransition(QDateTime::fromMSecsSinceEpoch(from, Qt::UTC)).atUtc;
                m_freeFrom = from;
                m_freeUntil =
                    next.isValid() ? next.toMSecsSinceEpoch() : std::numeric_limits<qint64>::max();
            }
            found.even = until < m_freeUntil;
        }
        return *m_days.insert(key, found);
    }
    static constexpr qsizetype Kept = 1 << 16;
    QTimeZone m_zone = QTimeZone::systemTimeZone();
    QHash<qint64, Day> m_days;
    qint64 m_freeFrom = 0;
    qint64 m_freeUntil = 0; // nothing known yet
};

// The seconds between two stored times as QDateTime counts them; nullopt when either is no time.
std::optional<qint64> spanOf(const QVariant& beginningText, const QVariant& endingText) {
    const QDateTime beginning = StoredDate::fromStored(beginningText);
    const QDateTime ending = StoredDate::fromStored(endingText);
    if (!beginning.isValid() || !ending.isValid())
        return std::nullopt;
    return beginning.secsTo(ending);
}

// The durations of one import. The texts behind a duration cost far more than the times, and
// the logs of a practice file share a few hundred spans: each span's duration is kept (a
// bounded number, so that an import of spans all different keeps little).
class Durations {
public:
    QVariant operator()(const QVariantList& times) {
        std::optional<qint64> seconds;
        const std::optional<qint64> beginning = (*m_quick)(times.value(0));
        const std::optional<qint64> ending = beginning ? (*m_quick)(times.value(1)) : std::nullopt;
        if (beginning && ending)
            seconds = (*ending - *beginning) / 1000; // as QDateTime::secsTo counts
        else
            seconds = spanOf(times.value(0), times.value(1));
        // Times that are no times (written by another program) keep no duration.
        if (!seconds)
            return {};
        if (const auto known = m_known->constFind(*seconds); known != m_known->constEnd())
            return *known;
        if (m_known->size() >= Kept)
            m_known->clear();
        const double duration = durationOfSeconds(*seconds);
        m_known->insert(*seconds, duration);
        return duration;
    }

private:
    static constexpr qsizetype Kept = 4096;
    std::shared_ptr<QuickInstants> m_quick = std::make_shared<QuickInstants>();
    std::shared_ptr<QHash<qint64, double>> m_known = std::make_shared<QHash<qint64, double>>();
};

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
                copy.write(QStringLiteral("INSERT INTO main.%1 SELECT * FROM %2.%1")
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
    target.defineFunction(QStringLiteral("vellagon_imported_duration"), 2, Durations());
    const Database::Attachment attached = target.attachReadOnly(source, Source);
    int imported = 0;
    target.transaction([&] {
        const QString bothTimes =
            QStringLiteral("[Beginning Time] IS NOT NULL AND [Ending Time] IS NOT NULL");
        imported = int(target.write(
            QStringLiteral(
                "INSERT INTO main.[Vellagons] ([Client], [Project], [Employee], [Rate], "
                "[Vellagon], [VellaGraphic], [Log Summary], [Beginning Time], [Ending Time], "
                "[Duration]) SELECT [Client], [Project], [Employee], [Rate], [Vellagon], "
                "[VellaGraphic], [Log Summary], CASE WHEN %1 THEN [Beginning Time] END, "
                "CASE WHEN %1 THEN [Ending Time] END, CASE WHEN %1 THEN "
                "vellagon_imported_duration([Beginning Time], [Ending Time]) END "
                "FROM %2.[Vellagons] ORDER BY rowid")
                .arg(bothTimes, Source)));
    });
    return imported;
}

double importedDuration(const QDateTime& beginning, const QDateTime& ending) {
    return durationOfSeconds(beginning.secsTo(ending));
}

} // namespace LogTransfer

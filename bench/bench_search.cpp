// The searches on the practice file of 1,000,000 logs: by client, employee and project (each
// over all time and over the last six months) and by log text, as a search opens its Display
// window: the data control on the search's statement, its first row and a move to the newest
// log. Raw SQLite does the same on a connection of its own with the best statement that
// returns the same rows; a whole Display window (offscreen) is timed besides.
//   bench_search [practice.mdb]
// Without an argument it reads the cached practice file. Nine values are sought (one phrase
// of the text); a round seeks each of them once, and each is run on both sides before the
// rounds, so both sides find their statements prepared (and the program its translation
// kept), as when a search is run again. A first search, whose statement neither side has
// prepared (nor the program translated), is timed apart on values sought only once.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/logic/SharedState.h"
#include "platform/data/Clock.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/logic/SearchStatements.h"
#include "timelog/windows/frmDisplay.h"

#include <QApplication>
#include <cstdio>

using namespace BenchTools;
using namespace SearchStatements;

namespace {

// The data control as the search's window opens it.
void openControl(const QString& path, const QString& statement) {
    DataControl dc;
    dc.setDatabasePath(path);
    dc.setRecordSource(statement);
    if (!dc.Refresh())
        qFatal("the statement was refused: %s", qPrintable(statement));
    if (dc.RecordCount() > 0 && (!dc.value(QStringLiteral("Client")).isValid() || !dc.MoveLast()))
        qFatal("no first row");
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    QApplication app(argc, argv);
    WidgetSeams::install();
    // The program holds the file open, as its first Display window does.
    const auto& [path, db, raw] = OpenPractice(argc, argv, RawSqlite::Access::ReadWrite);
    RawRow row(raw, QStringLiteral("Vellagons"));
    gstrDatabasePath = path;

    // The values sought: those of logs spread over the file, and a phrase of the notes. Each
    // is sought in every round (the first, unmeasured run of each side prepares its
    // statements).
    constexpr int Rounds = 9;
    QList<Sought> values;
    for (int i = 1; i <= Rounds; ++i) {
        QSqlQuery row = db.exec(QStringLiteral("SELECT Client, Employee, Project FROM Vellagons "
                                               "WHERE rowid >= (SELECT max(rowid) FROM "
                                               "Vellagons) * ? / 10 LIMIT 1"),
                                {i});
        if (!row.next())
            qFatal("the file has no logs");
        Sought sought;
        sought.client = row.value(0).toString();
        sought.employee = row.value(1).toString();
        sought.project = row.value(2).toString();
        sought.text = QStringLiteral("mediation judgment");
        values << sought;
    }
    const std::optional<DateRange> sixMonths = recentRange(LastSixMonths, Clock::today());
    bool met = true;

    // A first search: clients sought nowhere else, each once on each side, so that neither
    // finds the statement prepared and the program has not translated it.
    {
        QStringList fresh;
        QSqlQuery clients = db.exec(QStringLiteral("SELECT DISTINCT Client FROM Vellagons "
                                                   "WHERE Client NOT IN (?, ?, ?, ?, ?, ?, ?, ?, "
                                                   "?) ORDER BY Client DESC LIMIT 100"),
                                    [&] {
                                        QVariantList sought;
                                        for (const Sought& value : std::as_const(values))
                                            sought << value.client;
                                        return sought;
                                    }());
        while (clients.next())
            fresh << clients.value(0).toString();
        constexpr int PerRound = 9;
        const int firstRounds = int(fresh.size()) / PerRound - 1; // one unmeasured run a side
        if (firstRounds < 1)
            qFatal("the file has too few clients");
        QStringList statements;
        QStringList rawStatements;
        for (const QString& client : std::as_const(fresh)) {
            Sought value;
            value.client = client;
            statements << finish(*SearchStatements::search(AnotherClient, QString(), value),
                                 AnotherClient, sixMonths);
            rawStatements << QStringLiteral("SELECT rowid FROM Vellagons WHERE Client = %1 "
                                            "COLLATE NOCASE AND [Beginning Time] BETWEEN "
                                            "'%2 00:00:00' AND '%3 23:59:59' ORDER BY "
                                            "[Beginning Time], rowid")
                                 .arg(sqlLiteral(client), sixMonths->begin.toString(Qt::ISODate),
                                      sixMonths->end.toString(Qt::ISODate));
        }
        int programNext = 0;
        int rawNext = 0;
        BenchTools::Rounds first = alternate(
            firstRounds, Cache::Warm, path,
            [&] {
                for (int i = 0; i < PerRound; ++i)
                    openControl(path, statements.at(programNext++));
            },
            [&] {
                for (int i = 0; i < PerRound; ++i) {
                    const RawIds ids = raw.ids(rawStatements.at(rawNext++));
                    if (!ids.empty()) {
                        row.read(ids.front());
                        row.read(ids.back());
                    }
                }
            });
        for (double& ms : first.program)
            ms /= PerRound;
        for (double& ms : first.raw)
            ms /= PerRound;
        // Translating and parsing a new text has no counterpart in the engine: no target.
        report(QStringLiteral("search by client, six months, first run of its statement"),
               Cache::Warm, first, 0);
    }

    struct Case {
        const char* name;
        int type;
        const char* field; // the raw condition's
    };
    const Case cases[] = {{"client", AnotherClient, "Client"},
                          {"employee", Employee, "Employee"},
                          {"project", Project, "Project"},
                          {"log text", LogText, nullptr}};
    for (const Case& c : cases) {
        for (const std::optional<DateRange>& range : {std::optional<DateRange>(), sixMonths}) {
            const bool text = c.type == LogText;
            // The statements of every value sought, on both sides.
            const int sought = text ? 1 : Rounds;
            QStringList statements;
            QStringList rawStatements;
            qint64 logs = 0;
            for (int i = 0; i < sought; ++i) {
                const Sought& value = values[i];
                statements << finish(*SearchStatements::search(c.type, QString(), value), c.type,
                                     range);
                QString rawSql = QStringLiteral("SELECT rowid FROM Vellagons WHERE ");
                if (text)
                    rawSql += QStringLiteral("Vellagon LIKE '%mediation judgment%'");
                else
                    rawSql += QStringLiteral("%1 = %2 COLLATE NOCASE")
                                  .arg(QLatin1String(c.field),
                                       sqlLiteral(c.type == AnotherClient ? value.client
                                                  : c.type == Employee    ? value.employee
                                                                          : value.project));
                if (range)
                    rawSql += QStringLiteral(" AND [Beginning Time] BETWEEN '%1 00:00:00' AND "
                                             "'%2 23:59:59'")
                                  .arg(range->begin.toString(Qt::ISODate),
                                       range->end.toString(Qt::ISODate));
                rawSql += QStringLiteral(" ORDER BY [Beginning Time], rowid");
                rawStatements << rawSql;
                logs += qint64(raw.ids(rawSql).size());
            }
            const auto rawSearches = [&] {
                for (const QString& rawSql : std::as_const(rawStatements)) {
                    const RawIds ids = raw.ids(rawSql);
                    if (!ids.empty()) {
                        row.read(ids.front());
                        row.read(ids.back());
                    }
                }
            };
            // A search of a few rows takes less than the timer's noise: a round runs every
            // value once, and a search's time is the round's share.
            const auto share = [&](BenchTools::Rounds rounds) {
                for (double& ms : rounds.program)
                    ms /= sought;
                for (double& ms : rounds.raw)
                    ms /= sought;
                return rounds;
            };
            const int rounds = text ? 3 : Rounds;
            const BenchTools::Rounds control = share(alternate(
                rounds, Cache::Warm, path,
                [&] {
                    for (const QString& statement : std::as_const(statements))
                        openControl(path, statement);
                },
                rawSearches));
            const BenchTools::Rounds window = share(alternate(
                rounds, Cache::Warm, path,
                [&] {
                    for (const QString& statement : std::as_const(statements)) {
                        const frmDisplay::OpeningSource opening(statement);
                        frmDisplay shown;
                        shown.Adodc1->MoveLast();
                    }
                },
                rawSearches));
            const QString job = QStringLiteral("search by %1, %2 (%3 logs on average)")
                                    .arg(QLatin1String(c.name), range ? QStringLiteral("six months")
                                                                      : QStringLiteral("all time"))
                                    .arg(logs / sought);
            met &= report(job, Cache::Warm, control, text ? 1.1 : 1.2, text ? 0 : 5);
            report(QStringLiteral("  ... a whole Display window on it"), Cache::Warm, window, 0);
            if (text) {
                // No index serves the text: raw SQLite may also read the whole table in its
                // order and sort what it finds ("+" keeps the planner off the index of the
                // order), for the same rows in the same order.
                QStringList scans = rawStatements;
                for (QString& scan : scans)
                    scan.replace(QStringLiteral("ORDER BY [Beginning Time]"),
                                 QStringLiteral("ORDER BY +[Beginning Time]"));
                const BenchTools::Rounds scanned = share(alternate(
                    rounds, Cache::Warm, path,
                    [&] {
                        for (const QString& statement : std::as_const(statements))
                            openControl(path, statement);
                    },
                    [&] {
                        for (const QString& scan : std::as_const(scans)) {
                            const RawIds ids = raw.ids(scan);
                            if (!ids.empty()) {
                                row.read(ids.front());
                                row.read(ids.back());
                            }
                        }
                    }));
                report(QStringLiteral("  ... against a table scan and sort"), Cache::Warm, scanned,
                       0);
            }
        }
    }
    return targets(met);
}

#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <optional>

// The statements of a log search and of a log report over Vellagons, in the Jet dialect, built
// from a search type, a time frame and the values sought.
namespace SearchStatements {

// The search types: the options of the search window, top to bottom, and two that only the
// program's own commands pass.
enum SearchType {
    CurrentClient = 0,
    AnotherClient = 1,
    AllActiveClients = 2,
    Employee = 3,
    Project = 4,
    LogText = 5,
    ClientOrProject = 6, // the Data entry window's quick search
    ProjectReport = 7    // the report of the shown project
};

// The time frames: the options of the search window, top to bottom.
enum TimeFrame { AllTime = 0, LastMonth = 1, LastSixMonths = 2, LastYear = 3, CustomRange = 4 };

// A range of days; both days count whole.
struct DateRange {
    QDate begin;
    QDate end;
    bool operator==(const DateRange&) const = default;
};

// The values a search or a report looks for, as the user gave them (not quoted).
struct Sought {
    QString client;
    QString employee;
    QString project;
    QString text;
    QStringList clients; // the clients cache, for all active clients
};

// A search's WHERE clause (what the new Display window keeps) and its statement so far.
struct Search {
    QString where;
    QString statement;
};

// The range of the time frames that end today (last month, six months, year); nothing for
// the others.
std::optional<DateRange> recentRange(int timeFrame, const QDate& today);

// A sought value inside a LIKE pattern: apostrophes doubled, NULs dropped, and the
// characters LIKE treats specially escaped, so that the value matches only itself.
QString likeValue(const QString& value);

// The clause of a search type added to the WHERE clause `seed` ("" for none): the first
// condition starts the clause with "WHERE ", a later one is joined with " AND ". Nothing when
// no log can match (all active clients without any client).
std::optional<Search> search(int searchType, const QString& seed, const Sought& sought);

// The finished search statement: the range of Beginning Time, when there is one, and the order
// (by client for all active clients).
QString finish(const Search& search, int searchType, const std::optional<DateRange>& range);

// The statement of a report; nothing when no log can match (all active clients without any
// client) or the type has no report.
std::optional<QString> report(int searchType, const Sought& sought,
                              const std::optional<DateRange>& range);

} // namespace SearchStatements

#pragma once

#include <QString>
#include <memory>

class Database;
class ReportRecordSource;

// What the active clients report shows: one row per active client in name order, with four
// text columns assembled by the statement (Client, CaseInfo, Defendant, Things To Do).
namespace ActiveClientsReport {

// The statement, in the Jet dialect; its line breaks are single carriage returns.
QString statement();

// The statement's rows on a file, read at once. A zip code prints as its box shows it,
// whichever form the file holds ("12207" for "12207-", "12207-1234" for "122071234").
// Throws AppError when the engine refuses the statement.
std::shared_ptr<const ReportRecordSource> records(const Database& db);

} // namespace ActiveClientsReport

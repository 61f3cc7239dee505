#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>
#include <memory>

class Database;
class ReportRecordSource;

// What an invoice lists: the logs of one client within a range of days, oldest first.
namespace Invoice {

// The statement, in the Jet dialect, of the columns the invoice shows, with three parameters:
// the client, matched exactly without regard to case (so "%", "_" and apostrophes in a name
// match only themselves), and the first and last instant of the range.
QString statement();
// The parameters of the statement: the range covers whole days, from the first instant of
// its first day to the last second of its last day.
QVariantList parameters(const QString& client, const QDate& begin, const QDate& end);

// The logs, read at once. Each fee reads as the cents the invoice prints, so the report's
// total is the sum of the printed fees; each duration reads as the single-precision number
// it was kept as, so 1.1 prints as "1.1". Throws AppError.
std::shared_ptr<const ReportRecordSource> records(const Database& db, const QString& client,
                                                  const QDate& begin, const QDate& end);

} // namespace Invoice

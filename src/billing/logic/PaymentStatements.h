#pragma once

#include "LetterHeading.h"
#include "platform/data/Currency.h"

#include <QString>
#include <QVariantList>
#include <memory>

class Database;
class ReportRecordSource;

// What a statement lists: the disbursements made for one client, by date, or the payments
// received from the client, by description and then date, with their total.
namespace PaymentStatements {

enum class Kind { Disbursements, Payments };

// The kind of statement a tab of the payments and disbursements window gives: disbursements
// on "Display disbursements" (tab 2), payments on every other tab.
Kind kindOfTab(int tab);
LetterHeading::Letter letterOf(Kind kind);

// The statement, in the Jet dialect, of the columns the report shows, with two parameters:
// the client's last and first names, each matched exactly without regard to case (so "%",
// "_" and apostrophes in a name match only themselves).
QString statement(Kind kind);
QVariantList parameters(const LetterHeading::ClientName& name);

// The rows, read at once. Each amount reads as the cents the statement prints, so the
// report's total is the sum of the printed amounts; each date reads as a date. Throws
// AppError.
std::shared_ptr<const ReportRecordSource> records(const Database& db, Kind kind,
                                                  const LetterHeading::ClientName& name);
// The column of the amounts, which the report totals.
QString amountColumn(Kind kind);
// The sum of the amounts of the rows, as the report's total shows it. Throws AppError
// (Overflow) for a total beyond the money range.
Currency total(const ReportRecordSource& rows, Kind kind);

// The caption of the client pick list.
QString pickCaption();
// The question asked when the file has no letterhead.
QString noLetterheadQuestion();
// The end of the command when there is still no letterhead.
QString noLetterheadMessage();
// The end of the command when no client was picked.
QString noClientMessage();

} // namespace PaymentStatements

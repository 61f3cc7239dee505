#pragma once

#include <QDate>
#include <QString>
#include <QVariantList>

// The search of the payments and disbursements window: the rows of one kind, within a date
// range, whose amount, client's names, payee or description hold the term.
namespace PaymentSearch {

enum class Kind { Disbursements, Payments };

// A record source and the values of its placeholders, in order.
struct Statement {
    QString jetSql;
    QVariantList parameters;
};

// Refuses an empty term.
extern const QString NoTerm;
// Follows the full list when nothing matched.
extern const QString NothingFound;

// Every row of the kind, by client and date.
QString fullList(Kind kind);

// The rows of the kind dated from `from` through `to` (both days whole) in which:
// - the amount as its plain decimal text ("1250.75", "150") holds the term;
// - the client's last or first name, the payee (disbursements) or the description holds the
//   term, letter case aside ("Smi" finds Smith and Smithers).
// Every character of the term stands for itself: "%" or "_" match only themselves. By
// client and date, as the full list.
Statement search(Kind kind, const QString& term, QDate from, QDate to);

} // namespace PaymentSearch

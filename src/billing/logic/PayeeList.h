#pragma once

#include <QString>
#include <QStringList>

class Database;

// The payees the disbursement tab offers to choose from.
namespace PayeeList {

// The statement that lists the payee of every disbursement in the order of the window's list
// of them (PaymentSearch::fullList), rows that tie on that order as they were entered.
extern const QString Statement;

// Each payee of the file's disbursements once, where it first comes in that order; letter
// case told apart ("clerk" and "Clerk" are two), an empty or missing payee as "". One read of
// the file. Throws AppError when the rows cannot be read.
QStringList read(const Database& db);

} // namespace PayeeList

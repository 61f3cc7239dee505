#pragma once

#include "Fixtures.h"

#include <QList>
#include <QString>
#include <QVariant>

// Rows that the billing tests put in a file, as another program would write them: logs to
// invoice, disbursements and payments to list, search and total. An invalid QVariant stores
// NULL.
namespace BillingRows {

struct Log {
    QString client;
    QString begin; // stored form
    QVariant duration;
    QVariant fee;
    QString summary = QStringLiteral("Legal research");
};

struct Row {
    QString last;
    QString first;
    QString date; // the day, stored at midnight ("2026-03-01"), or the stored date and time
    QVariant amount;
    QString description = QStringLiteral("Filing fee");
    QString payee = QStringLiteral("Clerk of Court"); // disbursements only
};

// Logs of the employee "Doe, Jane" at the rate 110, each ending as it begins.
inline void addLogs(const QString& path, const QList<Log>& logs) {
    QList<QVariantList> values;
    for (const Log& log : logs)
        values << QVariantList{log.client, log.summary,  log.begin,
                               log.begin,  log.duration, log.fee};
    Fixtures::execRaw(path,
                      "INSERT INTO Vellagons (Client, Employee, Rate, [Log Summary], [Beginning "
                      "Time], [Ending Time], Duration, Fee) VALUES (?, 'Doe, Jane', '110', ?, ?, "
                      "?, ?, ?)",
                      values);
}

inline QString storedDate(const QString& date) {
    return date.size() == 10 ? date + QStringLiteral(" 00:00:00") : date;
}

inline void addDisbursements(const QString& path, const QList<Row>& rows) {
    QList<QVariantList> values;
    for (const Row& r : rows)
        values << QVariantList{r.last,   r.first,       storedDate(r.date),
                               r.amount, r.description, r.payee};
    Fixtures::execRaw(path,
                      "INSERT INTO Disbursements ([Disbursement Client Last Name], [Disbursement "
                      "Client First Name], [Disbursement Date], [Disbursement Amount], "
                      "[Disbursement Description], [Disbursement Payee]) VALUES (?, ?, ?, ?, ?, ?)",
                      values);
}

inline void addPayments(const QString& path, const QList<Row>& rows) {
    QList<QVariantList> values;
    for (const Row& r : rows)
        values << QVariantList{r.last, r.first, storedDate(r.date), r.amount, r.description};
    Fixtures::execRaw(path,
                      "INSERT INTO Payments ([Payment Client Last Name], [Payment Client First "
                      "Name], [Payment Date], [Payment Amount], [Payment Description]) VALUES (?, "
                      "?, ?, ?, ?)",
                      values);
}

} // namespace BillingRows

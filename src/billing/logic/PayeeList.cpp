#include "PayeeList.h"

#include "platform/data/Database.h"

#include <QByteArray>
#include <QSet>

namespace PayeeList {

const QString Statement =
    QStringLiteral("SELECT [Disbursement Payee] FROM Disbursements ORDER BY [Disbursement Client "
                   "Last Name], [Disbursement Client First Name], [Disbursement Date], rowid");

QStringList read(const Database& db) {
    // The rows arrive as their bytes: a payee is made a text once, not once a row.
    QStringList payees;
    QSet<QByteArray> seen;
    db.readRows(
        Statement, {},
        [&](QVariantList& row) {
            const QVariant& value = row.constFirst();
            const QByteArray payee = value.typeId() == QMetaType::QByteArray
                                         ? value.toByteArray()
                                         : value.toString().toUtf8();
            if (!seen.contains(payee)) {
                seen.insert(payee);
                payees << QString::fromUtf8(payee);
            }
            return true;
        },
        Database::TextAsUtf8);
    return payees;
}

} // namespace PayeeList

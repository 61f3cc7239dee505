#pragma once

#include "platform/data/Currency.h"

#include <QDate>
#include <QString>
#include <QVariantMap>
#include <optional>

// What the payments and disbursements window records: the checks of a new disbursement or
// payment, in the order the user is told of them, the row to write and the confirmation.
namespace PaymentEntry {

// The entries of the disbursement tab, as typed.
struct Disbursement {
    QString client;
    QString payee;
    QString description;
    QString amount;
    QDate date; // invalid when the picker holds none
};

// The entries of the payment tab, as typed.
struct Payment {
    QString client;
    bool fee = true; // "Legal fee", else "Disbursement"
    QString amount;
    QDate date;
};

// Either the message that refuses the record (nothing is written then), or the row to write,
// by field name, and the text that confirms it.
struct Outcome {
    QString refusal;
    QVariantMap row;
    QString confirmation;
};

Outcome disbursement(const Disbursement& entry);
Outcome payment(const Payment& entry);

// An amount of money as a user types it: an optional "-" and "$", digits in "," groups of
// three or without groups, and at most two decimals. Nothing for anything else and for an
// amount beyond the money range.
std::optional<Currency> readAmount(const QString& text);

// The description a payment stores.
QString paymentDescription(bool fee);

} // namespace PaymentEntry

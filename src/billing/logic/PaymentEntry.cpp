#include "PaymentEntry.h"

#include "LetterHeading.h"
#include "core/logic/FieldLimits.h"
#include "core/logic/SharedState.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"

#include <QRegularExpression>

namespace PaymentEntry {

namespace {

const QString Saved = QStringLiteral("This record has been saved:");
const QString Crlf = QStringLiteral("\r\n");

// An optional "-" and "$", digits in "," groups of three or without groups, at most two
// decimals.
bool writtenAsMoney(const QString& text) {
    static const QRegularExpression money(
        QStringLiteral("^\\s*-?\\$?(\\d{1,3}(,\\d{3})+|\\d+|(?=\\.\\d))(\\.\\d{0,2})?\\s*$"));
    return money.match(text).hasMatch();
}

// Why an amount that readAmount() refused is refused: written as money but past its range, or
// not written as money.
QString amountRefusal(const QString& amount) {
    if (writtenAsMoney(amount))
        return QStringLiteral("\"%1\" is too large an amount of money. An amount can be at most "
                              "922,337,203,685,477.58 dollars either way.")
            .arg(amount);
    return QStringLiteral("\"%1\" is not an amount of money. Enter dollars and cents, such as "
                          "1250.75 or $1,250.75, with at most two decimals.")
        .arg(amount);
}

QString nameRefusal(const QString& kind) {
    return QStringLiteral("Please enter the client as last name, comma and blank, first name "
                          "(\"Smith, Ann\") before saving this %1 record.")
        .arg(kind);
}

QString dayText(const QDate& day) {
    return VbFormat::format(QVariant(day.startOfDay()), QStringLiteral("M/d/yyyy"));
}

// The client's names into the row; false when the text holds no ", " to split at.
bool putClient(const QString& client, const QString& prefix, QVariantMap& row) {
    if (!client.contains(QStringLiteral(", ")))
        return false;
    gstrClient = client;
    const LetterHeading::ClientName name = LetterHeading::splitName(client);
    gstrLastName = name.last;
    gstrFirstName = name.first;
    row.insert(prefix + QStringLiteral(" Client First Name"), name.first);
    row.insert(prefix + QStringLiteral(" Client Last Name"), name.last);
    return true;
}

// A text too long for its field, named by the frame the user typed it in.
QString tooLong(const QString& table, const QVariantMap& row) {
    const std::optional<FieldLimits::TooLong> found = FieldLimits::firstTooLong(table, row);
    if (!found)
        return {};
    const QString caption = found->field.endsWith(QStringLiteral("Payee"))
                                ? QStringLiteral("Vendor")
                            : found->field.endsWith(QStringLiteral("Description"))
                                ? QStringLiteral("Description of payment")
                                : QStringLiteral("Client");
    return FieldLimits::message(caption, *found);
}

} // namespace

std::optional<Currency> readAmount(const QString& text) {
    if (!writtenAsMoney(text))
        return std::nullopt;
    return Currency::parse(text);
}

QString paymentDescription(bool fee) {
    return fee ? QStringLiteral("Legal fee") : QStringLiteral("Disbursement");
}

Outcome disbursement(const Disbursement& entry) {
    const QString record = QStringLiteral("disbursement");
    if (entry.client.isEmpty())
        return {QStringLiteral("Please select or enter the name of a client before saving this "
                               "disbursement record."),
                {},
                {}};
    if (entry.payee.isEmpty())
        return {QStringLiteral("Please select or enter the name of a disbursement vendor before "
                               "saving this disbursement record."),
                {},
                {}};
    if (entry.description.isEmpty())
        return {QStringLiteral("Please enter a description for the disbursment before saving "
                               "this disbursement record."),
                {},
                {}};
    if (entry.amount.isEmpty())
        return {QStringLiteral("Please enter the amount of the disbursment before saving this "
                               "disbursement record."),
                {},
                {}};
    if (!entry.date.isValid())
        return {QStringLiteral("Please select the date the disbursement was made before saving "
                               "this disbursement record."),
                {},
                {}};
    const std::optional<Currency> amount = readAmount(entry.amount);
    if (!amount)
        return {amountRefusal(entry.amount), {}, {}};
    Outcome out;
    if (!putClient(entry.client, QStringLiteral("Disbursement"), out.row))
        return {nameRefusal(record), {}, {}};
    out.row.insert(QStringLiteral("Disbursement Payee"), entry.payee);
    out.row.insert(QStringLiteral("Disbursement Date"),
                   StoredDate::toSqlValue(entry.date.startOfDay()));
    out.row.insert(QStringLiteral("Disbursement Description"), entry.description);
    out.row.insert(QStringLiteral("Disbursement Amount"), amount->toSqlValue());
    if (QString refusal = tooLong(QStringLiteral("Disbursements"), out.row); !refusal.isEmpty())
        return {refusal, {}, {}};
    out.confirmation =
        Saved + Crlf + Crlf +
        QStringList{entry.client, entry.payee, entry.description, entry.amount, dayText(entry.date)}
            .join(Crlf);
    return out;
}

Outcome payment(const Payment& entry) {
    if (entry.client.isEmpty())
        return {QStringLiteral("Please select or enter the name of a client before saving this "
                               "payment record."),
                {},
                {}};
    if (entry.amount.isEmpty())
        return {QStringLiteral("Please enter the amount of the payment before saving this "
                               "payment record."),
                {},
                {}};
    if (!entry.date.isValid())
        return {QStringLiteral("Please select the date the payment was made before saving this "
                               "payment record."),
                {},
                {}};
    const std::optional<Currency> amount = readAmount(entry.amount);
    if (!amount)
        return {amountRefusal(entry.amount), {}, {}};
    Outcome out;
    if (!putClient(entry.client, QStringLiteral("Payment"), out.row))
        return {nameRefusal(QStringLiteral("payment")), {}, {}};
    gstrDescription = paymentDescription(entry.fee);
    out.row.insert(QStringLiteral("Payment Date"), StoredDate::toSqlValue(entry.date.startOfDay()));
    out.row.insert(QStringLiteral("Payment Description"), gstrDescription);
    out.row.insert(QStringLiteral("Payment Amount"), amount->toSqlValue());
    if (QString refusal = tooLong(QStringLiteral("Payments"), out.row); !refusal.isEmpty())
        return {refusal, {}, {}};
    out.confirmation =
        Saved + Crlf + Crlf +
        QStringList{entry.client, gstrDescription, entry.amount, dayText(entry.date)}.join(Crlf);
    return out;
}

} // namespace PaymentEntry

#include "PaymentStatements.h"

#include "PrintedRecords.h"

#include "platform/data/Currency.h"

namespace PaymentStatements {

Kind kindOfTab(int tab) {
    return tab == 2 ? Kind::Disbursements : Kind::Payments;
}

LetterHeading::Letter letterOf(Kind kind) {
    return kind == Kind::Disbursements ? LetterHeading::Letter::DisbursementsStatement
                                       : LetterHeading::Letter::PaymentsStatement;
}

QString statement(Kind kind) {
    // The names compare as the columns do, without regard to case; the client index serves
    // both, and holds the disbursements in date order already.
    if (kind == Kind::Disbursements)
        return QStringLiteral(
            "SELECT [Disbursement Description], [Disbursement Payee], [Disbursement Date], "
            "[Disbursement Amount] FROM Disbursements WHERE [Disbursement Client Last Name] = ? "
            "AND [Disbursement Client First Name] = ? ORDER BY [Disbursement Date]");
    return QStringLiteral("SELECT [Payment Description], [Payment Date], [Payment Amount] FROM "
                          "Payments WHERE [Payment Client Last Name] = ? AND [Payment Client "
                          "First Name] = ? ORDER BY [Payment Description], [Payment Date]");
}

QVariantList parameters(const LetterHeading::ClientName& name) {
    return {name.last, name.first};
}

std::shared_ptr<const ReportRecordSource> records(const Database& db, Kind kind,
                                                  const LetterHeading::ClientName& name) {
    using As = PrintedRecords::As;
    const QString date = kind == Kind::Disbursements ? QStringLiteral("Disbursement Date")
                                                     : QStringLiteral("Payment Date");
    return std::make_shared<PrintedRecords>(
        db, statement(kind), parameters(name),
        QList<std::pair<QString, As>>{{amountColumn(kind), As::Cents}, {date, As::DateTime}});
}

QString amountColumn(Kind kind) {
    return kind == Kind::Disbursements ? QStringLiteral("Disbursement Amount")
                                       : QStringLiteral("Payment Amount");
}

Currency total(const ReportRecordSource& rows, Kind kind) {
    return columnTotal(rows, rows.columnIndex(amountColumn(kind)));
}

QString pickCaption() {
    return QStringLiteral("Select a client");
}

QString noLetterheadQuestion() {
    return QStringLiteral("There is no letterhead set for this report, would you like to create "
                          "a letterhead for your invoice?");
}

QString noLetterheadMessage() {
    return QStringLiteral(
        "You must create a letterhead before you can create a payments or disbursements report.");
}

QString noClientMessage() {
    return QStringLiteral("You must select a client.  Please try again.");
}

} // namespace PaymentStatements

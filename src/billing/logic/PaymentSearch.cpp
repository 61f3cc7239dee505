#include "PaymentSearch.h"

#include "platform/data/StoredDate.h"

namespace PaymentSearch {

const QString NoTerm = QStringLiteral("A search cannot be made without a search term or amount "
                                      "being entered by you.  Please try again.");
const QString NothingFound = QStringLiteral("No records were found meeting your search criteria.");

namespace {

// The term as a pattern that finds it anywhere in a text, its own "%", "_" and "\" taken
// literally (the statements name "\" as the escape).
QString containing(const QString& term) {
    QString pattern = QStringLiteral("%");
    for (const QChar c : term) {
        if (c == QLatin1Char('%') || c == QLatin1Char('_') || c == QLatin1Char('\\'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern + QLatin1Char('%');
}

QString contains(const QString& field) {
    return field + QStringLiteral(" Like ? Escape '\\'");
}

} // namespace

QString fullList(Kind kind) {
    return kind == Kind::Disbursements
               ? QStringLiteral("Select * from Disbursements Order By [Disbursement Client Last "
                                "Name], [Disbursement Client First Name], [Disbursement Date]")
               : QStringLiteral("Select * from Payments Order By [Payment Client Last Name], "
                                "[Payment Client First Name], [Payment Date]");
}

Statement search(Kind kind, const QString& term, QDate from, QDate to) {
    const bool disbursements = kind == Kind::Disbursements;
    const QString table =
        disbursements ? QStringLiteral("Disbursements") : QStringLiteral("Payments");
    const QString prefix =
        disbursements ? QStringLiteral("[Disbursement ") : QStringLiteral("[Payment ");
    const auto field = [&](const char* name) {
        return prefix + QLatin1String(name) + QLatin1Char(']');
    };

    const QString pattern = containing(term);
    QStringList matches{contains(QStringLiteral("CStr(") + field("Amount") + QLatin1Char(')')),
                        contains(field("Client Last Name")), contains(field("Client First Name"))};
    QVariantList parameters{StoredDate::toSqlValue(from.startOfDay()),
                            StoredDate::toSqlValue(to.addDays(1).startOfDay()), pattern, pattern,
                            pattern};
    if (disbursements) {
        matches << contains(field("Payee"));
        parameters << pattern;
    }
    matches << contains(field("Description"));
    parameters << pattern;

    // A date is stored with its time of day: the last day counts up to its end.
    const QString sql = QStringLiteral("Select * from ") + table + QStringLiteral(" where ") +
                        field("Date") + QStringLiteral(" >= ? and ") + field("Date") +
                        QStringLiteral(" < ? and (") + matches.join(QStringLiteral(" or ")) +
                        QStringLiteral(") Order By ") + field("Client Last Name") +
                        QStringLiteral(", ") + field("Client First Name") + QStringLiteral(", ") +
                        field("Date");
    return {sql, parameters};
}

} // namespace PaymentSearch

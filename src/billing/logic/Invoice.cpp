#include "Invoice.h"

#include "PrintedRecords.h"

#include "platform/data/StoredDate.h"

namespace Invoice {

QString statement() {
    // Only what the invoice shows: the notes and their formatting (pictures included) may be
    // long, and no line prints them.
    return QStringLiteral("SELECT Client, Employee, Rate, [Beginning Time], Duration, Fee, "
                          "[Log Summary] FROM Vellagons WHERE Client = ? AND [Beginning Time] "
                          "BETWEEN ? AND ? ORDER BY [Beginning Time]");
}

QVariantList parameters(const QString& client, const QDate& begin, const QDate& end) {
    return {client, StoredDate::toSqlValue(begin.startOfDay()),
            StoredDate::toSqlValue(QDateTime(end, QTime(23, 59, 59)))};
}

std::shared_ptr<const ReportRecordSource> records(const Database& db, const QString& client,
                                                  const QDate& begin, const QDate& end) {
    using As = PrintedRecords::As;
    return std::make_shared<PrintedRecords>(
        db, statement(), parameters(client, begin, end),
        QList<std::pair<QString, As>>{{QStringLiteral("Fee"), As::Cents},
                                      {QStringLiteral("Duration"), As::Single}});
}

} // namespace Invoice

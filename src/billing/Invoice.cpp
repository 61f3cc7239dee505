#include "Invoice.h"

#include "platform/Currency.h"
#include "platform/ReportData.h"
#include "platform/StoredDate.h"

namespace Invoice {

namespace {

class Records : public ReportRecordSource {
public:
    Records(const Database& db, const QVariantList& params) : m_rows(db, statement(), params) {
        m_fee = m_rows.columnIndex(QStringLiteral("Fee"));
        m_duration = m_rows.columnIndex(QStringLiteral("Duration"));
    }

    int rowCount() const override { return m_rows.rowCount(); }
    int columnIndex(const QString& name) const override { return m_rows.columnIndex(name); }

    QVariant value(int row, int column) const override {
        const QVariant value = m_rows.value(row, column);
        if (value.isNull())
            return value;
        if (column == m_fee)
            if (const std::optional<Currency> fee = Currency::fromSqlValue(value))
                return QVariant::fromValue(fee->roundedToCents());
        if (column == m_duration && value.typeId() == QMetaType::Double)
            return QVariant::fromValue(float(value.toDouble()));
        return value;
    }

private:
    SqlRecordSource m_rows;
    int m_fee = -1;
    int m_duration = -1;
};

} // namespace

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
    return std::make_shared<Records>(db, parameters(client, begin, end));
}

} // namespace Invoice

#include "ActiveClientsReport.h"

#include "platform/data/InputMask.h"
#include "platform/reporting/ReportData.h"

namespace {

const QString CR = QStringLiteral("\r");
// Where the statement starts a line: the apostrophe that opens a one-character literal, and
// the carriage return in it.
const QString CRMark = QStringLiteral("'\r");

class Records : public ReportRecordSource {
public:
    Records(const Database& db, const QString& sql) : m_rows(db, sql) {
        m_client = m_rows.columnIndex(QStringLiteral("Client"));
        m_city = m_rows.columnIndex(QStringLiteral("Active Client City"));
        m_state = m_rows.columnIndex(QStringLiteral("Active Client State"));
        m_zip = m_rows.columnIndex(QStringLiteral("Active Client Zip Code"));
    }

    int rowCount() const override { return m_rows.rowCount(); }
    int columnIndex(const QString& name) const override { return m_rows.columnIndex(name); }

    QVariant value(int row, int column) const override {
        const QVariant value = m_rows.value(row, column);
        if (column != m_client || value.isNull())
            return value;
        const QString zip = m_rows.value(row, m_zip).toString();
        const QString printed = m_zipMask.normalized(zip);
        if (zip.isEmpty() || printed == zip)
            return value;
        // The city line ends with its zip code: "\r" city ", " state "  " zip.
        const QString line = CR + m_rows.value(row, m_city).toString() + QStringLiteral(", ") +
                             m_rows.value(row, m_state).toString() + QStringLiteral("  ");
        QString text = value.toString();
        const qsizetype at = text.indexOf(line + zip);
        if (at >= 0)
            text.replace(at + line.size(), zip.size(), printed);
        return text;
    }

private:
    SqlRecordSource m_rows;
    InputMask m_zipMask{QStringLiteral("#####-####")};
    int m_client = -1;
    int m_city = -1;
    int m_state = -1;
    int m_zip = -1;
};

} // namespace

namespace ActiveClientsReport {

QString statement() {
    return QStringLiteral("SELECT *, [Client First Name] + ' ' + [Client Last Name] + ") +
           QStringLiteral("IIF([Active Client First Address]<>'',") + CRMark +
           QStringLiteral("' + [Active Client First Address],'') + ") +
           QStringLiteral("IIF([Active Client Second Address]<>'',") + CRMark +
           QStringLiteral("' + [Active Client Second Address],'') + ") +
           QStringLiteral("IIF([Active Client Third Address]<>'',") + CRMark +
           QStringLiteral("' + [Active Client Third Address],'') + ") +
           QStringLiteral("IIF([Active Client City]<>'' AND [Active Client State]<>'',") + CRMark +
           QStringLiteral("' + [Active Client City] + ', '") +
           QStringLiteral(" + [Active Client State] + IIF([Active Client Zip Code]<>'',") +
           QStringLiteral("'  ' + [Active Client Zip Code],''),'') + ") +
           QStringLiteral("IIF([Active Client Home Telephone]<>'',") + CRMark +
           QStringLiteral("' + 'Home: ' + Format([Active Client Home Telephone],'(###) "
                          "###-####'),'') + ") +
           QStringLiteral("IIF([Active Client Work Telephone]<>'',") + CRMark +
           QStringLiteral("' + 'Work: ' + Format([Active Client Work Telephone],'(###) "
                          "###-####'),'') + ") +
           QStringLiteral("IIF([Active Client Cell Telephone]<>'',") + CRMark +
           QStringLiteral("' + 'Cell: ' + Format([Active Client Cell Telephone],'(###) "
                          "###-####'),'') + ") +
           QStringLiteral("IIF([Active Client Alternative Telephone]<>'',") + CRMark +
           QStringLiteral("' + 'Alternative: ' + Format([Active Client Alternative "
                          "Telephone],'(###) ###-####'),'') + ") +
           QStringLiteral("IIF([Active Client Email Address]<>'',") + CRMark +
           QStringLiteral("' + 'Email: ' + [Active Client Email Address] + '") + CR + CR +
           QStringLiteral("','') AS Client, ") +
           QStringLiteral("IIF(IsNull([Active Client Retainer Date]) OR Cstr([Active Client "
                          "Retainer Date])='',") +
           QStringLiteral("'','Retainer Date: ' + Format(Cstr([Active Client Retainer "
                          "Date]),'mmmm d, yyyy')) + ") +
           QStringLiteral("IIF([Active Client Referrer]<>'',") + CRMark +
           QStringLiteral("' + 'Referrer: ' + ([Active Client Referrer]),'') + ") +
           QStringLiteral("IIF([Active Client Retainer Terms]<>'',") + CRMark +
           QStringLiteral("' + 'Retainer Terms: ' + ([Active Client Retainer Terms]),'') + ") +
           QStringLiteral("IIF([Active Client Claim Type]<>'',") + CRMark +
           QStringLiteral("' + 'Claim Type: ' + [Active Client Claim Type],'') + ") +
           QStringLiteral("IIF([Active Client Forum]<>'',") + CRMark +
           QStringLiteral("' + 'Forum: ' + [Active Client Forum],'') + ") +
           QStringLiteral("IIF([Active Client Claim Number]<>'',") + CRMark +
           QStringLiteral("' + 'Claim Number: '") +
           QStringLiteral(" + [Active Client Claim Number],'') AS CaseInfo, ") +
           QStringLiteral("IIF([Active Client Defendant]<>'',") + CRMark +
           QStringLiteral("' + 'Defendant: ' + [Active Client Defendant],'') + ") +
           QStringLiteral("IIF([Active Client Opposing Attorney]<>'',") + CRMark +
           QStringLiteral("' + 'Opposing Attorney: ' + [Active Client Opposing Attorney],'') + ") +
           QStringLiteral("IIF([Active Client OPA Telephone]<>'',") + CRMark +
           QStringLiteral("' + 'OPA Telephone: '") +
           QStringLiteral(" + Format([Active Client OPA Telephone], '(###) ###-####'),'') AS "
                          "Defendant, ") +
           QStringLiteral("IIF([Active Client Things To Do]<>'',") +
           QStringLiteral("[Active Client Things To Do],'') AS [Things To Do] ") +
           QStringLiteral("FROM [Active Clients] ") +
           QStringLiteral("ORDER BY [Client Last Name], [Client First Name]");
}

std::shared_ptr<const ReportRecordSource> records(const Database& db) {
    return std::make_shared<Records>(db, statement());
}

} // namespace ActiveClientsReport

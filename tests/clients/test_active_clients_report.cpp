#include "Fixtures.h"
#include "TestSupport.h"
#include "clients/logic/ActiveClientsReport.h"
#include "platform/data/Database.h"
#include "platform/reporting/ReportData.h"
#include "reports/DataReport2.h"

namespace {

const QString CR = "\r";

} // namespace

class TestActiveClientsReport : public QObject {
    Q_OBJECT

    Database m_db;

    void client(const QVariantMap& fields) {
        QStringList columns;
        QStringList marks;
        QVariantList values;
        for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
            columns << "[" + it.key() + "]";
            marks << "?";
            values << it.value();
        }
        m_db.exec("INSERT INTO [Active Clients] (" + columns.join(", ") + ") VALUES (" +
                      marks.join(", ") + ")",
                  values);
    }

    // The four columns of each client, in report order: Client | CaseInfo | Defendant | To do.
    QStringList columns() {
        const auto records = ActiveClientsReport::records(m_db);
        QStringList rows;
        for (int row = 0; row < records->rowCount(); ++row) {
            QStringList row4;
            for (const char* column : {"Client", "CaseInfo", "Defendant", "Things To Do"})
                row4 << records->value(row, QLatin1String(column)).toString();
            rows << row4.join('|');
        }
        return rows;
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_db = Database::open(Fixtures::newDatabase(TestSupport::newFolder() + "/report.mdb"));
    }
    void cleanup() { m_db.close(); }

    // Pieces stay out when their field is Null or empty; the city line needs city and state;
    // telephones go through the mask whichever form they are stored in; rows in name order.
    void theFourColumns() {
        client({{"Client Last Name", "Zorn"}, {"Client First Name", "Al"}});
        client({{"Client Last Name", "Best"},
                {"Client First Name", "Cy"},
                {"Active Client City", "Dover"},
                {"Active Client Zip Code", "19901"},
                {"Active Client Referrer", ""}});
        client({{"Client Last Name", "cole"},
                {"Client First Name", "Di"},
                {"Active Client First Address", "1 Elm St"},
                {"Active Client Second Address", ""},
                {"Active Client Third Address", "Suite 4"},
                {"Active Client City", "Reno"},
                {"Active Client State", "NV"},
                {"Active Client Home Telephone", "7755550100"},
                {"Active Client Work Telephone", "(775) 555-0101"},
                {"Active Client Cell Telephone", ""},
                {"Active Client Alternative Telephone", "(775) 555-0102"},
                {"Active Client Email Address", "di@example.com"},
                {"Active Client Retainer Date", "2005-01-05 00:00:00"},
                {"Active Client Referrer", "Jo"},
                {"Active Client Retainer Terms", "Hourly"},
                {"Active Client Claim Type", "Injury"},
                {"Active Client Forum", "Court"},
                {"Active Client Claim Number", "12-3"},
                {"Active Client Opposing Attorney", "Roe"},
                {"Active Client OPA Telephone", "7755550199"},
                {"Active Client Things To Do", "Call\r\nFile"}});
        client({{"Client Last Name", "Ames"},
                {"Client First Name", "Bo"},
                {"Active Client Defendant", "Acme"},
                {"Active Client Cell Telephone", "0755550100"},
                {"Active Client Claim Type", "Contract"}});
        QCOMPARE(columns(), (QStringList{
                                "Bo Ames" + CR + "Cell: (075) 555-0100|" + CR +
                                    "Claim Type: Contract|" + CR + "Defendant: Acme|",
                                "Cy Best|||",
                                "Di cole" + CR + "1 Elm St" + CR + "Suite 4" + CR + "Reno, NV" +
                                    CR + "Home: (775) 555-0100" + CR + "Work: (775) 555-0101" + CR +
                                    "Alternative: (775) 555-0102" + CR + "Email: di@example.com" +
                                    CR + CR + "|Retainer Date: January 5, 2005" + CR +
                                    "Referrer: Jo" + CR + "Retainer Terms: Hourly" + CR +
                                    "Claim Type: Injury" + CR + "Forum: Court" + CR +
                                    "Claim Number: 12-3|" + CR + "Opposing Attorney: Roe" + CR +
                                    "OPA Telephone: (775) 555-0199|Call\r\nFile",
                                "Al Zorn|||",
                            }));
    }

    // A zip code prints as its box shows it, whichever form the file holds; two blanks stand
    // before it only when there is one.
    void zipCodesPrintAsTheBoxShowsThem() {
        const QList<std::pair<QVariant, QString>> zips{{"12207", "  12207"},
                                                       {"12207-", "  12207"},
                                                       {"12207-    ", "  12207"},
                                                       {"122071234", "  12207-1234"},
                                                       {"12207-1234", "  12207-1234"},
                                                       {"", ""},
                                                       {QVariant(), ""},
                                                       {"K1A 0B1", "  K1A 0B1"}};
        int n = 0;
        for (const auto& [stored, printed] : zips)
            client({{"Client Last Name", QStringLiteral("C%1").arg(n++)},
                    {"Client First Name", "X"},
                    {"Active Client City", "Albany"},
                    {"Active Client State", "NY"},
                    {"Active Client Zip Code", stored}});
        QStringList expected;
        for (int i = 0; i < zips.size(); ++i)
            expected << QStringLiteral("X C%1\rAlbany, NY%2|||").arg(i).arg(zips[i].second);
        QCOMPARE(columns(), expected);
    }

    // The layout: the title once, four underlined headings on every page over their columns,
    // no page numbers; a band of a name alone keeps its height; the columns grow with their
    // lines, which break at CR, at LF and at CR LF alike.
    void theLayout() {
        for (int i = 0; i < 60; ++i)
            client({{"Client Last Name", QStringLiteral("Name%1").arg(i, 2, 10, QChar('0'))},
                    {"Client First Name", "A"},
                    {"Active Client Things To Do", i == 0 ? "one\rtwo\nthree\r\nfour" : ""}});
        DataReport2 report;
        report.setDataSource(ActiveClientsReport::records(m_db));
        ReportDocument& document = report.document();
        QVERIFY(document.pageCount() > 1);
        QCOMPARE(report.caption(), "Active Clients Report");

        const ReportPage& first = document.page(0);
        QCOMPARE(first.texts.first().text(), "Vellagon Active Clients Report");
        QCOMPARE(first.texts.first().font.size, 14.25);
        QCOMPARE(first.textsOf("Text4").first().lines,
                 (QStringList{"one", "two", "three", "four"}));
        const QList<PlacedText> names = first.textsOf("Text1");
        // A band is 480 twips unless a column needs more: the first has four lines.
        QCOMPARE(names[2].rect.top() - names[1].rect.top(), 480.0);
        QVERIFY(names[1].rect.top() - names[0].rect.top() > 480.0);

        for (int p = 0; p < document.pageCount(); ++p) {
            const ReportPage& page = document.page(p);
            QStringList headings;
            for (const PlacedText& t : page.texts)
                if (t.section == "Section2")
                    headings << t.text();
            QCOMPARE(headings, (QStringList{"Client Information", "Defendant", "Case Information",
                                            "Priority Things To Do"}));
            QCOMPARE(page.lines.size(), 4);
            for (const PlacedText& t : page.texts)
                QVERIFY(t.section != "Section3"); // no page footer, no page numbers
        }
    }
};

VELLAGON_TEST_MAIN(TestActiveClientsReport)
#include "test_active_clients_report.moc"

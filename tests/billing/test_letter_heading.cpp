#include "Fixtures.h"
#include "TestSupport.h"
#include "billing/logic/LetterHeading.h"
#include "core/logic/SharedState.h"
#include "platform/data/Database.h"
#include "reports/DataReport3.h"

using namespace LetterHeading;

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QVariant Null = QVariant(QMetaType::fromType<QString>());

// A row with the address of most cases: 12 Main St, Albany, NY 122071234.
ClientFields smith() {
    ClientFields row;
    row.firstAddress = QStringLiteral("12 Main St");
    row.secondAddress = QStringLiteral("");
    row.thirdAddress = Null;
    row.city = QStringLiteral("Albany");
    row.state = QStringLiteral("NY");
    row.zipCode = QStringLiteral("122071234");
    row.reLine = Null;
    row.greeting = Null;
    row.closing = Null;
    return row;
}

const ClientName JohnSmith{QStringLiteral("Smith"), QStringLiteral("John")};

const ReportControl& control(DataReport3& report, const char* section, const char* name) {
    return report.section(QLatin1String(section)).control(QLatin1String(name));
}

} // namespace

class TestLetterHeading : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void splitsTheDisplayName() {
        const ClientName name = splitName(QStringLiteral("Smith, John"));
        QCOMPARE(name.last, QStringLiteral("Smith"));
        QCOMPARE(name.first, QStringLiteral("John"));
        QCOMPARE(gintScratch, 6);
        // Only the first ", " splits: the rest belongs to the first name.
        const ClientName firm = splitName(QStringLiteral("Acme, Inc, Legal Dept"));
        QCOMPARE(firm.last, QStringLiteral("Acme"));
        QCOMPARE(firm.first, QStringLiteral("Inc, Legal Dept"));
        QCOMPARE(splitName(QStringLiteral("Acme")).last, QStringLiteral("Acme"));
    }

    void composesTheAddressBlock() {
        ClientFields row = smith();
        QCOMPARE(addressPart(JohnSmith, row),
                 "John Smith" + CrLf + "12 Main St" + CrLf + "Albany, NY  12207-1234");
        // Without a city the zip stands alone after the two blanks.
        row.city = QStringLiteral("");
        QCOMPARE(addressPart(JohnSmith, row),
                 "John Smith" + CrLf + "12 Main St" + CrLf + "  12207-1234");
        // A line of blanks only is left out; leading blanks are kept; the city is trimmed.
        row = smith();
        row.firstAddress = QStringLiteral("   ");
        row.secondAddress = QStringLiteral("  Suite 4 ");
        row.city = QStringLiteral(" Albany ");
        row.zipCode = Null;
        QCOMPARE(addressPart(JohnSmith, row),
                 "John Smith" + CrLf + "  Suite 4 " + CrLf + "Albany, NY  ");
    }

    void printsZipCodesAsTheContactWindowShowsThem() {
        QCOMPARE(zipText(QStringLiteral("12207")), QStringLiteral("12207"));
        QCOMPARE(zipText(QStringLiteral("1220")), QStringLiteral("1220"));
        QCOMPARE(zipText(QStringLiteral(" 122071234 ")), QStringLiteral("12207-1234"));
        // The mask's own dash is not doubled, and a dash with nothing after it is dropped.
        QCOMPARE(zipText(QStringLiteral("12207-1234")), QStringLiteral("12207-1234"));
        QCOMPARE(zipText(QStringLiteral("12207-")), QStringLiteral("12207"));
        QCOMPARE(zipText(QStringLiteral("")), QString());
        QCOMPARE(zipText(Null), QString());
    }

    void composesReGreetingAndClosing() {
        ClientFields row = smith();
        // Re: never set gives one empty line, empty gives nothing.
        QCOMPARE(rePart(row), CrLf);
        row.reLine = QStringLiteral("");
        QCOMPARE(rePart(row), QString());
        row.reLine = QStringLiteral("Smith v. Jones");
        QCOMPARE(rePart(row), "Smith v. Jones" + CrLf);

        const QString dear = "Dear Client:" + CrLf + CrLf;
        QCOMPARE(greetingPart(row, Letter::Invoice),
                 dear + "This is your current statement for services rendered." + CrLf);
        row.greeting = QStringLiteral("");
        QCOMPARE(greetingPart(row, Letter::DisbursementsStatement),
                 dear +
                     "This is your current statement for disbursements we have rendered on your "
                     "behalf." +
                     CrLf);
        QCOMPARE(greetingPart(row, Letter::PaymentsStatement),
                 dear + "This is your current statement of payments made by you." + CrLf);
        row.greeting = QStringLiteral("Thank you for your business.");
        QCOMPARE(greetingPart(row, Letter::PaymentsStatement),
                 dear + "Thank you for your business." + CrLf);

        const QString yours = "Very truly yours," + CrLf + CrLf + CrLf;
        QCOMPARE(closingPart(row, Letter::Invoice), yours);
        row.closing = QStringLiteral("");
        QCOMPARE(closingPart(row, Letter::PaymentsStatement), yours);
        row.closing = QStringLiteral("Payment is due in 30 days.");
        QCOMPARE(closingPart(row, Letter::Invoice), "Payment is due in 30 days." + CrLf);
        QCOMPARE(closingPart(row, Letter::DisbursementsStatement),
                 "Payment is due in 30 days." + CrLf + CrLf + CrLf + yours);
    }

    void findsTheClientExactlyOrGivesTheNameLineAlone() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/clients.mdb");
        Fixtures::execRaw(path,
                          {"INSERT INTO [Active Clients] ([Client Last Name], [Client First Name], "
                           "[Active Client First Address], [Active Client Greeting]) VALUES "
                           "('O''Brien', 'Pat', '1 Elm St', 'Hello.')",
                           "INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) "
                           "VALUES ('100%_Corp', 'Ann')"});
        const Database db = Database::open(path);
        const std::optional<ClientFields> obrien = findClient(db, {"O'Brien", "Pat"});
        QVERIFY(obrien);
        QCOMPARE(obrien->firstAddress.toString(), QStringLiteral("1 Elm St"));
        QVERIFY(obrien->closing.isNull());
        // A client added through the clients list has only its names.
        const std::optional<ClientFields> corp = findClient(db, {"100%_Corp", "Ann"});
        QVERIFY(corp);
        QCOMPARE(addressPart({"100%_Corp", "Ann"}, *corp), "Ann 100%_Corp" + CrLf + "  ");
        // Case and blanks count; wildcards are no wildcards.
        QVERIFY(!findClient(db, {"o'brien", "Pat"}));
        QVERIFY(!findClient(db, {"O'Brien", "Pat "}));
        QVERIFY(!findClient(db, {"100__Corp", "Ann"}));

        // A client whose row is gone: the name line, nothing else, no error.
        const Parts gone = compose({"Gone", "Al"}, findClient(db, {"Gone", "Al"}), Letter::Invoice);
        QCOMPARE(gone.address, "Al Gone" + CrLf);
        QVERIFY(gone.re.isEmpty() && gone.greeting.isEmpty() && gone.closing.isEmpty());
    }

    void setsTheCaptionsWithTheirBlankLines() {
        DataReport3 report;
        const Parts parts{"John Smith", "Re", "Dear", "Yours"};
        setCaptions(report, letterheadPart("Law Office" + CrLf + "Albany"), parts,
                    QDate(2026, 12, 8));
        const QString blank = CrLf + CrLf;
        QCOMPARE(control(report, "Section4", "Label1").caption,
                 "Law Office" + CrLf + "Albany" + blank + CrLf);
        QCOMPARE(control(report, "Section4", "Label2").caption, "December 8, 2026" + blank);
        QCOMPARE(control(report, "Section4", "Label3").caption, "John Smith" + blank);
        QCOMPARE(control(report, "Section4", "Label4").caption, "Re" + blank);
        QCOMPARE(control(report, "Section4", "Label5").caption, "Dear" + blank);
        QCOMPARE(control(report, "Section5", "Label6").caption, "Yours" + blank);
    }

    void appliesTheLetterFonts() {
        Fonts fonts{"Garamond", "10.5", "Courier New", "11.5", "Verdana", "8.5"};
        {
            DataReport3 report;
            applyFonts(report, fonts, Letter::Invoice);
            // The invoice rounds sizes half to even.
            QCOMPARE(control(report, "Section1", "Text5").font.name, QStringLiteral("Verdana"));
            QCOMPARE(control(report, "Section1", "Label8").font.size, 8.0);
            QCOMPARE(control(report, "Section4", "Label3").font.name,
                     QStringLiteral("Courier New"));
            QCOMPARE(control(report, "Section5", "Function1").font.size, 12.0);
            // The letterhead keeps its own font though its section took the report's.
            QCOMPARE(control(report, "Section4", "Label1").font.name, QStringLiteral("Garamond"));
            QCOMPARE(control(report, "Section4", "Label1").font.size, 10.0);
            // The page footer keeps the layout's.
            QCOMPARE(control(report, "Section3", "Label14").font.name, QStringLiteral("Arial"));
            QCOMPARE(control(report, "Section3", "Label14").font.size, 9.0);
        }
        {
            DataReport3 report;
            applyFonts(report, fonts, Letter::PaymentsStatement);
            // The statements keep the sizes as set.
            QCOMPARE(control(report, "Section4", "Label1").font.size, 10.5);
            QCOMPARE(control(report, "Section5", "Label6").font.size, 11.5);
            QCOMPARE(control(report, "Section1", "Text1").font.size, 8.5);
        }
        {
            // Fonts that are not set leave the layout's; the invoice sets a letterhead size
            // without a name, the statements do not.
            fonts = {"", "20", "", "", "", ""};
            DataReport3 invoice;
            applyFonts(invoice, fonts, Letter::Invoice);
            QCOMPARE(control(invoice, "Section4", "Label1").font.name, QStringLiteral("Arial"));
            QCOMPARE(control(invoice, "Section4", "Label1").font.size, 20.0);
            QCOMPARE(control(invoice, "Section4", "Label2").font.size, 8.25);
            QCOMPARE(control(invoice, "Section1", "Text1").font.size, 9.0);
            DataReport3 statement;
            applyFonts(statement, fonts, Letter::DisbursementsStatement);
            QCOMPARE(control(statement, "Section4", "Label1").font.size, 14.25);
        }
        {
            // A size that is no number keeps the layout's size.
            DataReport3 report;
            applyFonts(report, {"Garamond", "big", "", "", "", ""}, Letter::Invoice);
            QCOMPARE(control(report, "Section4", "Label1").font.name, QStringLiteral("Garamond"));
            QCOMPARE(control(report, "Section4", "Label1").font.size, 14.25);
        }
    }
};

VELLAGON_TEST_MAIN(TestLetterHeading)
#include "test_letter_heading.moc"

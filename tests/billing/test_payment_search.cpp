#include "BillingRows.h"
#include "Fixtures.h"
#include "TestSupport.h"
#include "billing/logic/PaymentSearch.h"
#include "platform/data/DataControl.h"

using PaymentSearch::Kind;

namespace {

const QDate From(2026, 1, 1);
const QDate To(2026, 12, 31);

// What a search finds: each row as "Last, First amount" in the set's order.
QStringList found(const QString& path, Kind kind, const QString& term, QDate from = From,
                  QDate to = To) {
    const PaymentSearch::Statement s = PaymentSearch::search(kind, term, from, to);
    DataControl control;
    control.setDatabasePath(path);
    control.setRecordSource(s.jetSql, s.parameters);
    if (!control.Refresh())
        return {QStringLiteral("refresh failed")};
    const QString prefix = kind == Kind::Disbursements ? "Disbursement " : "Payment ";
    QStringList rows;
    control.forEachRow(
        [&](QVariantList& row) {
            rows << row[0].toString() + ", " + row[1].toString() + " " + row[2].toString();
            return true;
        },
        {prefix + "Client Last Name", prefix + "Client First Name", prefix + "Amount"});
    return rows;
}

} // namespace

class TestPaymentSearch : public QObject {
    Q_OBJECT

    QString m_path;

    void disbursement(const QString& last, const QString& first, const QString& when,
                      const QString& payee, const QString& description, const QString& amount) {
        BillingRows::addDisbursements(m_path,
                                      {{last, first, when, amount.toDouble(), description, payee}});
    }

    void payment(const QString& last, const QString& first, const QString& when,
                 const QString& description, const QString& amount) {
        BillingRows::addPayments(m_path, {{last, first, when, amount.toDouble(), description}});
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/search.mdb");
        disbursement("O'Brien", "Pat", "2026-03-01 00:00:00", "Court Clerk", "Filing", "150");
        disbursement("Smith", "John", "2026-04-01 00:00:00", "Copy Shop", "Copies", "1250.75");
        disbursement("Bristow", "Ann", "2026-05-01 00:00:00", "Courier 100%", "Rush_delivery",
                     "15");
        disbursement("Able", "O'Brien", "2026-06-01 00:00:00", "Records", "Transcript", "5");
        payment("O'Brien", "Pat", "2026-03-02 00:00:00", "Legal fee", "500");
        payment("Smith", "John", "2026-04-02 00:00:00", "Disbursement", "42.5");
    }

    // The amount is searched as its plain decimal text: no "$", no groups, no trailing zeros.
    void findsAmountFragments() {
        QCOMPARE(found(m_path, Kind::Disbursements, "50"),
                 QStringList({"O'Brien, Pat 150", "Smith, John 1250.75"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "1250.75"),
                 QStringList({"Smith, John 1250.75"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "$1,250.75"), QStringList());
        QCOMPARE(found(m_path, Kind::Payments, "42.5"), QStringList({"Smith, John 42.5"}));
    }

    // A client is found by any part of either name, whatever its letter case; an apostrophe
    // is an apostrophe, and the term is never SQL.
    void findsClientsByPartOfAName() {
        disbursement("Smithers", "Ann", "2026-07-01 00:00:00", "Bakery", "Cake", "20");
        const QStringList smiths{"Smith, John 1250.75", "Smithers, Ann 20"};
        QCOMPARE(found(m_path, Kind::Disbursements, "Smi"), smiths);
        QCOMPARE(found(m_path, Kind::Disbursements, "SMITH"), smiths);
        QCOMPARE(found(m_path, Kind::Disbursements, "o'brien"),
                 QStringList({"Able, O'Brien 5", "O'Brien, Pat 150"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "Bri"),
                 QStringList({"Able, O'Brien 5", "Bristow, Ann 15", "O'Brien, Pat 150"}));
        QCOMPARE(found(m_path, Kind::Payments, "'Bri"), QStringList({"O'Brien, Pat 500"}));
        QCOMPARE(found(m_path, Kind::Payments, "ohn"), QStringList({"Smith, John 42.5"}));
        QCOMPARE(found(m_path, Kind::Payments, "x') or 1=1 or ('"), QStringList());
    }

    // Pattern characters of the term match only themselves, in payee and description alike.
    void patternCharactersAreLiteral() {
        QCOMPARE(found(m_path, Kind::Disbursements, "%"), QStringList({"Bristow, Ann 15"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "_"), QStringList({"Bristow, Ann 15"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "\\"), QStringList());
        QCOMPARE(found(m_path, Kind::Disbursements, "COUR"),
                 QStringList({"Bristow, Ann 15", "O'Brien, Pat 150"}));
        QCOMPARE(found(m_path, Kind::Payments, "fee"), QStringList({"O'Brien, Pat 500"}));
        // A payment has no payee to search.
        QCOMPARE(found(m_path, Kind::Payments, "Clerk"), QStringList());
    }

    // Both days of the range count whole; a range that ends before it begins finds nothing.
    void rangeIncludesBothDays() {
        disbursement("Smith", "John", "2026-12-31 23:30:00", "Late Filing", "Night", "7");
        disbursement("Smith", "John", "2025-12-31 23:59:59", "Early Filing", "Eve", "8");
        QCOMPARE(found(m_path, Kind::Disbursements, "Filing"),
                 QStringList({"O'Brien, Pat 150", "Smith, John 7"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "Filing", QDate(2025, 12, 31), From),
                 QStringList({"Smith, John 8"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "Filing", QDate(2026, 3, 1), QDate(2026, 3, 1)),
                 QStringList({"O'Brien, Pat 150"}));
        QCOMPARE(found(m_path, Kind::Disbursements, "Filing", To, From), QStringList());
    }

    // Two searches of one statement on other terms are two sets, and a row added to a result
    // that matches stays in it at its place.
    void resultsFollowTheirOwnTerms() {
        const PaymentSearch::Statement smith =
            PaymentSearch::search(Kind::Disbursements, "Smith", From, To);
        const PaymentSearch::Statement pat =
            PaymentSearch::search(Kind::Disbursements, "Pat", From, To);
        QCOMPARE(smith.jetSql, pat.jetSql);
        DataControl a, b;
        for (auto [control, s] : {std::pair{&a, smith}, std::pair{&b, pat}}) {
            control->setDatabasePath(m_path);
            control->setRecordSource(s.jetSql, s.parameters);
            QVERIFY(control->Refresh());
        }
        QCOMPARE(a.RecordCount(), 1);
        QCOMPARE(b.RecordCount(), 1);
        QVERIFY(a.AddNew());
        a.setValue("Disbursement Client Last Name", "Smith");
        a.setValue("Disbursement Client First Name", "Adam");
        a.setValue("Disbursement Date", "2026-02-01 00:00:00");
        a.setValue("Disbursement Amount", 3.0);
        QVERIFY(a.Update());
        QVERIFY(a.Refresh());
        QVERIFY(b.Refresh());
        QCOMPARE(a.RecordCount(), 2);
        QCOMPARE(a.value("Disbursement Client First Name").toString(), QString("Adam"));
        QCOMPARE(b.RecordCount(), 1);
    }

    // Nothing found: the full list of the kind, in the order of the window.
    void fullListIsTheWindowsOrder() {
        DataControl control;
        control.setDatabasePath(m_path);
        control.setRecordSource(PaymentSearch::fullList(Kind::Disbursements));
        QVERIFY(control.Refresh());
        QCOMPARE(control.RecordCount(), 4);
        QCOMPARE(control.value("Disbursement Client Last Name").toString(), QString("Able"));
        control.setRecordSource(PaymentSearch::fullList(Kind::Payments));
        QVERIFY(control.Refresh());
        QCOMPARE(control.RecordCount(), 2);
    }
};

VELLAGON_TEST_MAIN(TestPaymentSearch)
#include "test_payment_search.moc"

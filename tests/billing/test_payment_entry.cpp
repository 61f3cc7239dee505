#include "TestSupport.h"
#include "billing/logic/PaymentEntry.h"
#include "core/logic/SharedState.h"

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QDate Day(2026, 3, 4);

} // namespace

class TestPaymentEntry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    // Money as users type it; anything else, more than two decimals and amounts past the
    // money range are refused rather than guessed at.
    void readsAmountsAsMoney() {
        using PaymentEntry::readAmount;
        QCOMPARE(readAmount("1250.75")->raw(), 12507500);
        QCOMPARE(readAmount("$1,250.75")->raw(), 12507500);
        QCOMPARE(readAmount("-$12.5")->raw(), -125000);
        QCOMPARE(readAmount(" 40 ")->raw(), 400000);
        QCOMPARE(readAmount(".05")->raw(), 500);
        for (const char* junk : {"abc", "12x", "1,2,3", "-", "$", "1e5", "", ".", "1.005", "12,34",
                                 "99999999999999999999", "1 000"})
            QVERIFY2(!readAmount(QLatin1String(junk)), junk);
    }

    // Each empty entry is told in the order of the tab, then the mended refusals; nothing is
    // to be written while any holds.
    void disbursementChecksInOrder() {
        PaymentEntry::Disbursement e;
        const QStringList expected = {
            "Please select or enter the name of a client before saving this disbursement record.",
            "Please select or enter the name of a disbursement vendor before saving this "
            "disbursement record.",
            "Please enter a description for the disbursment before saving this disbursement "
            "record.",
            "Please enter the amount of the disbursment before saving this disbursement record.",
            "Please select the date the disbursement was made before saving this disbursement "
            "record."};
        QStringList told;
        told << PaymentEntry::disbursement(e).refusal;
        e.client = "Smith, John";
        told << PaymentEntry::disbursement(e).refusal;
        e.payee = "Court Clerk";
        told << PaymentEntry::disbursement(e).refusal;
        e.description = "Filing fee";
        told << PaymentEntry::disbursement(e).refusal;
        e.amount = "abc";
        told << PaymentEntry::disbursement(e).refusal;
        QCOMPARE(told, expected);
        e.date = Day;
        PaymentEntry::Outcome out = PaymentEntry::disbursement(e);
        QVERIFY(out.refusal.startsWith("\"abc\" is not an amount of money."));
        QVERIFY(out.row.isEmpty());
        e.amount = "$1,250.75";
        e.client = "John Smith";
        QVERIFY(PaymentEntry::disbursement(e).refusal.startsWith(
            "Please enter the client as last name, comma and blank, first name"));
        e.client = "Smith, John";
        e.payee = QString(101, 'p');
        QCOMPARE(PaymentEntry::disbursement(e).refusal,
                 "The Vendor box can hold at most 100 characters; it holds 101 now. Shorten "
                 "it, then save or move on.");
    }

    // An amount written as money but past the money range is told as too large, on either
    // tab, and nothing is to be written; the largest amount in cents is taken.
    void anAmountPastTheRangeIsTooLarge() {
        PaymentEntry::Disbursement d{"Smith, John", "Court Clerk", "Filing fee",
                                     "99999999999999999", Day};
        PaymentEntry::Outcome out = PaymentEntry::disbursement(d);
        QVERIFY2(out.refusal.startsWith("\"99999999999999999\" is too large an amount of money."),
                 qPrintable(out.refusal));
        QVERIFY(out.row.isEmpty());
        PaymentEntry::Payment p{"Smith, John", true, "-$922,337,203,685,477.59", Day};
        out = PaymentEntry::payment(p);
        QVERIFY2(out.refusal.contains("is too large an amount of money"), qPrintable(out.refusal));
        QVERIFY(out.row.isEmpty());
        p.amount = "-$922,337,203,685,477.58";
        QVERIFY(PaymentEntry::payment(p).refusal.isEmpty());
    }

    // The row as stored and the confirmation with the amount as typed, the date as M/d/yyyy
    // and no line break after it.
    void disbursementRowAndConfirmation() {
        const PaymentEntry::Outcome out = PaymentEntry::disbursement(
            {"de la Cruz, Ana Maria", "Court Clerk", "Filing fee", "$1,250.75", Day});
        QVERIFY(out.refusal.isEmpty());
        QCOMPARE(out.row.value("Disbursement Client Last Name").toString(), "de la Cruz");
        QCOMPARE(out.row.value("Disbursement Client First Name").toString(), "Ana Maria");
        QCOMPARE(out.row.value("Disbursement Amount").toDouble(), 1250.75);
        QCOMPARE(out.row.value("Disbursement Date").toString(), "2026-03-04 00:00:00");
        QCOMPARE(out.confirmation, "This record has been saved:" + CrLf + CrLf +
                                       "de la Cruz, Ana Maria" + CrLf + "Court Clerk" + CrLf +
                                       "Filing fee" + CrLf + "$1,250.75" + CrLf + "3/4/2026");
        QCOMPARE(gstrClient, "de la Cruz, Ana Maria");
        QCOMPARE(gstrLastName, "de la Cruz");
    }

    void paymentChecksRowAndConfirmation() {
        PaymentEntry::Payment p;
        QCOMPARE(PaymentEntry::payment(p).refusal,
                 "Please select or enter the name of a client before saving this payment record.");
        p.client = "Smith, John";
        QCOMPARE(PaymentEntry::payment(p).refusal,
                 "Please enter the amount of the payment before saving this payment record.");
        p.amount = "1e5";
        QCOMPARE(PaymentEntry::payment(p).refusal,
                 "Please select the date the payment was made before saving this payment record.");
        p.date = Day;
        QVERIFY(PaymentEntry::payment(p).row.isEmpty());
        p.amount = "150";
        PaymentEntry::Outcome out = PaymentEntry::payment(p);
        QCOMPARE(out.row.value("Payment Description").toString(), "Legal fee");
        QCOMPARE(out.confirmation, "This record has been saved:" + CrLf + CrLf + "Smith, John" +
                                       CrLf + "Legal fee" + CrLf + "150" + CrLf + "3/4/2026");
        p.fee = false;
        out = PaymentEntry::payment(p);
        QCOMPARE(out.row.value("Payment Description").toString(), "Disbursement");
        QCOMPARE(gstrDescription, "Disbursement");
    }
};

VELLAGON_TEST_MAIN(TestPaymentEntry)
#include "test_payment_entry.moc"

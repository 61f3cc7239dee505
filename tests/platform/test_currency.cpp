#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/Currency.h"
#include "platform/data/VbFormat.h"

#include <QRandomGenerator>

namespace {

qint64 rawOf(const std::optional<Currency>& c) {
    return c ? c->raw() : -1;
}

void expectOverflow(const std::function<void()>& f) {
    try {
        f();
        QFAIL("no overflow");
    } catch (const AppError& e) {
        QCOMPARE(e.number(), AppError::Overflow);
    }
}

} // namespace

class TestCurrency : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void productIsExact() {
        QCOMPARE(rawOf(Currency::product(u"33.33", u"1.1")), 366630);
        QCOMPARE(rawOf(Currency::product(u"150", u".4")), 600000);
        QCOMPARE(Currency::product(u"75", u"1.5")->toString(), "112.5");
        QCOMPARE(rawOf(Currency::product(u"$1,000", u" 2 ")), 20000000);
        QCOMPARE(rawOf(Currency::product(u"-2.5", u"1.5")), -37500);
        QCOMPARE(rawOf(Currency::product(u"0.1", u"3")), 3000); // 0.30000000000000004 in float
        QCOMPARE(rawOf(Currency::product(u"125", u"1e-2")), 12500);
        // Half of the last place goes to the even neighbour, as CCur does.
        QCOMPARE(rawOf(Currency::product(u"0.0005", u"0.1")), 0);
        QCOMPARE(rawOf(Currency::product(u"0.0015", u"0.1")), 2);
        QCOMPARE(rawOf(Currency::product(u"-0.0015", u"0.1")), -2);
        QCOMPARE(rawOf(Currency::product(u"0.000050001", u"1")), 1);
        const QString tiny = QStringLiteral("0.") + QString(60, u'0') + u'1';
        QCOMPARE(rawOf(Currency::product(tiny, u"5")), 0);
    }

    void productRefusesWhatIsNoAmount() {
        QVERIFY(!Currency::product(u"", u"1.5"));
        QVERIFY(!Currency::product(u"75", u""));
        QVERIFY(!Currency::product(u"abc", u"1.5"));
        QVERIFY(!Currency::product(u"75", u"1.5 hours"));
        QVERIFY(!Currency::product(u"999999999999999", u"1000"));
        const QString huge = QStringLiteral("1") + QString(40, u'0');
        QVERIFY(!Currency::product(huge, u"1"));
        QVERIFY(!Currency::product(huge, huge));
        QVERIFY(!Currency::product(u"1e30", u"1"));
    }

    void parse() {
        QCOMPARE(rawOf(Currency::parse(u"$1,234.50")), 12345000);
        QCOMPARE(rawOf(Currency::parse(u"-12.5")), -125000);
        QCOMPARE(rawOf(Currency::parse(u"12")), 120000);
        QCOMPARE(rawOf(Currency::parse(u" 7.25 ")), 72500);
        QCOMPARE(rawOf(Currency::parse(u"1234.56789")), 12345679);
        QCOMPARE(rawOf(Currency::parse(u"0.00005")), 0);
        QCOMPARE(rawOf(Currency::parse(u"0.00015")), 2);
        QCOMPARE(rawOf(Currency::parse(u"-$12.50")), -125000);
        QCOMPARE(rawOf(Currency::parse(u"922337203685477.5807")),
                 std::numeric_limits<qint64>::max());
        QCOMPARE(Currency::parse(u"-922337203685477.5808")->raw(),
                 std::numeric_limits<qint64>::min());
        for (const char16_t* junk : {u"", u" ", u"$", u"-", u".", u"abc", u"12x", u"1.2.3", u"--1",
                                     u"922337203685477.5808", u"1e15"})
            QVERIFY2(!Currency::parse(junk), qPrintable(QString::fromUtf16(junk)));
    }

    void fromAndToDouble() {
        QCOMPARE(Currency::fromDouble(36.663).raw(), 366630);
        QCOMPARE(Currency::fromDouble(0.1 + 0.2).raw(), 3000);
        QCOMPARE(Currency::fromDouble(1.00005).raw(), 10001);
        QCOMPARE(Currency::fromDouble(-1.00005).raw(), -10001);
        QCOMPARE(Currency::fromDouble(-0.0).raw(), 0);
        QCOMPARE(Currency::fromDouble(123456789012.3456).raw(), 1234567890123456LL);
        QCOMPARE(Currency(366630).toDouble(), 36.663);
        // Every amount written to a REAL column reads back as it was (up to 450 billion, where
        // neighbouring doubles are still closer than 0.0001).
        QRandomGenerator random(7);
        for (int i = 0; i < 100000; ++i) {
            const qint64 raw = random.bounded(-(qint64(1) << 52), qint64(1) << 52) >> (i % 50);
            QCOMPARE(Currency::fromDouble(Currency(raw).toDouble()).raw(), raw);
        }
        expectOverflow([] { Currency::fromDouble(1e16); });
        expectOverflow([] { Currency::fromDouble(std::nan("")); });
    }

    void cstrText() {
        QCOMPARE(Currency(1125000).toString(), "112.5");
        QCOMPARE(Currency(600000).toString(), "60");
        QCOMPARE(Currency(-2500).toString(), "-0.25");
        QCOMPARE(Currency(366630).toString(), "36.663");
        QCOMPARE(Currency(1).toString(), "0.0001");
        QCOMPARE(Currency(0).toString(), "0");
        QCOMPARE(Currency(12345678900000LL).toString(), "1234567890");
        QCOMPARE(Currency(std::numeric_limits<qint64>::min()).toString(), "-922337203685477.5808");
    }

    void display() {
        QCOMPARE(Currency(-125000).format(), "-$12.50");
        QCOMPARE(Currency(50).format(), "$0.01");
        QCOMPARE(Currency(366630).format(), "$36.66");
        QCOMPARE(Currency(12345678918900LL).format(), "$1,234,567,891.89");
        // The same text as Format gives for the value read back from a REAL column.
        for (qint64 raw = -200000; raw <= 200000; raw += 37)
            QCOMPARE(Currency(raw).format(),
                     VbFormat::format(Currency(raw).toDouble(), "\"$\"#,##0.00"));
    }

    void arithmetic() {
        Currency sum;
        for (int i = 0; i < 10; ++i)
            sum += *Currency::parse(u"0.1");
        QCOMPARE(sum, Currency(10000));
        QVERIFY((sum - Currency(10000)).isZero());
        QVERIFY(-sum < Currency());
        const Currency top(std::numeric_limits<qint64>::max());
        expectOverflow([&] { (void)(top + Currency(1)); });
        expectOverflow([&] { (void)(-top - Currency(2)); });
        expectOverflow([] { (void)-Currency(std::numeric_limits<qint64>::min()); });
    }
};

VELLAGON_TEST_MAIN(TestCurrency)
#include "test_currency.moc"

#include "TestSupport.h"
#include "platform/VbFormat.h"

#include <QLocale>

using VbFormat::format;

namespace {

const QString Money = QStringLiteral("\"$\"#,##0.00");

// A moment as the original program's date values held it: days since 12/30/1899.
double serial(const QDateTime& t) {
    return double(QDate(1899, 12, 30).daysTo(t.date())) + t.time().msecsSinceStartOfDay() / 864e5;
}

} // namespace

class TestVbFormat : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void durationsRoundToTenths_data() {
        QTest::addColumn<double>("hours");
        QTest::addColumn<QString>("text");
        const std::pair<double, const char*> rows[] = {
            {0.05, ".1"},  {0.0667, ".1"},    {0.30, ".3"},    {0.383, ".4"},
            {0.80, ".8"},  {0.883, ".9"},     {1.0667, "1.1"}, {2.1333, "2.1"},
            {0, ".0"},     {0.5, ".5"},       {0.15, ".2"},    {12.25, "12.3"},
            {-0.5, "-.5"}, {-12.25, "-12.3"}, {-0.02, "-.0"},  {99.96, "100.0"}};
        for (const auto& [hours, text] : rows)
            QTest::addRow("%g", hours) << hours << QString::fromLatin1(text);
    }
    void durationsRoundToTenths() {
        QFETCH(double, hours);
        QFETCH(QString, text);
        QCOMPARE(format(hours, QStringLiteral("##.0")), text);
    }

    // The whole way a log's duration takes: date difference as text, read back, times 24,
    // plus 0.05, formatted. Every started tenth of an hour counts.
    void durationOfALog() {
        const QDateTime begin(QDate(2005, 8, 24), QTime(10, 0));
        const std::pair<int, const char*> rows[] = {{0, ".1"},   {1, ".1"},   {15, ".3"},
                                                    {20, ".4"},  {45, ".8"},  {50, ".9"},
                                                    {61, "1.1"}, {125, "2.1"}};
        for (const auto& [minutes, text] : rows) {
            const double days = serial(begin.addSecs(minutes * 60)) - serial(begin);
            const auto back = VbFormat::parseNumber(VbFormat::cstr(days));
            QVERIFY(back);
            QCOMPARE(format(*back * 24.0 + 0.05, QStringLiteral("##.0")),
                     QString::fromLatin1(text));
        }
    }

    void totalsInHours() {
        const QString hours = QStringLiteral("#,###.0 hours");
        QCOMPARE(format(1.5 + 2.5, hours), QStringLiteral("4.0 hours"));
        QCOMPARE(format(0.5, hours), QStringLiteral(".5 hours"));
        QCOMPARE(format(1234.5, hours), QStringLiteral("1,234.5 hours"));
        QCOMPARE(format(1234567.25, hours), QStringLiteral("1,234,567.3 hours"));
        QCOMPARE(format(999.96, hours), QStringLiteral("1,000.0 hours"));
        QCOMPARE(format(QVariant(), hours), QString());
    }

    void money() {
        for (const QString& pattern : {Money, QStringLiteral("$#,##0.00")}) {
            QCOMPARE(format(1234.5, pattern), QStringLiteral("$1,234.50"));
            QCOMPARE(format(0, pattern), QStringLiteral("$0.00"));
            QCOMPARE(format(-12.5, pattern), QStringLiteral("-$12.50"));
            QCOMPARE(format(0.125, pattern), QStringLiteral("$0.13"));
            QCOMPARE(format(-0.125, pattern), QStringLiteral("-$0.13"));
            // Halves as the value shows in 15 digits, not as the binary fraction lies.
            QCOMPARE(format(2.675, pattern), QStringLiteral("$2.68"));
            QCOMPARE(format(0.015, pattern), QStringLiteral("$0.02"));
            QCOMPARE(format(1234567.891, pattern), QStringLiteral("$1,234,567.89"));
            QCOMPARE(format(QStringLiteral("36.663"), pattern), QStringLiteral("$36.66"));
            QCOMPARE(format(qint64(123456789012LL), pattern),
                     QStringLiteral("$123,456,789,012.00"));
        }
    }

    void placesAndSections() {
        QCOMPARE(format(5, QStringLiteral("000")), QStringLiteral("005"));
        QCOMPARE(format(5, QStringLiteral("0,000")), QStringLiteral("0,005"));
        QCOMPARE(format(12345, QStringLiteral("0")), QStringLiteral("12345"));
        QCOMPARE(format(0.4, QStringLiteral("#")), QString());
        QCOMPARE(format(1, QStringLiteral("#.##")), QStringLiteral("1."));
        QCOMPARE(format(1.5, QStringLiteral("0.##")), QStringLiteral("1.5"));
        QCOMPARE(format(1.05, QStringLiteral("0.#0")), QStringLiteral("1.05"));
        QCOMPARE(format(true, QStringLiteral("0")), QStringLiteral("-1"));
        const QString sections = QStringLiteral("0.0;(0.0);\\Z\\e\\r\\o;\"none\"");
        QCOMPARE(format(5, sections), QStringLiteral("5.0"));
        QCOMPARE(format(-5, sections), QStringLiteral("(5.0)"));
        QCOMPARE(format(0, sections), QStringLiteral("Zero"));
        QCOMPARE(format(QVariant(), sections), QStringLiteral("none"));
        // An empty negative section borrows the positive one, with the minus.
        QCOMPARE(format(-5, QStringLiteral("0.0;;\"zero\"")), QStringLiteral("-5.0"));
    }

    void digitTexts() {
        const QString phone = QStringLiteral("(###) ###-####");
        QCOMPARE(format(QStringLiteral("5551234567"), phone), QStringLiteral("(555) 123-4567"));
        QCOMPARE(format(5551234567.0, phone), QStringLiteral("(555) 123-4567"));
        QCOMPARE(format(QStringLiteral("1234567"), phone), QStringLiteral("() 123-4567"));
        QCOMPARE(format(QStringLiteral("15551234567"), phone), QStringLiteral("(1555) 123-4567"));
        QCOMPARE(format(QStringLiteral("(555) 123-4567"), phone), QStringLiteral("(555) 123-4567"));
        QCOMPARE(format(QStringLiteral("call me"), phone), QStringLiteral("call me"));
        QCOMPARE(format(QString(), phone), QString());
        QCOMPARE(format(QVariant(), phone), QString());
        const QString zip = QStringLiteral("#####-####");
        QCOMPARE(format(QStringLiteral("123456789"), zip), QStringLiteral("12345-6789"));
        QCOMPARE(format(QStringLiteral("12345"), zip), QStringLiteral("1-2345"));
    }

    void dates() {
        const QDateTime afternoon(QDate(2005, 1, 5), QTime(14, 7, 9));
        QCOMPARE(format(afternoon, QStringLiteral("M/d/yyyy")), QStringLiteral("1/5/2005"));
        QCOMPARE(format(afternoon, QStringLiteral("mmmm d, yyyy")),
                 QStringLiteral("January 5, 2005"));
        QCOMPARE(format(afternoon, QStringLiteral("MMMM d, yyyy")),
                 QStringLiteral("January 5, 2005"));
        QCOMPARE(format(afternoon, QStringLiteral("m/d/yy h:nn AM/PM")),
                 QStringLiteral("1/5/05 2:07 PM"));
        QCOMPARE(format(afternoon, QStringLiteral("dddd, mmm dd")),
                 QStringLiteral("Wednesday, Jan 05"));
        QCOMPARE(format(afternoon, QStringLiteral("ddd hh:mm:ss")), QStringLiteral("Wed 14:07:09"));
        QCOMPARE(format(afternoon, QStringLiteral("h:mm am/pm \\a\\t y")),
                 QStringLiteral("2:07 pm at 5"));
        QCOMPARE(format(afternoon, QStringLiteral("\"Date:\" mm/dd h A/P")),
                 QStringLiteral("Date: 01/05 2 P"));
        const QDateTime midnight(QDate(2024, 12, 31), QTime(0, 0));
        QCOMPARE(format(midnight, QStringLiteral("m/d/yy h:nn AM/PM")),
                 QStringLiteral("12/31/24 12:00 AM"));
        QCOMPARE(format(QDate(2024, 2, 29), QStringLiteral("mmmm d, yyyy")),
                 QStringLiteral("February 29, 2024"));
    }

    void datesInText() {
        const QString pattern = QStringLiteral("mmmm d, yyyy");
        QCOMPARE(format(QStringLiteral("2005-01-05 00:00:00"), pattern),
                 QStringLiteral("January 5, 2005"));
        QCOMPARE(format(QStringLiteral("1/5/2005"), pattern), QStringLiteral("January 5, 2005"));
        QCOMPARE(format(QStringLiteral("not yet"), pattern), QStringLiteral("not yet"));
        QCOMPARE(format(QString(), pattern), QString());
        QCOMPARE(format(QVariant(), pattern), QString());
        QCOMPARE(format(QDateTime(), pattern), QString());
    }

    // The program's texts are American whatever the machine's language.
    void independentOfLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QDateTime t(QDate(2005, 3, 1), QTime(9, 30));
        QCOMPARE(format(t, QStringLiteral("mmmm d, yyyy")), QStringLiteral("March 1, 2005"));
        QCOMPARE(format(t, QStringLiteral("dddd mmm")), QStringLiteral("Tuesday Mar"));
        QCOMPARE(format(1234.5, QStringLiteral("#,###.0 hours")), QStringLiteral("1,234.5 hours"));
        QCOMPARE(format(QStringLiteral("1,234.5"), Money), QStringLiteral("$1,234.50"));
        QCOMPARE(VbFormat::cstr(112.5), QStringLiteral("112.5"));
        QCOMPARE(VbFormat::parseNumber(QStringLiteral("1,234.5")), std::optional(1234.5));
    }
};

VELLAGON_TEST_MAIN(TestVbFormat)
#include "test_vb_format.moc"

#include "TestSupport.h"
#include "platform/data/LineBreaks.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"
#include "platform/data/VbString.h"

#include <QLocale>

using VbFormat::cstr;
using VbFormat::format;
using VbFormat::parseDate;
using VbFormat::parseNumber;

namespace {

const QString Money = "\"$\"#,##0.00";

} // namespace

// The values as the program knew them: Format, CStr, the reading of dates and numbers, VB's
// trims, line breaks and the stored form of dates.
class TestValues : public QObject {
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
        QCOMPARE(format(hours, "##.0"), text);
    }

    void totalsInHours() {
        const QString hours = "#,###.0 hours";
        QCOMPARE(format(0.5, hours), ".5 hours");
        QCOMPARE(format(1234567.25, hours), "1,234,567.3 hours");
        QCOMPARE(format(999.96, hours), "1,000.0 hours");
        QCOMPARE(format(QVariant(), hours), QString());
    }

    void money() {
        for (const QString& pattern : {Money, QStringLiteral("$#,##0.00")}) {
            QCOMPARE(format(1234.5, pattern), "$1,234.50");
            QCOMPARE(format(0, pattern), "$0.00");
            QCOMPARE(format(-12.5, pattern), "-$12.50");
            QCOMPARE(format(0.125, pattern), "$0.13");
            QCOMPARE(format(-0.125, pattern), "-$0.13");
            // Halves as the value shows in 15 digits, not as the binary fraction lies.
            QCOMPARE(format(2.675, pattern), "$2.68");
            QCOMPARE(format(0.015, pattern), "$0.02");
            QCOMPARE(format(1234567.891, pattern), "$1,234,567.89");
            QCOMPARE(format("36.663", pattern), "$36.66");
            QCOMPARE(format(qint64(123456789012LL), pattern), "$123,456,789,012.00");
        }
    }

    void placesAndSections() {
        QCOMPARE(format(5, "000"), "005");
        QCOMPARE(format(5, "0,000"), "0,005");
        QCOMPARE(format(12345, "0"), "12345");
        QCOMPARE(format(0.4, "#"), QString());
        QCOMPARE(format(1, "#.##"), "1.");
        QCOMPARE(format(1.5, "0.##"), "1.5");
        QCOMPARE(format(1.05, "0.#0"), "1.05");
        QCOMPARE(format(true, "0"), "-1");
        const QString sections = "0.0;(0.0);\\Z\\e\\r\\o;\"none\"";
        QCOMPARE(format(5, sections), "5.0");
        QCOMPARE(format(-5, sections), "(5.0)");
        QCOMPARE(format(0, sections), "Zero");
        QCOMPARE(format(QVariant(), sections), "none");
        // An empty negative section borrows the positive one, with the minus.
        QCOMPARE(format(-5, "0.0;;\"zero\""), "-5.0");
    }

    void digitTexts() {
        const QString phone = "(###) ###-####";
        QCOMPARE(format("5551234567", phone), "(555) 123-4567");
        QCOMPARE(format(5551234567.0, phone), "(555) 123-4567");
        QCOMPARE(format("1234567", phone), "() 123-4567");
        QCOMPARE(format("15551234567", phone), "(1555) 123-4567");
        // A telephone number's leading zero is a digit of it; a number has none.
        QCOMPARE(format("0838975121", phone), "(083) 897-5121");
        QCOMPARE(format(838975121, phone), "(83) 897-5121");
        QCOMPARE(format("05.5", "##.0"), "5.5");
        QCOMPARE(format("(555) 123-4567", phone), "(555) 123-4567");
        QCOMPARE(format("call me", phone), "call me");
        QCOMPARE(format(QString(), phone), QString());
        QCOMPARE(format(QVariant(), phone), QString());
        const QString zip = "#####-####";
        QCOMPARE(format("123456789", zip), "12345-6789");
        QCOMPARE(format("12345", zip), "1-2345");
    }

    void dates() {
        const QDateTime afternoon(QDate(2005, 1, 5), QTime(14, 7, 9));
        QCOMPARE(format(afternoon, "M/d/yyyy"), "1/5/2005");
        QCOMPARE(format(afternoon, "mmmm d, yyyy"), "January 5, 2005");
        QCOMPARE(format(afternoon, "MMMM d, yyyy"), "January 5, 2005");
        QCOMPARE(format(afternoon, "m/d/yy h:nn AM/PM"), "1/5/05 2:07 PM");
        QCOMPARE(format(afternoon, "dddd, mmm dd"), "Wednesday, Jan 05");
        QCOMPARE(format(afternoon, "ddd hh:mm:ss"), "Wed 14:07:09");
        QCOMPARE(format(afternoon, "h:mm am/pm \\a\\t y"), "2:07 pm at 5");
        QCOMPARE(format(afternoon, "\"Date:\" mm/dd h A/P"), "Date: 01/05 2 P");
        const QDateTime midnight(QDate(2024, 12, 31), QTime(0, 0));
        QCOMPARE(format(midnight, "m/d/yy h:nn AM/PM"), "12/31/24 12:00 AM");
        QCOMPARE(format(QDate(2024, 2, 29), "mmmm d, yyyy"), "February 29, 2024");
    }

    void datesInText() {
        const QString pattern = "mmmm d, yyyy";
        QCOMPARE(format("2005-01-05 00:00:00", pattern), "January 5, 2005");
        QCOMPARE(format("1/5/2005", pattern), "January 5, 2005");
        QCOMPARE(format("not yet", pattern), "not yet");
        QCOMPARE(format(QString(), pattern), QString());
        QCOMPARE(format(QVariant(), pattern), QString());
        QCOMPARE(format(QDateTime(), pattern), QString());
    }

    // The program's texts are American whatever the machine's language.
    void independentOfLocale() {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        const QDateTime t(QDate(2005, 3, 1), QTime(9, 30));
        QCOMPARE(format(t, "mmmm d, yyyy"), "March 1, 2005");
        QCOMPARE(format(t, "dddd mmm"), "Tuesday Mar");
        QCOMPARE(format(1234.5, "#,###.0 hours"), "1,234.5 hours");
        QCOMPARE(format("1,234.5", Money), "$1,234.50");
        QCOMPARE(VbFormat::cstr(112.5), "112.5");
        QCOMPARE(VbFormat::parseNumber("1,234.5"), std::optional(1234.5));
    }

    void trimRemovesSpacesOnly() {
        QCOMPARE(vbTrim("  a\tb \r\n  "), "a\tb \r\n");
        QCOMPARE(vbTrim("\t x \n"), "\t x \n");
        QCOMPARE(vbTrim("   "), QString());
        QCOMPARE(vbTrim(QString()), QString());
        QCOMPARE(vbLTrim("  \r\nnotes  "), "\r\nnotes  ");
        QCOMPARE(vbRTrim("  notes\t  "), "  notes\t");
        QCOMPARE(vbTrim("Smith, Jo"), "Smith, Jo");
    }

    void lineBreaksOfEveryKind() {
        // CR LF is one break; CR before CR LF, and LF before CR, are two.
        const QString mixed = "a\r\nb\rc\nd\r\r\ne\n\rf";
        QCOMPARE(LineBreaks::toLf(mixed), "a\nb\nc\nd\n\ne\n\nf");
        QCOMPARE(LineBreaks::toCrLf(mixed), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n\r\nf");
        QCOMPARE(LineBreaks::split(mixed), QStringList({"a", "b", "c", "d", "", "e", "", "f"}));
        QCOMPARE(LineBreaks::split("tip\r\n"), QStringList({"tip", ""}));
        // A final break ends the last line and starts none.
        QCOMPARE(LineBreaks::lines("tip\r\nnext\r"), QStringList({"tip", "next"}));
        QCOMPARE(LineBreaks::lines("tip\n\n"), QStringList({"tip", ""}));
        QCOMPARE(LineBreaks::lines(""), QStringList());
        QCOMPARE(LineBreaks::toCrLf("no breaks"), "no breaks");
    }

    void cstrOfValues() {
        QCOMPARE(cstr(0.4), "0.4");
        QCOMPARE(cstr(112.5), "112.5");
        QCOMPARE(cstr(0.1 + 0.2), "0.3");
        QCOMPARE(cstr(1.0 / 3), "0.333333333333333");
        QCOMPARE(cstr(-3.0), "-3");
        QCOMPARE(cstr(-0.0), "0");
        QCOMPARE(cstr(1e16), "1E+16");
        QCOMPARE(cstr(0.00001), "1E-05");
        QCOMPARE(cstr(1.1f), "1.1");
        QCOMPARE(cstr(qint64(-42)), "-42");
        QCOMPARE(cstr(true), "True");
        QCOMPARE(cstr(false), "False");
        QCOMPARE(cstr(" as typed "), " as typed ");
        QCOMPARE(cstr(QVariant()), QString());
        QCOMPARE(cstr(QVariant(QMetaType::fromType<double>())), QString());
        QCOMPARE(cstr(QDateTime(QDate(2005, 8, 24), QTime(10, 5))), "8/24/2005 10:05:00 AM");
        QCOMPARE(cstr(QDateTime(QDate(2005, 8, 24), QTime(12, 30, 7))), "8/24/2005 12:30:07 PM");
        QCOMPARE(cstr(QDateTime(QDate(2005, 8, 24), QTime(0, 0))), "8/24/2005");
        QCOMPARE(cstr(QDate(2005, 1, 5)), "1/5/2005");
        QCOMPARE(VbFormat::dateText(QDateTime(QDate(2005, 12, 1), QTime(0, 0, 1))),
                 "12/1/2005 12:00:01 AM");
    }

    void readsDates() {
        const QDateTime t(QDate(2005, 8, 24), QTime(22, 5, 30));
        const QDateTime noSeconds(QDate(2005, 8, 24), QTime(22, 5));
        const QDateTime day(QDate(2005, 8, 24), QTime(0, 0));
        const std::pair<const char*, QDateTime> accepted[] = {{"2005-08-24 22:05:30", t},
                                                              {"2005-08-24 22:05", noSeconds},
                                                              {"2005-08-24", day},
                                                              {"2005-08-24T22:05:30", t},
                                                              {"2005-08-24T22:05:30.250", t},
                                                              {"8/24/2005", day},
                                                              {"8/24/2005 10:05:30 PM", t},
                                                              {"8/24/2005 10:05 pm", noSeconds},
                                                              {"08/24/2005 22:05:30", t},
                                                              {"8/24/2005 12:00 AM", day},
                                                              {"  8/24/2005  ", day}};
        for (const auto& [text, expected] : accepted)
            QCOMPARE(parseDate(QString::fromLatin1(text)), std::optional(expected));
        const QDateTime utc(QDate(2005, 8, 24), QTime(22, 5, 30), Qt::UTC);
        QCOMPARE(parseDate("2005-08-24T22:05:30Z"), std::optional(utc.toLocalTime()));
        for (const char* junk :
             {"", " ", "junk", "2/30/2024", "13/1/2024", "2023-02-29", "2005-8-24x", "1/5/05",
              "8/24/2005 25:00", "8/24/2005 13:00 PM", "8/24/2005 10:61", "8/24/2005 10:05 XM",
              "2005-08-24 22:05:30 +25:00", "8/24/2005 10"})
            QVERIFY2(!parseDate(QString::fromLatin1(junk)), junk);
    }

    void readsNumbers() {
        const std::pair<const char*, double> accepted[] = {
            {" 12 ", 12}, {"-12.5", -12.5}, {"$1,234.5", 1234.5}, {"-$5", -5},      {"$-5", -5},
            {"+.5", 0.5}, {"5.", 5},        {"1e3", 1000},        {"2.5E-1", 0.25}, {"1,2,3", 123},
            {"0.4", 0.4}};
        for (const auto& [text, expected] : accepted)
            QCOMPARE(parseNumber(QString::fromLatin1(text)), std::optional(expected));
        for (const char* junk : {"", "  ", "$", "-", ".", "1.2.3", "12abc", ",5", "1e", "--1",
                                 "1.5,0", "1 2", "e5", "1e999"})
            QVERIFY2(!parseNumber(QString::fromLatin1(junk)), junk);
    }

    void storedDates() {
        const QDateTime t(QDate(2005, 8, 24), QTime(9, 5, 7, 750));
        QCOMPARE(StoredDate::toStored(t), "2005-08-24 09:05:07");
        QCOMPARE(StoredDate::toStored(QDateTime(QDate(987, 1, 2), QTime(0, 0))),
                 "0987-01-02 00:00:00");
        QCOMPARE(StoredDate::toStored(t.toUTC()), "2005-08-24 09:05:07");
        QCOMPARE(StoredDate::toStored(QDateTime()), QString());
        // Text order is time order.
        QVERIFY(StoredDate::toStored(t) < StoredDate::toStored(t.addSecs(3600)));

        const QVariant bound = StoredDate::toSqlValue(t);
        QCOMPARE(bound.typeId(), QMetaType::QString);
        QCOMPARE(bound.toString(), "2005-08-24 09:05:07");
        const QVariant none = StoredDate::toSqlValue(QDateTime());
        QVERIFY(none.isNull());
        QCOMPARE(none.typeId(), QMetaType::QString);

        QCOMPARE(StoredDate::fromStored(bound), t.addMSecs(-750));
        QCOMPARE(StoredDate::fromStored("2005-08-24"), QDateTime(QDate(2005, 8, 24), QTime(0, 0)));
        QVERIFY(!StoredDate::fromStored(QVariant()).isValid());
        QVERIFY(!StoredDate::fromStored(none).isValid());
        QVERIFY(!StoredDate::fromStored("junk").isValid());
        QVERIFY(!StoredDate::fromStored("2005-02-30 00:00:00").isValid());
        QVERIFY(!StoredDate::fromStored(42).isValid());
    }
};

VELLAGON_TEST_MAIN(TestValues)
#include "test_values.moc"

#include "TestSupport.h"
#include "platform/StoredDate.h"
#include "platform/VbFormat.h"
#include "platform/VbString.h"

using VbFormat::cstr;
using VbFormat::parseDate;
using VbFormat::parseNumber;

class TestValues : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void trimRemovesSpacesOnly() {
        QCOMPARE(vbTrim("  a\tb \r\n  "), "a\tb \r\n");
        QCOMPARE(vbTrim("\t x \n"), "\t x \n");
        QCOMPARE(vbTrim("   "), QString());
        QCOMPARE(vbTrim(QString()), QString());
        QCOMPARE(vbLTrim("  \r\nnotes  "), "\r\nnotes  ");
        QCOMPARE(vbRTrim("  notes\t  "), "  notes\t");
        QCOMPARE(vbTrim("Smith, Jo"), "Smith, Jo");
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

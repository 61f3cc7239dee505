#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/Database.h"
#include "platform/VbFormat.h"

#include <QSqlQuery>
#include <QSqlRecord>

class TestJetFunctions : public QObject {
    Q_OBJECT

    Database m_db;

    QVariantList row(const QString& jetSql, const QVariantList& params = {}) {
        QSqlQuery query = m_db.execJet(jetSql, params);
        if (!query.next())
            return {};
        QVariantList values;
        for (int i = 0; i < query.record().count(); ++i)
            values << query.value(i);
        return values;
    }

private Q_SLOTS:
    void init() {
        m_db = Database::open(Fixtures::newDatabase(TestSupport::newFolder() + "/f.mdb"));
        m_db.exec("INSERT INTO Vellagons (Client, Rate, [Beginning Time], Duration, Fee) "
                  "VALUES ('2005-13-05 00:00:00', '100', '2005-01-05 14:30:00', 1.5, 150)");
    }
    void cleanup() { m_db.close(); }

    void plusIsTypedAtRunTime() {
        const QVariantList v =
            row("SELECT 1 + 2, 1 + 2.5, 'a' + 1, 12.5 + 'x', NULL + 'a', 'a' + NULL, 'a' + 'b', "
                "9223372036854775807 + 1, [Duration] + ' hours', Fee + Duration, ? + ? "
                "FROM Vellagons",
                {"x", 2});
        QCOMPARE(v.size(), 11);
        QCOMPARE(v[0].typeId(), QMetaType::LongLong);
        QCOMPARE(v[0].toLongLong(), 3);
        QCOMPARE(v[1].toDouble(), 3.5);
        QCOMPARE(v[2].toString(), "a1");
        QCOMPARE(v[3].toString(), VbFormat::cstr(12.5) + "x");
        QVERIFY(v[4].isNull());
        QVERIFY(v[5].isNull());
        QCOMPARE(v[6].toString(), "ab");
        QCOMPARE(v[7].toDouble(), 9223372036854775808.0);
        QCOMPARE(v[8].toString(), VbFormat::cstr(1.5) + " hours");
        QCOMPARE(v[9].toDouble(), 151.5);
        QCOMPARE(v[10].toString(), "x2");
    }

    void formatAndCStrReceiveValuesAsTheyAre() {
        const QDateTime begun(QDate(2005, 1, 5), QTime(14, 30));
        const QVariantList v = row(
            "SELECT Format([Beginning Time], 'mmmm d, yyyy'), CStr([Beginning Time]), "
            "Cstr(Duration), CStr(Fee), CStr(Client), CStr(Rate), CStr(NULL), Format(NULL, '0'), "
            "Format(?, '#,###.0'), FORMAT(Rate, '0.00'), cstr(7) FROM Vellagons",
            {1234.5});
        QCOMPARE(v.size(), 11);
        // A stored date reaches the formatter as a date; a text that only looks alike does not.
        QCOMPARE(v[0].toString(), VbFormat::format(begun, "mmmm d, yyyy"));
        QCOMPARE(v[1].toString(), VbFormat::cstr(begun));
        QCOMPARE(v[2].toString(), VbFormat::cstr(1.5));
        QCOMPARE(v[3].toString(), VbFormat::cstr(150.0));
        QCOMPARE(v[4].toString(), VbFormat::cstr("2005-13-05 00:00:00"));
        QCOMPARE(v[5].toString(), VbFormat::cstr("100"));
        QVERIFY(v[6].isNull());
        QVERIFY(!v[7].isNull());
        QCOMPARE(v[7].toString(), VbFormat::format(QVariant(), "0"));
        QCOMPARE(v[8].toString(), VbFormat::format(1234.5, "#,###.0"));
        QCOMPARE(v[9].toString(), VbFormat::format("100", "0.00"));
        QCOMPARE(v[10].toString(), VbFormat::cstr(qint64(7)));
    }

    // IIf is the engine's own iif: a Null condition takes the false branch, as in Jet.
    void isNullAndIIf() {
        const QVariantList v =
            row("SELECT IsNull(NULL), IsNull(''), ISNULL(0), IIF(NULL, 'a', 'b'), "
                "IIF(Project <> '', 'a', 'b'), IIF(IsNull(Project) OR CStr(Project) = '', 'none', "
                "'some'), iif(Rate <> '', 'a' + Rate, '') FROM Vellagons");
        QCOMPARE(v, (QVariantList{1, 0, 0, "b", "b", "none", "a100"}));
    }

    void everyConnectionHasTheFunctions() {
        const QString path = TestSupport::newFolder() + "/new.mdb";
        Database created = Database::create(path);
        QCOMPARE(created.scalar("SELECT jet_plus('a', 1)").toString(), "a1");
        created.exec("CREATE TABLE t (x)");
        created.close();
        Database reopened = Database::open(path);
        QCOMPARE(reopened.scalar("SELECT CStr(NULL) IS NULL").toInt(), 1);
    }
};

VELLAGON_TEST_MAIN(TestJetFunctions)
#include "test_jet_functions.moc"

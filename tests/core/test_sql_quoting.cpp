#include "TestSupport.h"
#include "core/SqlQuoting.h"

class TestSqlQuoting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void quotes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "Smith, Jo"
                               << "Smith, Jo";
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("one") << "O'Neil, Pat"
                             << "O''Neil, Pat";
        QTest::newRow("adjacent") << "a''b"
                                  << "a''''b";
        QTest::newRow("ends") << "'x'"
                              << "''x''";
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QChar(0) +
                                        QStringLiteral("b'") + QChar(0))
                             << "ab''";
    }
    void quotes() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(FixSQLQuotes(text), quoted);
    }

    void theCallersTextStaysRaw() {
        // Quoting the same variable for two statements must give the same literal both times.
        const QString client = "O'Neil, Pat";
        QCOMPARE(FixSQLQuotes(client), FixSQLQuotes(client));
        QCOMPARE(client, "O'Neil, Pat");
    }
};

VELLAGON_TEST_MAIN(TestSqlQuoting)
#include "test_sql_quoting.moc"

#include "TestSupport.h"
#include "core/SqlQuoting.h"

class TestSqlQuoting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void quotes_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << QStringLiteral("Smith, Jo") << QStringLiteral("Smith, Jo");
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("one") << QStringLiteral("O'Neil, Pat") << QStringLiteral("O''Neil, Pat");
        QTest::newRow("adjacent") << QStringLiteral("a''b") << QStringLiteral("a''''b");
        QTest::newRow("ends") << QStringLiteral("'x'") << QStringLiteral("''x''");
        QTest::newRow("nul") << QString(QStringLiteral("a") + QChar(0) + QChar(0) +
                                        QStringLiteral("b'") + QChar(0))
                             << QStringLiteral("ab''");
    }
    void quotes() {
        QFETCH(QString, text);
        QFETCH(QString, quoted);
        QCOMPARE(FixSQLQuotes(text), quoted);
    }

    void theCallersTextStaysRaw() {
        // Quoting the same variable for two statements must give the same literal both times.
        const QString client = QStringLiteral("O'Neil, Pat");
        QCOMPARE(FixSQLQuotes(client), FixSQLQuotes(client));
        QCOMPARE(client, QStringLiteral("O'Neil, Pat"));
    }
};

VELLAGON_TEST_MAIN(TestSqlQuoting)
#include "test_sql_quoting.moc"

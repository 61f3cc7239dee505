#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/Settings.h"

#include <QFile>

class TestSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void absentEntryGivesTheDefault() {
        QCOMPARE(Settings::value(QStringLiteral("DefaultFontSize"),
                                 QStringLiteral("Default Font Size"), QStringLiteral("12")),
                 QStringLiteral("12"));
        QCOMPARE(Settings::value(QStringLiteral("MostRecentDatabases"), QStringLiteral("First")),
                 QString());
    }

    void namesIgnoreCase() {
        Settings::setValue(QStringLiteral("defaultToDoFontName"),
                           QStringLiteral("Default To Do Font Name"), QStringLiteral("Courier"));
        QCOMPARE(Settings::value(QStringLiteral("DefaultToDoFontName"),
                                 QStringLiteral("default to do font name"),
                                 QStringLiteral("MS Sans Serif")),
                 QStringLiteral("Courier"));
        // Writing under another spelling updates the one entry.
        Settings::setValue(QStringLiteral("DEFAULTTODOFONTNAME"),
                           QStringLiteral("DEFAULT TO DO FONT NAME"), QStringLiteral("Arial"));
        QCOMPARE(Settings::value(QStringLiteral("defaulttodofontname"),
                                 QStringLiteral("Default To Do Font Name")),
                 QStringLiteral("Arial"));
        const QByteArray ini = Fixtures::readFile(Settings::fileName());
        QCOMPARE(ini.count("Arial"), 1);
        QVERIFY(!ini.contains("Courier"));
    }

    void valuesSurviveAsTheyWereWritten() {
        const QStringList values{QStringLiteral("1440, 720, 9000, 6000"), QStringLiteral(""),
                                 QStringLiteral("/home/me/My Files/Vellagon; 2025.mdb"),
                                 QStringLiteral("  spaced  "), QStringLiteral("Smith, Jo")};
        int i = 0;
        for (const QString& v : values)
            Settings::setValue(QStringLiteral("Test"), QStringLiteral("Key %1").arg(i++), v);
        Settings::useFile(Settings::fileName()); // as a new run would read it
        i = 0;
        for (const QString& v : values)
            QCOMPARE(Settings::value(QStringLiteral("Test"), QStringLiteral("Key %1").arg(i++),
                                     QStringLiteral("x")),
                     v);
        // An empty stored text is a value, not an absent entry.
        QCOMPARE(
            Settings::value(QStringLiteral("Test"), QStringLiteral("Key 1"), QStringLiteral("x")),
            QString());
    }

    void handEditedValuesWithCommasStayText() {
        Fixtures::writeFile(Settings::fileName(), "[FormPosition]\nfrmMain=10, 20, 3000, 4000\n");
        Settings::useFile(Settings::fileName());
        QCOMPARE(Settings::value(QStringLiteral("formposition"), QStringLiteral("FRMMAIN")),
                 QStringLiteral("10,20,3000,4000"));
    }

    void removeForgetsTheEntry() {
        Settings::setValue(QStringLiteral("Preferences"), QStringLiteral("Time Allowance"),
                           QStringLiteral("3"));
        Settings::remove(QStringLiteral("preferences"), QStringLiteral("time allowance"));
        QCOMPARE(Settings::value(QStringLiteral("Preferences"), QStringLiteral("Time Allowance"),
                                 QStringLiteral("7")),
                 QStringLiteral("7"));
    }
};

VELLAGON_TEST_MAIN(TestSettings)
#include "test_settings.moc"

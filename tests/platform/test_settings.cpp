#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/Settings.h"

class TestSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void absentEntryGivesTheDefault() {
        QCOMPARE(Settings::value("DefaultFontSize", "Default Font Size", "12"), "12");
        QCOMPARE(Settings::value("MostRecentDatabases", "First"), QString());
    }

    void namesIgnoreCase() {
        Settings::setValue("defaultToDoFontName", "Default To Do Font Name", "Courier");
        QCOMPARE(Settings::value("DefaultToDoFontName", "default to do font name", "MS Sans Serif"),
                 "Courier");
        // Writing under another spelling updates the one entry.
        Settings::setValue("DEFAULTTODOFONTNAME", "DEFAULT TO DO FONT NAME", "Arial");
        QCOMPARE(Settings::value("defaulttodofontname", "Default To Do Font Name"), "Arial");
        const QByteArray ini = Fixtures::readFile(Settings::fileName());
        QCOMPARE(ini.count("Arial"), 1);
        QVERIFY(!ini.contains("Courier"));
    }

    void valuesSurviveAsTheyWereWritten() {
        const QStringList values{"1440, 720, 9000, 6000", "",
                                 "/home/me/My Files/Vellagon; 2025.mdb", "  spaced  ", "Smith, Jo"};
        int i = 0;
        for (const QString& v : values)
            Settings::setValue("Test", QStringLiteral("Key %1").arg(i++), v);
        Settings::useFile(Settings::fileName()); // as a new run would read it
        i = 0;
        for (const QString& v : values)
            QCOMPARE(Settings::value("Test", QStringLiteral("Key %1").arg(i++), "x"), v);
        // An empty stored text is a value, not an absent entry.
        QCOMPARE(Settings::value("Test", "Key 1", "x"), QString());
    }

    void handEditedValuesWithCommasStayText() {
        Fixtures::writeFile(Settings::fileName(), "[FormPosition]\nfrmMain=10, 20, 3000, 4000\n");
        Settings::useFile(Settings::fileName());
        QCOMPARE(Settings::value("formposition", "FRMMAIN"), "10,20,3000,4000");
    }

    void removeForgetsTheEntry() {
        Settings::setValue("Preferences", "Time Allowance", "3");
        Settings::remove("preferences", "time allowance");
        QCOMPARE(Settings::value("Preferences", "Time Allowance", "7"), "7");
    }
};

VELLAGON_TEST_MAIN(TestSettings)
#include "test_settings.moc"

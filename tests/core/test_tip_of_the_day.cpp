#include "Fixtures.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/StartupSettings.h"
#include "core/logic/TipsFile.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/StartupWindows.h"
#include "core/windows/frmMain.h"
#include "core/windows/frmTip.h"
#include "platform/data/Settings.h"
#include "platform/widgets/Twips.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString storedFlag() {
    return Settings::value("Preferences", "Show Tips at Startup");
}

QString ownTipsFile(const QByteArray& contents) {
    return Fixtures::writeFile(ProgramFolder::filePath("TIPOFDAY.TXT"), contents);
}

} // namespace

class TestTipOfTheDay : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void tipsOfAFile_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<QStringList>("tips");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("one line, no line end") << QByteArray("Only") << QStringList{"Only"};
        QTest::newRow("CR LF, blank lines")
            << QByteArray("a\r\n\r\nb\r\n\r\n") << QStringList{"a", "", "b", ""};
        QTest::newRow("LF, last line without end") << QByteArray("a\nb") << QStringList{"a", "b"};
        QTest::newRow("CR alone") << QByteArray("a\rb\r") << QStringList{"a", "b"};
        QTest::newRow("UTF-8 with its mark")
            << QByteArray("\xef\xbb\xbf\xc3\xa9t\xc3\xa9 \xe2\x82\xac\n") << QStringList{"été €"};
        QTest::newRow("Windows-1252")
            << QByteArray("Caf\xe9 \x80 5 \x93quoted\x94\r\n") << QStringList{"Café € 5 “quoted”"};
        QTest::newRow("UTF-16 with its mark") << QByteArray("\xff\xfe"
                                                            "a\0\r\0\n\0\xe9\0",
                                                            10)
                                              << QStringList{"a", "é"};
        QByteArray many;
        QStringList manyTips;
        for (int i = 1; i <= 100000; ++i) {
            many += "Tip " + QByteArray::number(i) + "\r\n";
            manyTips << QStringLiteral("Tip %1").arg(i);
        }
        QTest::newRow("100,000 lines") << many << manyTips;
    }
    void tipsOfAFile() {
        QFETCH(QByteArray, contents);
        QFETCH(QStringList, tips);
        QCOMPARE(TipsFile::read(ownTipsFile(contents)), std::optional<QStringList>(tips));
    }

    void whatCannotBeReadCountsAsMissing() {
        const QString folder = TestSupport::newFolder();
        const QString pipe = folder + "/pipe.txt"; // would wait for a writer for ever
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        for (const QString& name : {QString(), folder + "/none.txt", folder, pipe})
            QCOMPARE(TipsFile::read(name), std::nullopt);
        if (geteuid() != 0) { // root reads any file
            const QString locked = Fixtures::writeFile(folder + "/locked.txt", "tip\n");
            QFile::setPermissions(locked, {});
            QCOMPARE(TipsFile::read(locked), std::nullopt);
        }

        // The shipped tips stand in for a file of the user's own.
        QCOMPARE(TipsFile::path(), ":/TIPOFDAY.TXT");
        const std::optional<QStringList> shipped = TipsFile::read(TipsFile::path());
        QVERIFY(shipped && shipped->size() >= 20 && !shipped->contains(""));
        ownTipsFile("Mine\n");
        QCOMPARE(TipsFile::path(), ProgramFolder::filePath("TIPOFDAY.TXT"));
    }

    void aTipAtRandomAndAnotherOnNextTip() {
        ownTipsFile("One\r\n\r\nThree\r\n");
        ScriptedWindows windows;
        QSet<QString> seen;
        windows.answer<frmTip>([&](frmTip& tip) {
            const QPoint offset(Twips::toPixels(1500), Twips::toPixels(700));
            QCOMPARE(tip.pos(), m_main->pos() + offset);
            for (int i = 0; i < 200; ++i) {
                QCOMPARE(tip.lblTipText->text(), tip.tips().at(tip.currentTip() - 1));
                seen << tip.lblTipText->text();
                tip.cmdNextTip->click();
            }
        });
        frmTip::showModal();
        QCOMPARE(seen, QSet<QString>({"One", "", "Three"})); // a blank line is a blank tip

        // An empty file shows no tip and no message, Next Tip or not.
        ownTipsFile("");
        windows.answer<frmTip>([](frmTip& tip) {
            tip.cmdNextTip->click();
            QCOMPARE(tip.lblTipText->text(), "");
        });
        frmTip::showModal();
        QCOMPARE(windows.pending(), 0);
    }

    void everyCloseStoresTheBox() {
        ScriptedWindows windows;
        windows.answer<frmTip>([](frmTip& tip) {
            tip.chkLoadTipsAtStartup->setChecked(true);
            tip.cmdOK->click();
        });
        frmTip::showModal();
        QCOMPARE(storedFlag(), "1");
        QVERIFY(!StartupSettings::tipsWanted());

        // Opened again, the box is unticked: the close box, Esc and Exit each turn the tip on.
        const QList<std::function<void(frmTip&)>> closes{[](frmTip& tip) { tip.close(); },
                                                         [](frmTip& tip) {
                                                             QTest::keyClick(&tip, Qt::Key_Escape);
                                                         }};
        for (const auto& close : closes) {
            Settings::setValue("Preferences", "Show Tips at Startup", "1");
            windows.answer<frmTip>([&](frmTip& tip) {
                QVERIFY(!tip.chkLoadTipsAtStartup->isChecked());
                close(tip);
                QVERIFY(!tip.isVisible());
            });
            frmTip::showModal();
            QCOMPARE(storedFlag(), "0");
        }
        Settings::setValue("Preferences", "Show Tips at Startup", "1");
        frmTip::showModeless();
        ExitProgram();
        QVERIFY(!frmTip::loaded());
        QCOMPARE(storedFlag(), "0");
    }

    void oneTipAtATime() {
        frmTip::showModeless();
        frmTip* open = frmTip::loaded();
        ScriptedWindows windows;
        frmTip::showModal();
        frmTip::showModeless();
        QVERIFY(windows.shown().isEmpty());
        QCOMPARE(m_main->findChildren<frmTip*>().size(), 1);
        QCOMPARE(frmTip::loaded(), open);
        open->close();
        QVERIFY(!frmTip::loaded());
    }

    void anUnreadableFileStopsNoStartUp() {
        TestSupport::closeMainWindow(m_main);
        QDir().mkpath(ProgramFolder::filePath("TIPOFDAY.TXT"));
        registerStartupWindows();
        ScriptedWindows windows;
        QString shown;
        windows.answer<frmTip>([&](frmTip& tip) { shown = tip.lblTipText->text(); });
        m_main = new frmMain;
        m_main->MDIForm_Load();
        QCOMPARE(shown,
                 "That the TIPOFDAY.TXT file was not found? \r\n\r\nCreate a text file named "
                 "TIPOFDAY.TXT using NotePad with 1 tip per line. Then place it in the "
                 "same directory as the application. ");
        QCOMPARE(openChildWindows().size(), 2);
        startupDialogs() = StartupDialogs();
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestTipOfTheDay)
#include "test_tip_of_the_day.moc"

#include "ScriptedWindows.h"
#include "TestSupport.h"
#include "core/ChildWindows.h"
#include "core/SharedState.h"
#include "core/StartupSettings.h"
#include "core/StartupWindows.h"
#include "core/frmIntroduction.h"
#include "core/frmMain.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QMenuBar>

namespace {

const QString Welcome = "Welcome to Vellagon.";
const QString NoClients = "\r\n\r\nNo clients have been entered yet.  If you want to add a client "
                          "before proceeding to a Data entry window, click on the Add Client menu "
                          "option above.";
const QString NoEmployees = "\r\n\r\nNo employees (or anyone else using this program) have been "
                            "entered yet.  If you want to add your name to the employee list, "
                            "click on the Add Employee menu option above.";
const QString Closing = "\r\n\r\nClick on the Go to Data entry window menu option above if you do "
                        "not wish to add anyone at this time.";

QStringList steps;

} // namespace

class TestIntroduction : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        startupDialogs() = StartupDialogs();
        steps.clear();
    }

    void itSaysWhatIsMissing_data() {
        QTest::addColumn<bool>("noClients");
        QTest::addColumn<bool>("noEmployees");
        QTest::addColumn<QString>("text");
        QTest::newRow("neither") << true << true << Welcome + NoClients + NoEmployees + Closing;
        QTest::newRow("no client") << true << false << Welcome + NoClients + Closing;
        QTest::newRow("no employee") << false << true << Welcome + NoEmployees + Closing;
    }
    void itSaysWhatIsMissing() {
        QFETCH(bool, noClients);
        QFETCH(bool, noEmployees);
        QFETCH(QString, text);
        frmMain* main = TestSupport::showMainWindow();
        gblnNoClients = noClients;
        gblnNoEmployees = noEmployees;
        ScriptedWindows windows;
        windows.answer<frmIntroduction>([&](frmIntroduction& intro) {
            QCOMPARE(intro.windowTitle(), "Welcome to Vellagon");
            QCOMPARE(gstrScratch, text);
            QCOMPARE(intro.Label1->text(), text);
            QCOMPARE(intro.Label1->font().family(), "Comic Sans MS");
            QCOMPARE(intro.mnuAddClient->isVisible(), noClients);
            QCOMPARE(intro.mnuAddEmployee->isVisible(), noEmployees);
            QVERIFY(intro.mnuDataEntry->isVisible());
            QCOMPARE(intro.pos(), main->pos());
            // The picture fills the window under the menu bar; the text is on its right half.
            intro.resize(800, 600);
            QCoreApplication::processEvents();
            const QRect inside = intro.Image1->parentWidget()->rect();
            QCOMPARE(intro.Image1->geometry(), inside);
            const int edge = Twips::toPixels(400);
            QCOMPARE(intro.Label1->geometry().top(), edge);
            QCOMPARE(intro.Label1->geometry().left(), inside.width() / 2 + edge);
            QVERIFY(qAbs(intro.Label1->geometry().right() + 1 - (inside.width() - edge)) <= 1);
            QVERIFY(qAbs(intro.Label1->geometry().bottom() + 1 - (inside.height() - edge)) <= 1);
        });
        frmIntroduction::showModal();
        QCOMPARE(windows.pending(), 0);
        TestSupport::closeMainWindow(main);
    }

    void eachCommandAsksForAtMostOneList_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("client");
        QTest::addColumn<QString>("employee");
        QTest::newRow("Add Client") << "mnuAddClient"
                                    << "YES"
                                    << "";
        QTest::newRow("Add Employee") << "mnuAddEmployee"
                                      << ""
                                      << "YES";
        QTest::newRow("Go to Data entry window") << "mnuDataEntry"
                                                 << ""
                                                 << "";
        QTest::newRow("close box") << ""
                                   << ""
                                   << "";
    }
    void eachCommandAsksForAtMostOneList() {
        QFETCH(QString, command);
        QFETCH(QString, client);
        QFETCH(QString, employee);
        frmMain* main = TestSupport::showMainWindow();
        gblnNoClients = gblnNoEmployees = true;
        ScriptedWindows windows;
        windows.answer<frmIntroduction>([&](frmIntroduction& intro) {
            if (command.isEmpty())
                intro.close();
            else
                intro.findChild<QAction*>(command)->trigger();
            QVERIFY(!intro.isVisible());
        });
        frmIntroduction::showModal();
        QCOMPARE(gstrClient, client);
        QCOMPARE(gstrEmployee, employee);
        QVERIFY(!frmIntroduction::loaded());
        TestSupport::closeMainWindow(main);
    }

    // A first start on an empty file: the tip, the welcome, the list asked for there, then the
    // two child windows; the request is spent, so a pick list closed later without a choice
    // does not read the client "YES".
    void startUpHandsOverToTheListAskedFor_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("client") << "mnuAddClient" << QStringList{"clients 0"};
        QTest::newRow("employee") << "mnuAddEmployee" << QStringList{"employees 0"};
        QTest::newRow("neither") << "mnuDataEntry" << QStringList();
    }
    void startUpHandsOverToTheListAskedFor() {
        QFETCH(QString, command);
        QFETCH(QStringList, expected);
        registerStartupWindows();
        startupDialogs().clientsList = [] {
            steps << QStringLiteral("clients %1").arg(openChildWindows().size());
        };
        startupDialogs().employeesList = [] {
            steps << QStringLiteral("employees %1").arg(openChildWindows().size());
        };
        ScriptedWindows windows;
        windows.leave();
        windows.answer<frmIntroduction>(
            [&](frmIntroduction& intro) { intro.findChild<QAction*>(command)->trigger(); });
        auto* main = new frmMain;
        main->MDIForm_Load();
        QCOMPARE(windows.shown().size(), 2);
        QCOMPARE(windows.shown().at(0).className, "frmTip");
        QCOMPARE(windows.shown().at(1).className, "frmIntroduction");
        QCOMPARE(steps, expected);
        QCOMPARE(gstrClient, "");
        QCOMPARE(gstrEmployee, "");
        QCOMPARE(openChildWindows().size(), 2);
        TestSupport::closeMainWindow(main);
    }
};

VELLAGON_TEST_MAIN(TestIntroduction)
#include "test_introduction.moc"

#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/StartupWindows.h"
#include "core/windows/frmIntroduction.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/Twips.h"

#include <QLabel>

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
            QCOMPARE(gstrScratch, text);
            QCOMPARE(intro.Label1->text(), text);
            QCOMPARE(intro.mnuAddClient->isVisible(), noClients);
            QCOMPARE(intro.mnuAddEmployee->isVisible(), noEmployees);
            QCOMPARE(intro.pos(), main->pos());
            // The picture fills the window under its menu bar, the text its right half.
            intro.resize(800, 600);
            QCoreApplication::processEvents();
            const QRect inside = intro.Image1->parentWidget()->rect();
            QCOMPARE(intro.Image1->geometry(), inside);
            const int edge = Twips::toPixels(400);
            QCOMPARE(intro.Label1->geometry().topLeft(), QPoint(inside.width() / 2 + edge, edge));
        });
        frmIntroduction::showModal();
        QCOMPARE(windows.pending(), 0);
        TestSupport::closeMainWindow(main);
    }

    // A first start on an empty file: the tip, the welcome, the list asked for there, then the
    // two child windows. The request is spent, so a pick list closed later without a choice
    // does not read the client "YES".
    void startUpHandsOverToTheListAskedFor_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("Add Client") << "mnuAddClient" << QStringList{"clients 0"};
        QTest::newRow("Add Employee") << "mnuAddEmployee" << QStringList{"employees 0"};
        QTest::newRow("Go to Data entry window") << "mnuDataEntry" << QStringList();
        QTest::newRow("close box") << "" << QStringList();
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
        windows.answer<frmIntroduction>([&](frmIntroduction& intro) {
            if (command.isEmpty())
                intro.close();
            else
                intro.findChild<QAction*>(command)->trigger();
            QVERIFY(!intro.isVisible());
        });
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

VELLAGON_WINDOW_TEST_MAIN(TestIntroduction)
#include "test_introduction.moc"

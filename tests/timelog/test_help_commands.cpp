#include "Fixtures.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/frmAboutwtimer.h"
#include "core/windows/frmBrowser.h"
#include "core/windows/frmMain.h"
#include "core/windows/frmTip.h"
#include "timelog/windows/TimeLogging.h"

#include <QApplication>
#include <QToolBar>

// Both child windows open the help browser: modal from the Help menu, modeless from the
// toolbar's Help button; and the tip of the day and the about box, each modal from one window
// and modeless from the other.
class TestHelpCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }
    void init() {
        TestSupport::freshProgram();
        m_main = TestSupport::showMainWindow();
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void theMenuOpensItModalAndTheToolbarModeless() {
        for (ChildWindow* window : {childWindow(ChildWindow::Kind::Display, "1"),
                                    childWindow(ChildWindow::Kind::Entry, "1")}) {
            const bool display = window->kind() == ChildWindow::Kind::Display;
            QAction* item = window->findChild<QAction*>(display ? "mnuInternet" : "mnuWeb");
            QVERIFY(item && item->isEnabled());
            bool modal = false;
            ScriptedWindows windows;
            windows.answer<frmBrowser>([&modal](frmBrowser& browser) {
                modal = frmBrowser::loaded() == &browser &&
                        QApplication::activeModalWidget() == &browser;
                browser.close();
            });
            item->trigger();
            QVERIFY(modal);
            QCOMPARE(windows.pending(), 0);
            QVERIFY(!frmBrowser::loaded());

            window->findChild<QToolBar*>("Toolbar1")->findChild<QAction*>("Help")->trigger();
            frmBrowser* browser = frmBrowser::loaded();
            QVERIFY(browser && browser->isVisible() && !QApplication::activeModalWidget());
            browser->close();
        }
    }

    void theTipAndTheAboutBoxAreModalFromOneWindowModelessFromTheOther_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("modal");
        const int display = int(ChildWindow::Kind::Display);
        const int entry = int(ChildWindow::Kind::Entry);
        QTest::newRow("Data entry tip") << entry << "mnuTips" << true;
        QTest::newRow("Data entry about box") << entry << "mnuAbout" << false;
        QTest::newRow("Display tip") << display << "mnuTips" << false;
        QTest::newRow("Display about box") << display << "mnuAbout" << true;
    }
    void theTipAndTheAboutBoxAreModalFromOneWindowModelessFromTheOther() {
        QFETCH(int, kind);
        QFETCH(QString, item);
        QFETCH(bool, modal);
        ChildWindow* window = childWindow(ChildWindow::Kind(kind), "1");
        QAction* command = window->findChild<QAction*>(item);
        QVERIFY(command && command->isEnabled());
        const auto loaded = [&item]() -> QDialog* {
            if (item == "mnuTips")
                return frmTip::loaded();
            return frmAboutwtimer::loaded();
        };
        gstrDatabasePath.clear();
        bool shownModal = false;
        ScriptedWindows windows;
        windows.answer<QDialog>([&](QDialog& dialog) {
            shownModal = loaded() == &dialog && QApplication::activeModalWidget() == &dialog;
        });
        command->trigger();
        if (modal) {
            QVERIFY(shownModal);
            QVERIFY(!loaded());
        } else {
            QCOMPARE(windows.pending(), 1);
            QVERIFY(loaded() && loaded()->isVisible() && !QApplication::activeModalWidget());
            ExitProgram(); // closes it with the other windows
            QVERIFY(!loaded());
        }
        // Only the Display window's about box runs the prologue first.
        const bool prologue = kind == int(ChildWindow::Kind::Display) && item == "mnuAbout";
        QCOMPARE(gstrDatabasePath.isEmpty(), !prologue);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestHelpCommands)
#include "test_help_commands.moc"

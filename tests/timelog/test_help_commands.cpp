#include "Fixtures.h"
#include "ScriptedWindows.h"
#include "TestSupport.h"
#include "core/ChildWindows.h"
#include "core/SharedState.h"
#include "core/frmBrowser.h"
#include "core/frmMain.h"
#include "timelog/TimeLogging.h"

#include <QApplication>
#include <QToolBar>

// Both child windows open the help browser: modal from the Help menu, modeless from the
// toolbar's Help button.
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
};

VELLAGON_TEST_MAIN(TestHelpCommands)
#include "test_help_commands.moc"

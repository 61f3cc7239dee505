#include "Fixtures.h"
#include "TestSupport.h"
#include "core/ChildWindows.h"
#include "core/SharedState.h"
#include "core/frmBrowser.h"
#include "core/frmMain.h"
#include "timelog/TimeLogging.h"

#include <QApplication>
#include <QTimer>
#include <QToolBar>

// Both child windows open the help browser: modal from the Help menu, modeless from the
// toolbar's Help button.
class TestHelpCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

    static QList<ChildWindow*> bothWindows() {
        return {childWindow(ChildWindow::Kind::Display, "1"),
                childWindow(ChildWindow::Kind::Entry, "1")};
    }

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

    void theHelpMenuOpensItModal() {
        for (ChildWindow* window : bothWindows()) {
            const char* item =
                window->kind() == ChildWindow::Kind::Display ? "mnuInternet" : "mnuWeb";
            QAction* help = window->findChild<QAction*>(QLatin1String(item));
            QVERIFY2(help && help->isEnabled(), item);
            bool modal = false;
            QTimer::singleShot(0, this, [&modal] {
                frmBrowser* browser = frmBrowser::loaded();
                modal = browser && QApplication::activeModalWidget() == browser;
                if (browser)
                    browser->close();
            });
            help->trigger();
            QVERIFY2(modal, item);
            QVERIFY(!frmBrowser::loaded());
        }
    }

    void theToolbarButtonOpensItModeless() {
        for (ChildWindow* window : bothWindows()) {
            auto* toolbar = window->findChild<QToolBar*>("Toolbar1");
            QAction* help = toolbar->findChild<QAction*>("Help");
            QVERIFY(help && help->isEnabled());
            help->trigger();
            frmBrowser* browser = frmBrowser::loaded();
            QVERIFY(browser && browser->isVisible());
            QVERIFY(!QApplication::activeModalWidget());
            browser->close();
        }
    }
};

VELLAGON_TEST_MAIN(TestHelpCommands)
#include "test_help_commands.moc"

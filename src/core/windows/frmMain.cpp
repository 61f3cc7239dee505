#include "frmMain.h"

#include "ChildWindows.h"
#include "FormPosition.h"
#include "Forms.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/LookupLists.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"
#include "platform/widgets/MenuShortcuts.h"
#include "platform/widgets/WhenDrawn.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScopeGuard>

namespace {
frmMain* g_main = nullptr;
bool g_sweepRunning = false;
bool g_loading = false;

// What transfers killed halfway left in the program's folder and beside the file it opens.
void removeLeftoverWorkFiles(const QString& databasePath) {
    const QString programFolder = ProgramFolder::path();
    FileOps::removeStaleWorkFiles(programFolder);
    const QString fileFolder = QFileInfo(databasePath).absolutePath();
    if (!FileOps::sameFile(fileFolder, programFolder))
        FileOps::removeStaleWorkFiles(fileFolder);
}
} // namespace

frmMain::frmMain() : m_area(new QMdiArea(this)) {
    g_main = this;
    MenuShortcuts::install();
    setWindowTitle(QStringLiteral("Vellagon"));
    Forms::setTag(this, QStringLiteral("frmMain"));
    Forms::add(this);

    m_area->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_area->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(m_area);
    setChildWindowArea(m_area);

    mnuMDisplay = new QAction(QStringLiteral("&Display"), this);
    mnuMDisplay->setObjectName(QStringLiteral("mnuMDisplay"));
    connect(mnuMDisplay, &QAction::triggered, this, &frmMain::mnuMDisplay_Click);
    mnuMEnter = new QAction(QStringLiteral("&Enter data"), this);
    mnuMEnter->setObjectName(QStringLiteral("mnuMEnter"));
    connect(mnuMEnter, &QAction::triggered, this, &frmMain::mnuMEnter_Click);
    showMenusOf(nullptr);

    connect(m_area, &QMdiArea::subWindowActivated, this, &frmMain::childActivated);
}

frmMain::~frmMain() {
    // The area's children die after this object; their last activation signals must not reach it.
    m_area->disconnect(this);
    Forms::remove(this);
    if (g_main == this)
        g_main = nullptr;
}

frmMain* frmMain::instance() {
    return g_main;
}

bool frmMain::isLoading() {
    return g_loading;
}

void frmMain::MDIForm_Load() {
    g_loading = true;
    const auto loaded = qScopeGuard([] { g_loading = false; });
    try {
        RestoreFormPosition(this);

        mainLists().List2 = StartupSettings::recentFiles();
        gstrDatabasePath = StartupSettings::databasePath();
        removeLeftoverWorkFiles(gstrDatabasePath);
        const bool tipsWanted = StartupSettings::tipsWanted();
        StartupSettings::readFontsCaptionsAndEmployee();

        // The file is checked as Open File checks a file the user chose.
        validateDatabaseOrRefuse();
        OpenDatabaseAndFillLists();

        const StartupDialogs& dialogs = startupDialogs();
        const bool tipDue = tipsWanted && dialogs.tipOfTheDay;
        const bool introductionDue = (gblnNoClients || gblnNoEmployees) && dialogs.introduction;
        // A dialog at start-up stands over the drawn main window, not alone on the desktop.
        if (tipDue || introductionDue)
            showAndWaitUntilDrawn(this);
        if (tipDue)
            dialogs.tipOfTheDay();
        if (introductionDue)
            dialogs.introduction();
        // The requests are spent once acted on: a "YES" left behind would read as a client or
        // an employee to the next pick list closed without a choice.
        if (gstrClient == QLatin1String("YES")) {
            gstrClient.clear();
            if (dialogs.clientsList)
                dialogs.clientsList();
        }
        if (gstrEmployee == QLatin1String("YES")) {
            gstrEmployee.clear();
            if (dialogs.employeesList)
                dialogs.employeesList();
        }

        gstrRecordSource = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in main form: ") + e.description());
    } catch (const std::exception& e) {
        Dialogs::msgBox(QStringLiteral("Error in main form: ") + QString::fromUtf8(e.what()));
    }
}

bool frmMain::MDIForm_Unload() {
    SaveFormPosition(this);
    StartupSettings::saveDatabasePath(gstrDatabasePath);
    return ExitProgram();
}

void frmMain::mnuMDisplay_Click() {
    NewDisplayForm();
}

void frmMain::mnuMEnter_Click() {
    NewDataEntryForm();
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) {
        m_unloaded = true;
        if (!MDIForm_Unload()) {
            // A window kept itself open (an edit it could not write): the program goes on.
            m_unloaded = false;
            event->ignore();
            return;
        }
    }
    event->accept();
}

void frmMain::showMenusOf(MenuBarWindow* window) {
    QMenuBar* bar = menuBar();
    bar->clear();
    if (window) {
        for (QAction* entry : window->menuBarEntries())
            bar->addAction(entry);
    } else {
        bar->addAction(mnuMDisplay);
        bar->addAction(mnuMEnter);
    }
    if (window == m_menusShown)
        return;
    if (m_menusShown)
        disconnect(m_menusShown, &MenuBarWindow::menuBarChanged, this, nullptr);
    m_menusShown = window;
    if (window)
        connect(window, &MenuBarWindow::menuBarChanged, this, [this, window] {
            if (m_menusShown == window)
                showMenusOf(window);
        });
}

void frmMain::childActivated() {
    QMdiSubWindow* frame = m_area->activeSubWindow();
    auto* window = frame ? qobject_cast<MenuBarWindow*>(frame->widget()) : nullptr;
    ChildWindow* child = activeChildWindow();
    if (child && !child->isClosed()) {
        if (m_lastActive && m_lastActive != child && !m_lastActive->isClosed())
            m_lastActive->Form_LostFocus();
        m_lastActive = child;
        child->Form_Activate();
        showMenusOf(child);
    } else if (window && !child) {
        // Another window with menus of its own (the contact database, say).
        showMenusOf(window);
    } else if (openChildWindows().isEmpty()) {
        showMenusOf(nullptr);
    }
}

bool ExitProgram() {
    if (g_sweepRunning)
        return true;
    g_sweepRunning = true;
    const QList<QWidget*> forms = Forms::list();
    bool closed = true;
    for (qsizetype i = forms.size() - 1; i >= 0 && closed; --i)
        closed = Forms::close(forms[i]);
    g_sweepRunning = false;
    return closed;
}

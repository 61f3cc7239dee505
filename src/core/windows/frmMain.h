#pragma once

#include <QMainWindow>
#include <QPointer>

#include "ChildWindow.h"

class QAction;
class QMdiArea;

// The main window: hosts the Display and Data entry windows, brings the program up and
// takes it down. Its menu bar shows the active child window's menus.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    frmMain();
    ~frmMain() override;

    // The running program's main window, or nullptr.
    static frmMain* instance();
    // Whether start-up (MDIForm_Load) is under way.
    static bool isLoading();

    QMdiArea* mdiArea() const { return m_area; }

    // Start-up: place the window, read the settings, open the database and fill the lookup
    // lists, show the tip and the introduction when due, open the first two child windows.
    void MDIForm_Load();
    // Shutdown: save the place and the current database file, close every window. False when
    // a window stayed open (it could not write what was typed in it).
    bool MDIForm_Unload();

    void mnuMDisplay_Click();
    void mnuMEnter_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showMenusOf(MenuBarWindow* window);
    void childActivated();

    QMdiArea* m_area;
    QAction* mnuMDisplay;
    QAction* mnuMEnter;
    bool m_unloaded = false;
    QPointer<ChildWindow> m_lastActive;
    QPointer<MenuBarWindow> m_menusShown; // whose entries the bar shows (none: the main's own)
};

// Closes every loaded window, newest first, the main window last. A window that refuses to
// close (an edit it could not write) stops the sweep there: false, and the program goes on.
bool ExitProgram();

#pragma once

#include "ChildWindow.h"

#include <QList>
#include <QPointer>
#include <functional>

class QMdiArea;

// Every Display and every Data entry window made so far: the element at index n - 1 is the
// window with tag n. Elements of closed windows stay (numbers are never reused) but are empty,
// so a command never reaches a closed window.
extern QList<QPointer<ChildWindow>> gfrmDisplays;
extern QList<QPointer<ChildWindow>> gfrmEntries;

// Makes the window object of a kind; the time-logging windows register theirs at start.
using ChildWindowFactory = std::function<ChildWindow*()>;
void setChildWindowFactory(ChildWindow::Kind kind, ChildWindowFactory factory);

// The area that hosts the child windows (the main window's).
void setChildWindowArea(QMdiArea* area);
QMdiArea* childWindowArea();

// Shows a window as a child window of the main window, placed as a new child window is (on
// its own when there is no main window).
void showChildWindow(QWidget* window);

// Makes and shows a new Display window on gstrDatabasePath.
void NewDisplayForm();
// Makes and shows a new Data entry window on gstrDatabasePath.
void NewDataEntryForm();
// Makes the first window of a kind at start-up: the array is sized to one element, the window
// gets tag "1", its path label and its search label (the record source).
void NewFirstChildWindow(ChildWindow::Kind kind);

// The window of a kind with that tag, or nullptr when it was never made or has been closed.
ChildWindow* childWindow(ChildWindow::Kind kind, const QString& tag);
// The current Display window (tag gstrDisplayIndex) and Data entry window (gstrEntryIndex).
ChildWindow* currentDisplayWindow();
ChildWindow* currentEntryWindow();

// Open child windows, in the order they were made.
QList<ChildWindow*> openChildWindows();
// Every open window inside the main window, in the order they were made: the child windows
// and the others shown among them (the contact database, say).
QList<QWidget*> openWindowsInArea();
ChildWindow* activeChildWindow();

void CascadeWindows();
// Full-width windows stacked from top to bottom.
void TileWindowsHorizontally();
// Full-height windows side by side.
void TileWindowsVertically();

// Forgets every child window (tests).
void resetChildWindows();

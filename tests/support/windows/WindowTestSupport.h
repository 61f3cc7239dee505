#pragma once

#include "TestSupport.h"

#include <QApplication>

class frmMain;
class QWidget;

// What the tests of windows add to TestSupport: the windows' own dialogs, hourglass, print
// dialog and report window behind the seams (a test's scripted answerers go over them), the
// windows forgotten by freshProgram(), and the main window.
namespace TestSupport {

// After the application object and initApplication().
void initWindows();
// Shows a window and waits until it is the active one (for tests of the focus).
void showActive(QWidget* window);
// A main window, shown and active, as the program has after start-up (without its children).
frmMain* showMainWindow();
// Deletes the main window with everything in it.
void closeMainWindow(frmMain* main);
// Replaces a box's text as a user does: shows the tab it stands on, gives it the focus,
// selects everything and types the text over it (Del for no text).
void typeOver(QWidget* box, const QString& text);

} // namespace TestSupport

// The main of a test of windows.
#define VELLAGON_WINDOW_TEST_MAIN(TestClass)                                                       \
    int main(int argc, char** argv) {                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        TestSupport::initApplication();                                                            \
        TestSupport::initWindows();                                                                \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTest>

class frmMain;
class QWidget;

// Every test program runs with a home folder of its own (so settings and the program's data
// folder are its own), the offscreen platform, and the application's name set.
namespace TestSupport {

// Before QApplication: a fresh home folder, offscreen platform.
void prepareEnvironment();
// After QApplication: names, test mode, the settings file.
void initApplication();
// The fresh home folder of this test program.
QString homeFolder();
// A new empty folder inside the home folder.
QString newFolder();
// Puts the program back to its state before start-up: shared state, cached lists, child
// windows and loaded windows forgotten, settings, the program's folder emptied, the clock
// following the system again.
void freshProgram();
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

#define VELLAGON_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QApplication app(argc, argv);                                                              \
        TestSupport::initApplication();                                                            \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

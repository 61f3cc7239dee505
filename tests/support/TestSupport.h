#pragma once

#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <functional>

// Every test program runs with a home folder of its own (so settings and the program's data
// folder are its own), the offscreen platform, and the application's name set.
namespace TestSupport {

// Before the application object: a fresh home folder, offscreen platform.
void prepareEnvironment();
// After the application object: names, test mode, the settings file.
void initApplication();
// The fresh home folder of this test program.
QString homeFolder();
// A new empty folder inside the home folder.
QString newFolder();
// Puts the program back to its state before start-up: shared state, cached lists, child
// windows and loaded windows forgotten, settings, the program's folder emptied, the clock
// following the system again.
void freshProgram();
// What freshProgram() forgets as well: the window tests' windows (see WindowTestSupport).
void alsoForget(std::function<void()> forget);

} // namespace TestSupport

// The main of a test of logic: no widgets, no windows.
#define VELLAGON_TEST_MAIN(TestClass)                                                              \
    int main(int argc, char** argv) {                                                              \
        TestSupport::prepareEnvironment();                                                         \
        QGuiApplication app(argc, argv);                                                           \
        TestSupport::initApplication();                                                            \
        TestClass test;                                                                            \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// Runs the Compact command on one file, the file dialog answered with it, and prints the
// message it ends with. The kill test starts it and kills it at random moments.
//   compact_helper <file>
#include "ScriptedDialogs.h"
#include "core/FileCommands.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // The same program folder as the test that started it (which shares its home folder).
    QCoreApplication::setApplicationName("Vellagon");
    QCoreApplication::setOrganizationName("Vellagon");
    QStandardPaths::setTestModeEnabled(true);
    if (app.arguments().size() < 2)
        return 2;
    ScriptedDialogs dialogs;
    dialogs.answerFile(app.arguments().at(1));
    CompactDatabase();
    std::puts(qPrintable(dialogs.lastMessage()));
    return 0;
}

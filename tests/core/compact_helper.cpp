// Runs the Compact command on one file, the file dialog answered with it, and prints the
// message it ends with. The kill test starts it and kills it at random moments.
//   compact_helper <file>
#include "HelperProgram.h"
#include "ScriptedDialogs.h"
#include "core/windows/FileCommands.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<QStringList> args = HelperProgram::start(1);
    if (!args)
        return 2;
    ScriptedDialogs dialogs;
    dialogs.answerFile(args->at(1));
    CompactDatabase();
    // Unflushed: the kill test counts a run as finished once the message is out, which is
    // when the program has ended.
    std::puts(qPrintable(dialogs.lastMessage()));
    return 0;
}

// Runs one transfer command of a Display window on a file, the dialogs answered (the other
// file; Yes to overwriting), as a user of the program would, and prints "started" before the
// command and its last message after it. The kill test starts it and kills it at random
// moments. With "start" it starts the program on the file instead, and prints "Started" or
// the start-up's last message.
//   transfer_helper <save|import-logs|import-clients|start> <window's file> <other file>
#include "HelperProgram.h"
#include "ScriptedDialogs.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/frmMain.h"
#include "platform/data/Settings.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "transfer/windows/Transfer.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    WidgetSeams::install();
    const std::optional<QStringList> args = HelperProgram::start(3);
    if (!args)
        return 2;
    registerTimeLogging();
    registerTransfer();
    ScriptedDialogs dialogs;
    dialogs.answerFile(args->at(3));
    dialogs.answer(Dialogs::vbYes);

    if (args->at(1) == "start") {
        Settings::setValue("DefaultLogFile", "Default Log File", args->at(2));
        HelperProgram::report(QStringLiteral("started"));
        frmMain main;
        main.MDIForm_Load();
        std::puts(dialogs.shown().isEmpty() ? "Started" : qPrintable(dialogs.lastMessage()));
        return 0;
    }

    gstrDatabasePath = args->at(2);
    NewFirstChildWindow(ChildWindow::Kind::Display);
    auto* display = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "1"));
    QAction* item = args->at(1) == "save"          ? display->mnuSaveFileAs
                    : args->at(1) == "import-logs" ? display->mnuImportVellagons
                                                   : display->mnuImportDatabase;
    HelperProgram::report(QStringLiteral("started"));
    item->trigger();
    // Unflushed: the kill test counts a run as finished once the message is out, which is
    // when the program has ended.
    std::puts(qPrintable(dialogs.lastMessage()));
    return 0;
}

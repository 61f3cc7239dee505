#include "Transfer.h"

#include "TransferCommands.h"
#include "core/windows/SubsystemCommands.h"
#include "platform/data/Dialogs.h"

void registerTransfer() {
    using SubsystemCommands::Command;
    using SubsystemCommands::registerCommand;
    registerCommand(Command::SaveFileAs, [](ChildWindow*) { SaveFileAs(); });
    registerCommand(Command::ExportVellagons, [](ChildWindow*) { ExportVellagons(); });
    registerCommand(Command::ExportActiveClients, [](ChildWindow*) { ExportActiveClients(); });
    // The two imports end with the menu's own word, once they have completed.
    registerCommand(Command::ImportVellagons, [](ChildWindow*) {
        if (ImportVellagons())
            Dialogs::msgBox(
                QStringLiteral("The selected Vellagons have successfully been imported."));
    });
    registerCommand(Command::ImportActiveClients, [](ChildWindow*) {
        if (ImportActiveClients())
            Dialogs::msgBox(
                QStringLiteral("The selected database has successfully been imported."));
    });
}

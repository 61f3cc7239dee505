#include "Clients.h"

#include "core/SubsystemCommands.h"
#include "frmActiveClients.h"

void registerClients() {
    SubsystemCommands::registerCommand(SubsystemCommands::Command::ContactDatabase,
                                       [](ChildWindow*) { frmActiveClients::showModeless(); });
}

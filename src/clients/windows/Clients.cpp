#include "Clients.h"

#include "core/windows/SubsystemCommands.h"
#include "frmActiveClients.h"
#include "frmInactiveClients.h"

void registerClients() {
    using SubsystemCommands::Command;
    SubsystemCommands::registerCommand(Command::ContactDatabase,
                                       [](ChildWindow*) { frmActiveClients::showModeless(); });
    SubsystemCommands::registerCommand(Command::InactiveClients,
                                       [](ChildWindow*) { frmInactiveClients::showModal(); });
}

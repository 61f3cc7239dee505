#include "ThingsToDo.h"

#include "core/windows/SubsystemCommands.h"
#include "frmToDo.h"

void registerThingsToDo() {
    SubsystemCommands::registerCommand(SubsystemCommands::Command::ThingsToDo,
                                       [](ChildWindow*) { frmToDo::showModal(); });
}

#pragma once

#include <functional>

class ChildWindow;
class QAction;

// Commands of the child windows whose windows belong to the subsystems that build on time
// logging: the contact database, billing, the to-do list and the transfers. Each of those
// subsystems registers its commands when the program starts; an item whose command nobody
// registered stays disabled. So the core and time logging never depend on them.
namespace SubsystemCommands {

enum class Command {
    ContactDatabase,       // the contact database window
    InactiveClients,       // the inactive clients window
    PaymentsDisbursements, // the payments and disbursements window
    Letterhead,            // the letterhead window
    CreateInvoice,         // a client's invoice
    ThingsToDo,            // the to-do list window
    SaveFileAs,            // the shown logs under a new file name
    ExportVellagons,       // logs into a new file
    ImportVellagons,       // logs from another file
    ExportActiveClients,   // active clients into another file
    ImportActiveClients,   // active clients from another file
};

// Runs a command for the window it was chosen in; the window's command prologue has run.
using Handler = std::function<void(ChildWindow* from)>;

// A later registration of the same command replaces the earlier one.
void registerCommand(Command command, Handler handler);
bool isRegistered(Command command);
// What a window hands over to a command through the shared state, set after its prologue.
using Preparation = std::function<void()>;

// Runs the window's prologue, then the preparation, then the command. An error that the
// command did not report itself is shown in a message box; nothing escapes.
void run(Command command, ChildWindow* from, const Preparation& prepare = {});
// Makes a menu item or tool button run the command; it is enabled only while the command
// is registered at the time the window builds its menus.
void bind(QAction* item, Command command, ChildWindow* from, Preparation prepare = {});
// Forgets every registration (tests).
void clear();

} // namespace SubsystemCommands

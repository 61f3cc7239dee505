#include "Billing.h"

#include "InvoiceCommands.h"
#include "core/SubsystemCommands.h"

void registerBilling() {
    using SubsystemCommands::Command;
    SubsystemCommands::registerCommand(Command::Letterhead, mnuLetterhead_Click);
    SubsystemCommands::registerCommand(Command::CreateInvoice, mnuCreateInvoice_Click);
}

#include "Billing.h"

#include "InvoiceCommands.h"
#include "core/windows/SubsystemCommands.h"
#include "frmPaymentsDisbursements.h"

void registerBilling() {
    using SubsystemCommands::Command;
    SubsystemCommands::registerCommand(Command::Letterhead, mnuLetterhead_Click);
    SubsystemCommands::registerCommand(Command::CreateInvoice, mnuCreateInvoice_Click);
    // The Data entry window has put its client, prepared as a completed log stores it, into
    // gstrClient: the window opens on it.
    SubsystemCommands::registerCommand(Command::PaymentsDisbursements, [](ChildWindow*) {
        frmPaymentsDisbursements::showModeless();
    });
}

#include "Billing.h"

#include "InvoiceCommands.h"
#include "core/SharedState.h"
#include "core/SubsystemCommands.h"
#include "frmPaymentsDisbursements.h"
#include "timelog/frmEntryWithFrames.h"

#include <QComboBox>

void registerBilling() {
    using SubsystemCommands::Command;
    SubsystemCommands::registerCommand(Command::Letterhead, mnuLetterhead_Click);
    SubsystemCommands::registerCommand(Command::CreateInvoice, mnuCreateInvoice_Click);
    SubsystemCommands::registerCommand(Command::PaymentsDisbursements, [](ChildWindow* from) {
        // Preset to the client of the Data entry window it was chosen in.
        if (auto* entry = qobject_cast<frmEntryWithFrames*>(from))
            gstrClient = entry->Combo1->currentText();
        frmPaymentsDisbursements::showModeless();
    });
}

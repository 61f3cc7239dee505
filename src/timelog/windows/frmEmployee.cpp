#include "frmEmployee.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "platform/data/Dialogs.h"
#include "platform/data/Settings.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

frmEmployee::frmEmployee(QWidget* parent) : ListDialog(MainLists::Employees, parent) {
    setObjectName(QStringLiteral("frmEmployee"));
    setWindowTitle(gstrFrame2Caption + QStringLiteral(" List"));
    Frame1->setTitle(QStringLiteral("Add first name here"));
    Text1->setToolTip(QStringLiteral("Enter employee's first name here"));
    Frame2->setTitle(QStringLiteral("Add last name here"));
    Text2->setToolTip(QStringLiteral("Enter employee's last name here"));
    Frame3->setTitle(gstrFrame2Caption);
    List1->setToolTip(QStringLiteral("Use [Ctrl] to select multiple employees for deletion"));

    mnuReturn = addCommand("mnuReturn", QStringLiteral("&Return"), &ListDialog::mnuReturn_Click);
    mnuAdd = addCommand("mnuAdd", QStringLiteral("&Add"), &ListDialog::mnuAdd_Click);
    mnuDelete = addCommand("mnuDelete", QStringLiteral("&Delete"), &ListDialog::mnuDelete_Click);
    mnuDefaultEmployee =
        addCommand("mnuDefaultEmployee", QStringLiteral("&Select default employee"),
                   &frmEmployee::mnuDefaultEmployee_Click);
    mnuPrintList =
        addCommand("mnuPrintList", QStringLiteral("&Print list"), &ListDialog::mnuPrintList_Click);
    mnuDone = addCommand("mnuDone", QStringLiteral("&Done"), &ListDialog::mnuDone_Click);
}

void frmEmployee::mnuDefaultEmployee_Click() {
    const QListWidgetItem* current = List1->currentItem();
    if (!current || !current->isSelected()) {
        Dialogs::msgBox(QStringLiteral("Please select an employee and try again."));
        return;
    }
    gstrDefaultEmployee = current->text();
    Settings::setValue(QStringLiteral("DefaultEmployee"), QStringLiteral("Default Employee"),
                       gstrDefaultEmployee);
    Dialogs::msgBox(gstrDefaultEmployee + QStringLiteral(" selected as default employee."));
}

#include "frmRate.h"

#include "core/logic/LookupLists.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

frmRate::frmRate(QWidget* parent) : ListDialog(MainLists::Rates, parent) {
    setObjectName(QStringLiteral("frmRate"));
    setWindowTitle(QStringLiteral("Rates List"));
    Frame1->setTitle(QStringLiteral("Add Rate Here"));
    Text1->setToolTip(QStringLiteral("Enter rate here"));
    Frame2->setTitle(QStringLiteral("Vellagon's List of Rates"));
    List1->setToolTip(QStringLiteral("Use [Ctrl] to select multiple rates for deletion"));

    mnuReturn = addCommand("mnuReturn", QStringLiteral("&Return"), &ListDialog::mnuReturn_Click);
    mnuAdd = addCommand("mnuAdd", QStringLiteral("&Add"), &ListDialog::mnuAdd_Click);
    mnuDelete = addCommand("mnuDelete", QStringLiteral("&Delete"), &ListDialog::mnuDelete_Click);
    mnuDone = addCommand("mnuDone", QStringLiteral("&Done"), &ListDialog::mnuDone_Click);
}

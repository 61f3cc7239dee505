#include "frmClient.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

frmClient::frmClient(QWidget* parent) : ListDialog(MainLists::Clients, parent) {
    setObjectName(QStringLiteral("frmClient"));
    setWindowTitle(gstrFrame1Caption + QStringLiteral(" List"));
    const QString enterTip =
        QStringLiteral("Press [Enter] when first and last names have been added");
    Frame1->setTitle(QStringLiteral("Add first name here"));
    Text1->setToolTip(enterTip);
    Frame2->setTitle(QStringLiteral("Add last name here"));
    Text2->setToolTip(enterTip);
    Frame3->setTitle(gstrFrame1Caption);
    List1->setToolTip(QStringLiteral("Use [Ctrl] to select multiple clients for deletion"));
    setDeleteKey(false);
    setPrintHeading(gstrFrame1Caption + QStringLiteral(" List\r\n\r\n"));

    mnuReturn = addCommand("mnuReturn", QStringLiteral("&Return"), &ListDialog::mnuReturn_Click);
    mnuAdd = addCommand("mnuAdd", QStringLiteral("&Add"), &ListDialog::mnuAdd_Click);
    mnuDelete = addCommand("mnuDelete", QStringLiteral("Delete selected ") + gstrFrame1Caption,
                           &ListDialog::mnuDelete_Click);
    mnuPrintList =
        addCommand("mnuPrintList", QStringLiteral("&Print list"), &ListDialog::mnuPrintList_Click);
    mnuDone = addCommand("mnuDone", QStringLiteral("&Done"), &ListDialog::mnuDone_Click);
}

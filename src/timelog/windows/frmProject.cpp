#include "frmProject.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"

#include <QGroupBox>
#include <QListWidget>

frmProject::frmProject(QWidget* parent) : ListDialog(MainLists::Projects, parent) {
    setObjectName(QStringLiteral("frmProject"));
    setWindowTitle(gstrFrame3Caption + QStringLiteral(" List"));
    Frame1->setTitle(QStringLiteral("Add Project Here"));
    Frame2->setTitle(gstrFrame3Caption);
    List1->setToolTip(QStringLiteral("Use [Ctrl] to select multiple projects for deletion"));

    mnuReturn = addCommand("mnuReturn", QStringLiteral("&Return"), &ListDialog::mnuReturn_Click);
    mnuAdd = addCommand("mnuAdd", QStringLiteral("&Add"), &ListDialog::mnuAdd_Click);
    mnuDelete = addCommand("mnuDelete", QStringLiteral("&Delete"), &ListDialog::mnuDelete_Click);
    mnuPrintList =
        addCommand("mnuPrintList", QStringLiteral("&Print List"), &ListDialog::mnuPrintList_Click);
    mnuDone = addCommand("mnuDone", QStringLiteral("&Done"), &ListDialog::mnuDone_Click);
}

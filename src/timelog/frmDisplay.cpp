#include "frmDisplay.h"

#include "core/SharedState.h"

frmDisplay::frmDisplay(QWidget* parent) : ChildWindow(Kind::Display, parent) {
    addWindowMenu();
    Form_Load();
}

void frmDisplay::Form_Load() {
    setPath(gstrDatabasePath);
    gblnDisplayActive = true;
    gblnEntryActive = false;
    gstrRecordSource = QStringLiteral("Select * from Vellagons order by [Beginning Time]");
    setSqlWhereTag(QString());
    setSqlWhereCaption(gstrRecordSource);
}

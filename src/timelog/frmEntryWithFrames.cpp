#include "frmEntryWithFrames.h"

#include "core/SharedState.h"

frmEntryWithFrames::frmEntryWithFrames(QWidget* parent) : ChildWindow(Kind::Entry, parent) {
    addWindowMenu();
    Form_Load();
}

void frmEntryWithFrames::Form_Load() {
    setPath(gstrDatabasePath);
    gblnEntryActive = true;
    gblnDisplayActive = false;
}

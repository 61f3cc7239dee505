#include "TimeLogging.h"

#include "core/ChildWindows.h"
#include "frmDisplay.h"
#include "frmEntryWithFrames.h"

void registerTimeLogging() {
    setChildWindowFactory(ChildWindow::Kind::Display, [] { return new frmDisplay; });
    setChildWindowFactory(ChildWindow::Kind::Entry, [] { return new frmEntryWithFrames; });
}

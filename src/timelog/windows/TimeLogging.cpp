#include "TimeLogging.h"

#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "frmClient.h"
#include "frmDisplay.h"
#include "frmEmployee.h"
#include "frmEntryWithFrames.h"

void registerTimeLogging() {
    setChildWindowFactory(ChildWindow::Kind::Display, [] { return new frmDisplay; });
    setChildWindowFactory(ChildWindow::Kind::Entry, [] { return new frmEntryWithFrames; });
    // The first-run introduction hands over to these two lists.
    startupDialogs().clientsList = [] {
        ListDialog::showModal<frmClient>();
    };
    startupDialogs().employeesList = [] {
        ListDialog::showModal<frmEmployee>();
    };
}

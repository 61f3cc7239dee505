#include "StartupWindows.h"

#include "StartupSettings.h"
#include "frmIntroduction.h"
#include "frmTip.h"

void registerStartupWindows() {
    startupDialogs().tipOfTheDay = &frmTip::showModal;
    startupDialogs().introduction = &frmIntroduction::showModal;
}

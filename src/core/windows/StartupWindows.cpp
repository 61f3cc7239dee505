#include "StartupWindows.h"

#include "core/logic/StartupSettings.h"
#include "frmIntroduction.h"
#include "frmTip.h"

void registerStartupWindows() {
    startupDialogs().tipOfTheDay = &frmTip::showModal;
    startupDialogs().introduction = &frmIntroduction::showModal;
}

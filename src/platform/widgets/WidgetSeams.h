#pragma once

// Puts the windows' own effects behind the seams of the logic: the dialogs and the bell, the
// hourglass, the print dialog and the report window. The program installs them once at
// start-up, after its application object, as do the window tests; tests then install their
// scripted answerers over them as before.
namespace WidgetSeams {

void install();

} // namespace WidgetSeams

#pragma once

// Text boxes claim Del, Ctrl+A, Ctrl+C and Ctrl+X for themselves before any menu sees them,
// so a menu command with such a shortcut would never run while a text box has the focus.
// This hands a key to the menu whenever an enabled menu item of the active window has it as
// its shortcut; other keys stay with the text box. An access key that two commands of the
// menu bar share runs the first of them that is available.
namespace MenuShortcuts {

// Installs the filter on the application (once; later calls do nothing).
void install();

} // namespace MenuShortcuts

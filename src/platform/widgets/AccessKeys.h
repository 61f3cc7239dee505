#pragma once

class QAction;
class QMenuBar;

// Access keys that several commands of one menu bar share ("&Delete" and "&Done"): the
// toolkit would run them in turn, one per press, so that the same keys delete once and close
// the window the next time. Guarded, such a key runs none of them: each press highlights the
// next command that has it, Enter runs the highlighted one and Esc leaves the bar, the focus
// going back where it was. Keys that one command alone has run it at once, as before.
namespace AccessKeys {

void guardShared(QMenuBar* bar);

// A command of a menu bar that gets a shared key every time ("&Log completed" beside
// "&Lists"): Alt and its letter run it at each press, on whatever menu bar shows it, guarded
// or not. The other commands with that letter are reached with the mouse or the arrow keys.
void prefer(QAction* command);

} // namespace AccessKeys

#pragma once

#include <QString>

class ChildWindow;

// The Back and Forward buttons of both child windows: the focus goes to the previous or next
// loaded child window, wrapping at either end, and that window becomes the current one of its
// kind. Where no child window lies that way, the window's status line shows its file instead.
namespace WindowNavigation {

void back(ChildWindow* from);
void forward(ChildWindow* from);

// Runs the toolbar buttons that both child windows have (Back, Forward, Cut, Copy, Paste, Help);
// false when the key is none of them.
bool runSharedButton(ChildWindow* from, const QString& key);

} // namespace WindowNavigation

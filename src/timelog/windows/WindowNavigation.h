#pragma once

#include <QString>
#include <functional>

class ChildWindow;

// The Back and Forward buttons of both child windows: the focus goes to the previous or next
// loaded child window, wrapping at either end, and that window becomes the current one of its
// kind. Where no child window lies that way, the window's status line shows its file instead.
namespace WindowNavigation {

void back(ChildWindow* from);
void forward(ChildWindow* from);

// Runs a button of a child window's toolbar by its key: the buttons both windows have (Back,
// Forward, Cut, Copy, Paste, Help), else `own`, the window's own buttons. The toolbar shows no
// message box: a command that fails says why in the window's status line.
void runToolbarButton(ChildWindow* from, const QString& key, const std::function<void()>& own);

} // namespace WindowNavigation

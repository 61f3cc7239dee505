#pragma once

class ChildWindow;

// The Back and Forward buttons of both child windows: the focus goes to the previous or next
// loaded child window, wrapping at either end, and that window becomes the current one of its
// kind. Where no child window lies that way, the window's status line shows its file instead.
namespace WindowNavigation {

void back(ChildWindow* from);
void forward(ChildWindow* from);

} // namespace WindowNavigation

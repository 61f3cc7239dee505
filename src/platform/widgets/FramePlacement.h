#pragma once

#include <QRect>

class QWidget;

// Where a top-level window stands as the user sees it: its frame, title bar and borders
// included. Qt sizes a window without its frame, and the frame is known only once a window
// manager has framed the shown window.
namespace FramePlacement {

// The frame of the window in its normal state (neither minimised nor maximised).
QRect normalFrame(const QWidget* window);

// Places the window so that its frame covers the rectangle. A window not framed yet is placed
// by its frame's top-left corner at once, and gets its size once its frame is known, so that
// the title bar and the borders stay within the rectangle too.
void place(QWidget* window, const QRect& frame);

} // namespace FramePlacement

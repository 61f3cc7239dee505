#pragma once

class QWidget;

// Window lengths in twips (1440 to the inch), the unit in which window layouts and stored
// window positions are given, and the placement of controls from them.
namespace Twips {

// Twips per pixel of the primary screen (15 at 96 dots per inch).
double perPixel();
// Pixels of a length in twips, rounded to the nearest pixel.
int toPixels(double twips);
// Twips of a length in pixels.
double fromPixels(int pixels);

// Places a control at left, top with width and height, all in twips. A placement that asks
// for a negative width or height (a window made too small for its layout) fails as a whole:
// the control keeps its place and size, and the next placement goes on. A zero size is a size.
void place(QWidget* control, double left, double top, double width, double height);
// The same, but the control never gets less height than it needs to show itself.
void placeAtLeast(QWidget* control, double left, double top, double width, double height);

// The smallest size of a window laid out in twips: the size down to which its layout places
// every control without overlap. A window (or the frame that holds it) is never made smaller;
// where there is less room it scrolls or is clipped instead.
void setMinimumSize(QWidget* window, double width, double height);

} // namespace Twips

#include "Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace Twips {

double perPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

int toPixels(double twips) {
    return int(std::lround(twips / perPixel()));
}

double fromPixels(int pixels) {
    return pixels * perPixel();
}

void place(QWidget* control, double left, double top, double width, double height) {
    if (width < 0 || height < 0)
        return;
    // The edges are rounded, not the sizes, so that controls placed edge to edge in twips meet
    // in pixels too, without a gap or an overlap.
    const int x = toPixels(left);
    const int y = toPixels(top);
    control->setGeometry(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

void placeAtLeast(QWidget* control, double left, double top, double width, double height) {
    if (height < 0)
        return;
    place(control, left, top, width, std::max(height, fromPixels(control->sizeHint().height())));
}

void setMinimumSize(QWidget* window, double width, double height) {
    window->setMinimumSize(toPixels(width), toPixels(height));
}

} // namespace Twips

#include "WindowTitles.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace WindowTitles {

int neededWidth(const QString& title) {
    // Title bars draw in a font of about the program's size, often bold; beside the text stand
    // the window's icon and up to four buttons, each about as wide as the bar is high.
    QFont font = QApplication::font();
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int bar = metrics.height() + 8;
    return metrics.horizontalAdvance(title) + 5 * bar + 2 * metrics.averageCharWidth();
}

void fitTitle(QWidget& window) {
    const int width = neededWidth(window.windowTitle());
    if (window.minimumWidth() < width)
        window.setMinimumWidth(width);
}

} // namespace WindowTitles

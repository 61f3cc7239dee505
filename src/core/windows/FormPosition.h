#pragma once

#include <QString>
#include <optional>

class QWidget;

// A window's rectangle in twips (1440 to the inch), as the settings keep it.
struct TwipsRect {
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    qint64 height = 0;
    bool operator==(const TwipsRect&) const = default;
};

namespace FormPositionRules {

// "left, top, width, height": each value's shortest decimal text, joined by ", ".
QString format(const TwipsRect& rect);
// The four values of a stored text, each rounded to a whole number (halves to even);
// nothing when the text is malformed.
std::optional<TwipsRect> parse(const QString& stored);
// Screen-sized, at the top left.
TwipsRect fullPlacement(double screenWidth, double screenHeight);
// Where a window goes for a stored text on a screen of that size (twips). A stored text that
// is empty, malformed, or does not fit gives the full placement.
TwipsRect place(const QString& stored, double screenWidth, double screenHeight);

} // namespace FormPositionRules

// Writes the window's rectangle under its tag in the section FormPosition: its frame in the
// normal state (title bar and borders included), from the corner of the screen's free area.
void SaveFormPosition(QWidget* frm);
// Places the window from the stored rectangle within the screen's free area (panels left
// out), frame included, so that its title bar is always on the screen; a normal window is
// moved, a minimised or maximised one is left where it is.
void RestoreFormPosition(QWidget* frm);

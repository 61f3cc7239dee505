#pragma once

class QString;
class QWidget;

// A window manager cuts a title that does not fit between the icon and the buttons of its
// title bar ("Se…n" for "Select beginning and ending dates"). Small dialogs are made wide
// enough for their whole title.
namespace WindowTitles {

// The width a window needs for the whole title to show in its title bar, with the icon and
// the buttons beside it.
int neededWidth(const QString& title);

// Makes the window at least as wide as its present title needs.
void fitTitle(QWidget& window);

} // namespace WindowTitles

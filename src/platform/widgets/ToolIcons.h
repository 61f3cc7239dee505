#pragma once

#include <QIcon>
#include <QString>
#include <QStyle>

// The icon of a toolbar button, by the button's key ("Back", "Cut", "Small Caps" ...). They
// are drawn here, so that they look the same whatever icon theme the desktop has (or none).
QIcon toolIcon(const QString& key);

// An icon of the style's own (the navigator's ends, Back and Forward), made once per style and
// then shared: making one searches the icon theme's folders on disk, which every new window
// would otherwise pay again.
QIcon styleIcon(const QStyle* style, QStyle::StandardPixmap which);

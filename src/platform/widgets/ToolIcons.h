#pragma once

#include <QIcon>
#include <QString>

// The icon of a toolbar button, by the button's key ("Back", "Cut", "Small Caps" ...). They
// are drawn here, so that they look the same whatever icon theme the desktop has (or none).
QIcon toolIcon(const QString& key);

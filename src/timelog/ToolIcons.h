#pragma once

#include <QIcon>
#include <QString>

// The icon of a toolbar button, by the button's key ("Back", "Cut", "Small Caps" ...): the
// desktop theme's icon where there is one, else a drawn one, so every button shows something.
QIcon toolIcon(const QString& key);

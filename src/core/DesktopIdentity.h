#pragma once

#include <QIcon>

// How the program appears on a Linux desktop: its icon, which every window shows too, and the
// id of its desktop file, by which the desktop knows the program's windows for its own.
namespace DesktopIdentity {

QString appId();
QIcon programIcon();
// Gives the running application its icon and its desktop file.
void apply();

} // namespace DesktopIdentity

#pragma once

#include <QIcon>

// How the program appears on a Linux desktop: its name, its icon, which every window shows too,
// and the id of its desktop file, by which the desktop knows the program's windows for its own.
// It sets no display name: Qt would append one to every window title (" — Vellagon"), and the
// titles are the windows' captions alone.
namespace DesktopIdentity {

QString appId();
QIcon programIcon();
// Gives the running application its name, its icon and its desktop file.
void apply();

} // namespace DesktopIdentity

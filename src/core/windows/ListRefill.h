#pragma once

#include <QString>
#include <QStringList>

// Gives the shared lookup list these items, and the same to the box of the current Data entry
// window when a Data entry window ran the command. Other Data entry windows keep theirs until
// they fill them again.
void refillLookupList(int list, const QStringList& items);

// After a command that changed a list of a file behind the windows' backs (an import of
// clients): gives the shared lookup list these items, and the same to the box of every open
// Data entry window on that file, which keeps the text it shows.
void refillLookupListOfFile(const QString& path, int list, const QStringList& items);

#pragma once

#include <QString>
#include <QStringList>

// The settings that start-up reads, with their defaults.
namespace StartupSettings {

// The recent database files, newest first, without empty entries.
QStringList recentFiles();
// The database file to open: the stored one, or the default file when none is stored.
QString databasePath();
// Whether the tip of the day is wanted: the stored flag is 0 (a flag that is no number
// counts as the default, 0).
bool tipsWanted();
// Stores the tip dialog's box: ticked ("1") turns the tip at start-up off, unticked ("0") on.
void saveTipsDeactivated(bool deactivated);
// Reads the eight font names, the eight sizes, the default employee and the four captions
// into their shared variables, in that order.
void readFontsCaptionsAndEmployee();
// Stores the database file to open at the next start; an empty path is never stored.
void saveDatabasePath(const QString& path);

} // namespace StartupSettings

// Dialogs that start-up shows when they are due; the subsystems that own them set these.
struct StartupDialogs {
    void (*tipOfTheDay)() = nullptr;
    void (*introduction)() = nullptr;
    void (*clientsList)() = nullptr;
    void (*employeesList)() = nullptr;
};
StartupDialogs& startupDialogs();

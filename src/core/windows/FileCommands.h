#pragma once

#include <QString>

// The commands that act on whole database files, and the recent-files list. The commands run
// after the calling window's prologue, so gstrDatabasePath names the caller's file; New File
// and Open File put it back when they end, whatever happens.

// Asks for a file and compacts it in place (compactDatabaseFile). A file the program has open
// (in any child window or on any connection) is refused. Reports the outcome in a message.
void CompactDatabase();

// Compacts a database file that this program does not hold open, in place, by the engine
// under its own locks and journal: the file is at every moment either the old one or the
// complete compacted one, and another program that has it open waits and then writes on into
// it. Leftover work files (JUNK.MDB, Backup.MDB) are deleted first, except when the file to
// compact does not open (a leftover may then be someone's only copy). Throws AppError.
void compactDatabaseFile(const QString& path);

// Copies a database file, also one the program has open, through the engine (a consistent
// snapshot, never its bytes while it may change). An existing database file at the
// destination is overwritten through the engine, as another program may have it open; any
// other destination is replaced only once the copy is complete. When no file exists at source,
// shows the quoted source followed by " is not valid file name." and returns false. A copy that
// fails throws AppError (the caller reports it) and leaves the destination as it was. Returns true
// when the copy stands.
bool CopyDatabaseFile(const QString& source, const QString& destination);

// Whether the program holds a file open: a child window's file, or a file with an open
// connection. Writing over such a file, or reading it as another file, would cut it from under
// its windows.
bool isOpenInProgram(const QString& path);

// Puts a path on top of the recent-files settings, unless First to Fifth already hold it.
void UpdateMostRecentDatabases(const QString& path);

// Asks for a file name, creates a new database there and opens a Display window on it.
void NewDatabaseFile();

// Asks for a database file, checks it, reloads the lookup lists from it and opens a Display
// window on it. A file is recorded in the recent-files list only once it has opened.
void OpenDatabaseFile();

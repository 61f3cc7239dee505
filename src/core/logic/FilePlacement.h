#pragma once

#include <QString>
#include <functional>

class Database;

// How a new database file takes its place: it is built whole under a temporary name beside
// its place and put there in one step, so that a failure, a full disk or a crash never leaves
// a half-made file under its name, nor a user's file deleted before its replacement stands.

enum class ExistingFile {
    Refuse,  // a file at the place is refused and left as it is
    Replace, // a file at the place is replaced (placeDatabaseFile)
};

// Builds a database file at target: `build` fills the new, empty database, then the file goes
// into place. Throws AppError (naming target, never the temporary name); nothing is left
// behind then and target is as it was.
void buildDatabaseFile(const QString& target, ExistingFile existing,
                       const std::function<void(const Database& file)>& build);

// Puts a complete database file that lies beside target in target's place: a database file
// there is overwritten through the engine (another program may have it open; its later writes
// then land in the new contents), anything else is replaced by a rename. The built file is gone
// afterwards. Throws AppError; target is as it was then.
void placeDatabaseFile(const QString& built, const QString& target);

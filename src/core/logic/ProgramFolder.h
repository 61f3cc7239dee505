#pragma once

#include <QString>

// The program's folder: where it keeps the files it writes (the default database file and
// the compaction work files). On Linux this is the per-user data folder, created on first use.
namespace ProgramFolder {

QString path();
// A file in the program's folder.
QString filePath(const QString& fileName);
// The default database file, "VELLAGON.MDB" in the program's folder.
QString defaultDatabasePath();

} // namespace ProgramFolder

#pragma once

#include <QString>

class Database;

// What Open File and start-up say of a file that is not one of the program's.
inline const QString NotValidVellagonFile =
    QStringLiteral("The selected file is not a valid Vellagon file.  Please try again.");

// Checks that the file named by gstrDatabasePath is a database of this program. A missing
// file is created with the full schema. A database that lacks one of the eleven tables leads
// to a question: Yes replaces it by the default database file (gstrDatabasePath then names
// it), No leaves everything as it was. Returns whether gstrDatabasePath now names a usable
// file: false only when the user declined the replacement. A file that is no database at all
// raises an AppError, and nothing is asked.
bool ValidateDatabase();

// The check that Open File and start-up make of their file: ValidateDatabase, with a declined
// replacement raised as an AppError that says NotValidVellagonFile.
void validateDatabaseOrRefuse();

// Opens the file named by gstrDatabasePath, creating it when missing, refills the five lookup
// lists from it and sets gblnNoClients and gblnNoEmployees. Failures raise an AppError.
void OpenDatabaseAndFillLists();

// Refuses a database that is not one of this program's files (one without all eleven tables)
// with an AppError that names the file and the first table it lacks.
void requireVellagonFile(const Database& db);

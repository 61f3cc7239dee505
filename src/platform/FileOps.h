#pragma once

#include <QString>
#include <functional>

// File operations that keep a user's file safe: a file is replaced only by a complete new
// one, by a rename that either happens whole or not at all.
namespace FileOps {

// A free path beside target (same folder, so a rename stays on one file system).
QString siblingTempPath(const QString& target);
// A free path beside a file for keeping it under a name that carries a note:
// "Clients (note).mdb", then "Clients (note 2).mdb" and so on.
QString asidePath(const QString& path, const QString& note);
// Flushes a folder's entries to disk, so a rename survives a power cut.
void syncFolder(const QString& folder);
// Renames from to to, failing where to exists. Throws AppError on failure.
void renameNoReplace(const QString& from, const QString& to);
// Replaces to by from atomically. Throws AppError on failure; to stays as it was then.
void replace(const QString& from, const QString& to);
// Flushes a file's contents to disk. Throws AppError on failure.
void syncFile(const QString& path);

// Tests only: renames and replacements ask this first; a result other than 0 makes them fail
// with that errno, as when the file system refuses. nullptr removes it.
using RenameFault = std::function<int(const QString& from, const QString& to)>;
void setRenameFault(RenameFault fault);

} // namespace FileOps

#pragma once

#include <QString>

// File operations that keep a user's file safe: a file is replaced only by a complete new
// one, by a rename that either happens whole or not at all.
namespace FileOps {

// A free path beside target (same folder, so a rename stays on one file system).
QString siblingTempPath(const QString& target);
// Flushes a folder's entries to disk, so a rename survives a power cut.
void syncFolder(const QString& folder);
// Renames from to to, failing where to exists. Throws AppError on failure.
void renameNoReplace(const QString& from, const QString& to);
// Replaces to by from atomically. Throws AppError on failure; to stays as it was then.
void replace(const QString& from, const QString& to);

} // namespace FileOps

#pragma once

#include <QString>
#include <functional>
#include <optional>
#include <utility>

// File operations that keep a user's file safe: a file is replaced only by a complete new
// one, by a rename that either happens whole or not at all.
namespace FileOps {

// A file as the system knows it, links followed: its device and inode.
using FileId = std::pair<quint64, quint64>;
// The file at a path; nothing when there is none.
std::optional<FileId> fileId(const QString& path);
// An absolute path with links resolved where the file exists; for a file that does not exist
// (yet), its folder resolved and its name kept.
QString canonicalPath(const QString& path);
// Whether two paths name the same file: the same device and inode once links are followed, so
// that a hard link, a symbolic link or another spelling is the file itself. Paths of files that
// do not exist are compared as canonical paths.
bool sameFile(const QString& a, const QString& b);
// Whether a name is taken: by a file, or by a link even where it leads nowhere (which a copy or
// rename would follow or replace).
bool exists(const QString& path);

// A new file is built beside its place (same folder, so a rename stays on one file system)
// under a work name, ".<name>.tmp-<8 hex digits>", and renamed into place when complete. The
// work file is locked (flock) while it lives, so that no other program instance takes it for
// a leftover; a program killed meanwhile leaves it unlocked.
class WorkFile {
public:
    // Removes the leftovers of the folder (removeStaleWorkFiles), then makes an empty work file
    // for target under a name that nothing has, and locks it. Throws AppError.
    explicit WorkFile(const QString& target);
    // Removes the work file and its journal where they still stand under the work name (the
    // work did not reach its place), then lets the lock go. Destroy it only after every
    // connection on the file has closed: closing a descriptor of a file drops the process's
    // engine locks on it.
    ~WorkFile();
    WorkFile(const WorkFile&) = delete;
    WorkFile& operator=(const WorkFile&) = delete;

    QString path() const { return m_path; }

private:
    QString m_path;
    int m_fd = -1;
};

// Removes the work files of a folder (and their journals) that no process holds: what a
// program killed during a transfer left. Anything whose name is not exactly a work file's, that
// is not a plain file, that this process has open or that another process holds locked stays.
// What cannot be removed stays too; this never fails.
void removeStaleWorkFiles(const QString& folder);

// A file's path as messages name it: between double quotes, with the system's separators.
QString quotedPath(const QString& path);

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

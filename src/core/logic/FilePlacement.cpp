#include "FilePlacement.h"

#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"

#include <QFile>
#include <QFileInfo>

namespace {

void removeBuilt(const QString& built) {
    QFile::remove(built);
    QFile::remove(built + QStringLiteral("-journal"));
}

} // namespace

void buildDatabaseFile(const QString& target, ExistingFile existing,
                       const std::function<void(const Database& file)>& build) {
    const QString canonical = FileOps::canonicalPath(target);
    if (canonical.isEmpty())
        throw AppError(AppError::FileError, QStringLiteral("No database file was named."));
    if (existing == ExistingFile::Refuse && FileOps::exists(canonical))
        throw AppError(
            AppError::FileError,
            QStringLiteral("The file \"%1\" already exists; a new database file needs a new name.")
                .arg(target));
    // Checked here, so that the message names the file and not its temporary name.
    const QString folder = QFileInfo(canonical).absolutePath();
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        throw AppError(AppError::FileError,
                       QStringLiteral("The folder \"%1\" does not exist, so the file \"%2\" "
                                      "cannot be created there.")
                           .arg(folder, target));
    if (!folderInfo.isWritable())
        throw AppError(AppError::FileError,
                       QStringLiteral("The folder \"%1\" is read-only, so the file \"%2\" cannot "
                                      "be created there.")
                           .arg(folder, target));

    // Removed with its journal by its destructor unless it reached its place.
    const FileOps::WorkFile work(canonical);
    const QString built = work.path();
    try {
        {
            const Database file = Database::createIn(built);
            build(file);
        }
        FileOps::syncFile(built);
        if (existing == ExistingFile::Refuse)
            FileOps::renameNoReplace(built, canonical);
        else
            placeDatabaseFile(built, canonical);
    } catch (const AppError& e) {
        // The user knows the file by its own name.
        throw AppError(e.number(), QString(e.description()).replace(built, target));
    }
}

void placeDatabaseFile(const QString& built, const QString& target) {
    if (!FileOps::exists(target)) {
        FileOps::renameNoReplace(built, target);
        return;
    }
    bool overwritten = false;
    {
        const Database file = Database::open(built);
        overwritten = file.copyOver(target);
    }
    if (overwritten)
        removeBuilt(built);
    else
        FileOps::replace(built, target);
}

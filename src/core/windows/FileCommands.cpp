#include "FileCommands.h"

#include "ChildWindows.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"
#include "platform/data/Settings.h"

#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <optional>

using FileOps::quotedPath;

namespace {

const QString NotBeingUsed = QStringLiteral(
    "You can only compact a database that is not being used.  You can compact this database from "
    "the Display window of any other Vellagon database.");

constexpr int FileDialogFlags =
    Dialogs::CreatePrompt | Dialogs::NoChangeDir | Dialogs::HideReadOnly | Dialogs::OverwritePrompt;
static_assert(FileDialogFlags == 8206);

Dialogs::FileRequest fileRequest(const QString& title, const QString& initialName) {
    Dialogs::FileRequest request;
    request.cancelError = true;
    request.flags = FileDialogFlags;
    request.defaultExt = QStringLiteral(".mdb");
    request.initialName = initialName;
    // The dialog starts where the file of the window the command runs from lies.
    request.folder = QFileInfo(gstrDatabasePath).absolutePath();
    request.title = title;
    request.filterIndex = 1;
    request.filter = QStringLiteral("Log files *.mdb|*.mdb|All files *.*|*.*");
    request.mode = Dialogs::FileRequest::Open;
    return request;
}

// The captions of the child windows open on the file, in the order they were made.
QStringList windowsOn(const QString& path) {
    QStringList captions;
    const auto add = [&](const ChildWindow* w) {
        if (w && !w->isClosed() && FileOps::sameFile(w->path(), path) &&
            !captions.contains(w->Caption()))
            captions << w->Caption();
    };
    for (const QList<QPointer<ChildWindow>>* windows : {&gfrmDisplays, &gfrmEntries})
        for (const QPointer<ChildWindow>& w : *windows)
            add(w);
    for (const ChildWindow* w : openChildWindows())
        add(w);
    return captions;
}

// Whether the program holds the file: the calling window's file or any other it holds open.
bool inUse(const QString& path) {
    return FileOps::sameFile(path, gstrDatabasePath) || isOpenInProgram(path);
}

// Why the file cannot be compacted now, or "" when it can.
QString whyNotCompacted(const QString& path) {
    if (FileOps::sameFile(path, gstrDatabasePath))
        return NotBeingUsed; // the file of the window the user is in
    const QStringList windows = windowsOn(path);
    if (!windows.isEmpty()) {
        QString names = windows.last();
        if (windows.size() > 1)
            names = windows.mid(0, windows.size() - 1).join(QStringLiteral(", ")) +
                    QStringLiteral(" and ") + names;
        return QStringLiteral("%1 is open in %2. Close %3 first, then compact the file.")
            .arg(path, names,
                 windows.size() == 1 ? QStringLiteral("that window")
                                     : QStringLiteral("those windows"));
    }
    if (Database::isOpen(path))
        return QStringLiteral("%1 is open in another Vellagon window. Close it first, then "
                              "compact the file.")
            .arg(path);
    return {};
}

bool opensAsDatabase(const QString& path) {
    try {
        Database::open(path);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// Deletes a work file left by an earlier compaction.
void removeLeftover(const QString& path) {
    if (FileOps::exists(path) && !QFile::remove(path))
        throw AppError(AppError::FileError,
                       QStringLiteral("The work file %1 cannot be deleted.").arg(quotedPath(path)));
}

} // namespace

void compactDatabaseFile(const QString& path) {
    const QString junk = ProgramFolder::filePath(QStringLiteral("JUNK.MDB"));
    const QString backup = ProgramFolder::filePath(QStringLiteral("Backup.MDB"));
    if (FileOps::sameFile(path, junk) || FileOps::sameFile(path, backup))
        throw AppError(AppError::FileError,
                       QStringLiteral("%1 is the work file of the compaction; save it under "
                                      "another name to compact it.")
                           .arg(quotedPath(path)));
    if (Database::isOpen(path))
        throw AppError(
            AppError::FileError,
            QStringLiteral("%1 is in use; it cannot be compacted.").arg(quotedPath(path)));

    std::optional<Database> source;
    try {
        source = Database::open(path);
    } catch (const AppError& e) {
        // The file to compact is missing or damaged: a leftover work file may be the only
        // copy of it, so none is deleted.
        QStringList kept;
        for (const QString& leftover : {junk, backup})
            if (FileOps::exists(leftover) && opensAsDatabase(leftover))
                kept << quotedPath(leftover);
        if (kept.isEmpty())
            throw;
        throw AppError(e.number(),
                       e.description() + QStringLiteral("  The work file %1 was kept; it may hold "
                                                        "the only copy of a compacted file.")
                                             .arg(kept.join(QStringLiteral(" and "))));
    }
    removeLeftover(junk);
    removeLeftover(backup);
    // In place, under the engine's own locks: another program that has the file open waits
    // until the compaction ends and then writes on into the compacted file (a copy renamed
    // over the file would take its later writes with the old one), and a crash halfway leaves
    // a journal that the engine rolls back at the next open.
    source->exec(QStringLiteral("VACUUM"));
}

void CompactDatabase() {
    std::optional<BusyCursor> busy;
    try {
        gstrChosenFile = Dialogs::fileDialog(fileRequest(
            QStringLiteral("Selecting Vellagon Database File to be compacted"), gstrDatabasePath));
        if (const QString refusal = whyNotCompacted(gstrChosenFile); !refusal.isEmpty()) {
            Dialogs::msgBox(refusal);
            return;
        }
        busy.emplace();
        compactDatabaseFile(gstrChosenFile);
        busy.reset();
        Dialogs::msgBox(gstrChosenFile + QStringLiteral(" has been successfully compacted"));
    } catch (const AppError& e) {
        busy.reset();
        Dialogs::msgBox(e.isCancel()
                            ? QStringLiteral("Compact Vellagon File function aborted by user.")
                            : QStringLiteral("Error in compacting data: ") + e.description());
    }
}

bool isOpenInProgram(const QString& path) {
    if (Database::isOpen(path))
        return true;
    for (const QList<QPointer<ChildWindow>>* windows : {&gfrmDisplays, &gfrmEntries})
        for (const QPointer<ChildWindow>& w : *windows)
            if (w && !w->isClosed() && FileOps::sameFile(w->path(), path))
                return true;
    for (const ChildWindow* w : openChildWindows())
        if (FileOps::sameFile(w->path(), path))
            return true;
    return false;
}

bool CopyDatabaseFile(const QString& source, const QString& destination) {
    if (!QFileInfo(source).isFile()) {
        Dialogs::msgBox(quotedPath(source) + QStringLiteral(" is not valid file name."));
        return false;
    }
    if (FileOps::sameFile(source, destination))
        throw AppError(AppError::FileError,
                       QStringLiteral("%1 cannot be copied onto itself.").arg(quotedPath(source)));
    if (FileOps::exists(destination) && inUse(destination))
        throw AppError(AppError::FileError,
                       QStringLiteral("%1 is open in Vellagon; it cannot be replaced while it "
                                      "is in use.")
                           .arg(quotedPath(destination)));

    const Database db = Database::open(source);
    const QString target = FileOps::canonicalPath(destination);
    // A database file is overwritten through the engine, as another program may have it open.
    if (FileOps::exists(target) && db.copyOver(target))
        return true;
    const FileOps::WorkFile temp(target);
    db.exec(QStringLiteral("VACUUM INTO ?"), {temp.path()});
    FileOps::syncFile(temp.path());
    FileOps::replace(temp.path(), target);
    return true;
}

void UpdateMostRecentDatabases(const QString& path) {
    static const char* const keys[] = {"First", "Second", "Third", "Fourth", "Fifth", "Sixth"};
    const QString section = QStringLiteral("MostRecentDatabases");
    QStringList old;
    for (int i = 0; i < 5; ++i)
        old << Settings::value(section, QString::fromLatin1(keys[i]));
    if (old.contains(path))
        return;
    Settings::setValue(section, QString::fromLatin1(keys[0]), path);
    // Each entry moves down one place; the shift stops at the first empty entry.
    for (int i = 1; i < 6 && !old[i - 1].isEmpty(); ++i)
        Settings::setValue(section, QString::fromLatin1(keys[i]), old[i - 1]);
}

void NewDatabaseFile() {
    // The pointer is busy while the command works, not while its dialog waits for the user.
    std::optional<BusyCursor> busy;
    const QString saved = gstrDatabasePath;
    try {
        gstrDatabasePath = Dialogs::fileDialog(fileRequest(
            QStringLiteral("Opening New Vellagon Database File"), QStringLiteral("*.MDB")));
        if (FileOps::sameFile(gstrDatabasePath, saved)) {
            gstrDatabasePath = saved;
            Dialogs::msgBox(QStringLiteral("This file is already open"));
            return;
        }
        busy.emplace();
        CreateNewDatabase();
        NewDisplayForm();
        gstrRecordSource = QStringLiteral("Select * from Vellagons order by [Beginning Time]");
        if (ChildWindow* display = currentDisplayWindow()) {
            display->setCaption(QStringLiteral("Display form ") + gstrDisplayIndex);
            display->setRecordSource(ConnectionString::plain(gstrDatabasePath), gstrRecordSource);
        }
        UpdateMostRecentDatabases(gstrDatabasePath);
        busy.reset();
        Dialogs::msgBox(QStringLiteral("Your new database, ") + gstrDatabasePath +
                        QStringLiteral(", has successfully been created."));
        gstrDatabasePath = saved;
    } catch (const AppError& e) {
        gstrDatabasePath = saved;
        busy.reset();
        Dialogs::msgBox(QStringLiteral("Could not open new file.  Error in New File function: ") +
                        e.description());
    }
}

void OpenDatabaseFile() {
    std::optional<BusyCursor> busy;
    const QString saved = gstrDatabasePath;
    try {
        gstrDatabasePath = Dialogs::fileDialog(
            fileRequest(QStringLiteral("Opening Vellagon Database File"), QStringLiteral("*.MDB")));
        // Before the pointer turns: the check may ask whether to replace the file.
        validateDatabaseOrRefuse();
        busy.emplace();
        OpenDatabaseAndFillLists();
        UpdateMostRecentDatabases(gstrDatabasePath);
        NewDisplayForm();
        busy.reset();
        Dialogs::msgBox(gstrDatabasePath + QStringLiteral(" has successfully been opened"));
        gstrDatabasePath = saved;
    } catch (const AppError& e) {
        busy.reset();
        // The command's own words, then the real reason where there is one beyond them.
        const bool reasonKnown = !e.isCancel() && e.description() != NotValidVellagonFile;
        Dialogs::msgBox(reasonKnown
                            ? NotValidVellagonFile + QStringLiteral("\n\n") + e.description()
                            : NotValidVellagonFile);
        gstrDatabasePath = saved;
    }
}

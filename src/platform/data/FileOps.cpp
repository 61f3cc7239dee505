#include "FileOps.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

const QString Journal = QStringLiteral("-journal");

using Identity = FileOps::FileId;

// The file at a path, the link itself where followLinks is false.
std::optional<Identity> identityOf(const QString& path, bool followLinks = true) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if ((followLinks ? ::stat(name.constData(), &info) : ::lstat(name.constData(), &info)) != 0)
        return std::nullopt;
    return Identity(info.st_dev, info.st_ino);
}

std::optional<Identity> identityOf(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return std::nullopt;
    return Identity(info.st_dev, info.st_ino);
}

// Whether this process has the file open: a descriptor of its own, or one of the engine's.
// Such a file is never opened for a probe, since closing the probe would drop the process's
// engine locks on it.
bool openInThisProcess(const Identity& file) {
    const QDir descriptors(QStringLiteral("/proc/self/fd"));
    for (const QString& fd : descriptors.entryList(QDir::AllEntries | QDir::System))
        if (identityOf(descriptors.filePath(fd)) == file)
            return true;
    return false;
}

// Removes a plain file that no process holds: not open here, and not locked by another.
// Returns whether it is gone.
bool removeIfUnheld(const QString& path) {
    struct stat info {};
    const QByteArray name = QFile::encodeName(path);
    if (::lstat(name.constData(), &info) != 0)
        return errno == ENOENT;
    const Identity file(info.st_dev, info.st_ino);
    if (!S_ISREG(info.st_mode) || openInThisProcess(file))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool removed = false;
    // Unlinked under the lock, and only if the name still leads to the file locked.
    if (identityOf(fd) == file && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        identityOf(path, false) == file)
        removed = ::unlink(name.constData()) == 0;
    ::close(fd);
    return removed;
}

FileOps::RenameFault& renameFault() {
    static FileOps::RenameFault fault;
    return fault;
}

// Whether a test has made this rename fail; errno is set as the file system would set it.
bool faultInjected(const QString& from, const QString& to) {
    if (!renameFault())
        return false;
    const int error = renameFault()(from, to);
    if (error == 0)
        return false;
    errno = error;
    return true;
}
} // namespace

namespace FileOps {

std::optional<FileId> fileId(const QString& path) {
    return identityOf(path);
}

QString canonicalPath(const QString& path) {
    if (path.isEmpty())
        return {};
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty())
        return canonical;
    // A file that does not exist (yet): resolve its folder, keep its name.
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (!folder.isEmpty())
        return QDir(folder).filePath(info.fileName());
    return QDir::cleanPath(info.absoluteFilePath());
}

bool sameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty())
        return false;
    const std::optional<Identity> first = identityOf(a);
    const std::optional<Identity> second = identityOf(b);
    if (first || second)
        return first == second;
    return canonicalPath(a) == canonicalPath(b);
}

bool exists(const QString& path) {
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

WorkFile::WorkFile(const QString& target) {
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    removeStaleWorkFiles(folder.path());
    for (;;) {
        const QString name =
            QStringLiteral(".%1.tmp-%2")
                .arg(info.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString path = folder.filePath(name);
        // A journal under the name would be rolled back into the new file.
        if (exists(path + Journal))
            continue;
        const int fd = ::open(QFile::encodeName(path).constData(),
                              O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            throw AppError(AppError::FileError,
                           QStringLiteral("No file can be made beside \"%1\": %2.")
                               .arg(QDir::toNativeSeparators(target), systemError()));
        }
        // Locked, and still under its name: a clean-up that came between the two found it
        // unlocked and removed it, or holds it now; the next name then.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && identityOf(path, false) == identityOf(fd)) {
            m_path = path;
            m_fd = fd;
            return;
        }
        ::close(fd);
    }
}

WorkFile::~WorkFile() {
    if (m_fd < 0)
        return;
    if (const std::optional<Identity> own = identityOf(m_fd);
        own && identityOf(m_path, false) == own) {
        ::unlink(QFile::encodeName(m_path).constData());
        if (identityOf(m_path + Journal, false))
            ::unlink(QFile::encodeName(m_path + Journal).constData());
    }
    ::close(m_fd);
}

void removeStaleWorkFiles(const QString& folder) {
    static const QRegularExpression pattern(QStringLiteral("^\\..+\\.tmp-[0-9a-f]{8}$"));
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    QStringList journals;
    for (const QString& name : names) {
        if (name.endsWith(Journal) && pattern.match(name.chopped(Journal.size())).hasMatch())
            journals << name;
        else if (pattern.match(name).hasMatch() && removeIfUnheld(dir.filePath(name)))
            removeIfUnheld(dir.filePath(name + Journal));
    }
    // A journal whose work file is gone belongs to nothing.
    for (const QString& name : std::as_const(journals)) {
        const QString work = dir.filePath(name.chopped(Journal.size()));
        if (!exists(work))
            removeIfUnheld(dir.filePath(name));
    }
}

QString quotedPath(const QString& path) {
    return QLatin1Char('"') + QDir::toNativeSeparators(path) + QLatin1Char('"');
}

QString asidePath(const QString& path, const QString& note) {
    const QFileInfo info(path);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString base = info.fileName().left(info.fileName().size() - suffix.size());
    for (int n = 1;; ++n) {
        const QString name =
            QStringLiteral("%1 (%2%3)%4")
                .arg(base, note, n == 1 ? QString() : QLatin1Char(' ') + QString::number(n),
                     suffix);
        const QString candidate = info.absoluteDir().filePath(name);
        if (!exists(candidate))
            return candidate;
    }
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

void renameNoReplace(const QString& from, const QString& to) {
    const QByteArray src = QFile::encodeName(from);
    const QByteArray dst = QFile::encodeName(to);
    // link() refuses an existing target, so the new name appears whole and never clobbers.
    if (faultInjected(from, to)) {
        throw AppError(AppError::FileError, QStringLiteral("Cannot create \"%1\": %2.")
                                                .arg(QDir::toNativeSeparators(to), systemError()));
    } else if (::link(src.constData(), dst.constData()) == 0) {
        ::unlink(src.constData());
    } else if (errno == EEXIST) {
        throw AppError(AppError::FileError, QStringLiteral("Cannot create \"%1\": %2.")
                                                .arg(QDir::toNativeSeparators(to), systemError()));
    } else if (::renameat2(AT_FDCWD, src.constData(), AT_FDCWD, dst.constData(),
                           RENAME_NOREPLACE) != 0) {
        // File systems without hard links or renameat2: the target is checked just before.
        if ((errno != EINVAL && errno != ENOSYS) || QFileInfo::exists(to) ||
            ::rename(src.constData(), dst.constData()) != 0)
            throw AppError(AppError::FileError,
                           QStringLiteral("Cannot create \"%1\": %2.")
                               .arg(QDir::toNativeSeparators(to), systemError()));
    }
    syncFolder(QFileInfo(to).absolutePath());
}

void replace(const QString& from, const QString& to) {
    if (faultInjected(from, to) ||
        ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw AppError(AppError::FileError, QStringLiteral("Cannot replace \"%1\": %2.")
                                                .arg(QDir::toNativeSeparators(to), systemError()));
    syncFolder(QFileInfo(to).absolutePath());
}

void syncFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) {
        const QString error = systemError();
        if (fd >= 0)
            ::close(fd);
        throw AppError(AppError::FileError, QStringLiteral("Cannot write \"%1\" to disk: %2.")
                                                .arg(QDir::toNativeSeparators(path), error));
    }
    ::close(fd);
}

void setRenameFault(RenameFault fault) {
    renameFault() = std::move(fault);
}

} // namespace FileOps

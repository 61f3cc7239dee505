#include "FileOps.h"

#include "AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
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

QString siblingTempPath(const QString& target) {
    const QFileInfo info(target);
    const QDir folder = info.absoluteDir();
    for (;;) {
        const QString name =
            QStringLiteral(".%1.tmp-%2")
                .arg(info.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const QString path = folder.filePath(name);
        if (!QFileInfo::exists(path) && !QFileInfo::exists(path + QStringLiteral("-journal")))
            return path;
    }
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
        if (!QFileInfo::exists(candidate) && !QFileInfo(candidate).isSymLink())
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

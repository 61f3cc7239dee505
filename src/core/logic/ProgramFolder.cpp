#include "ProgramFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace ProgramFolder {

QString path() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    return folder;
}

QString filePath(const QString& fileName) {
    return QDir(path()).filePath(fileName);
}

QString defaultDatabasePath() {
    return filePath(QStringLiteral("VELLAGON.MDB"));
}

} // namespace ProgramFolder

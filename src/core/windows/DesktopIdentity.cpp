#include "DesktopIdentity.h"

#include <QDirIterator>
#include <QGuiApplication>

namespace DesktopIdentity {

QString appId() {
    return QStringLiteral(VELLAGON_APP_ID);
}

QIcon programIcon() {
    // Every size that ships, so that a title bar and a task switcher each get a sharp one.
    QIcon icon;
    QDirIterator sizes(QStringLiteral(":/icons/hicolor"), {appId() + QStringLiteral(".png")},
                       QDir::Files, QDirIterator::Subdirectories);
    while (sizes.hasNext())
        icon.addFile(sizes.next());
    return icon;
}

void apply() {
    // The name also names the settings and the data folder.
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
    QGuiApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(appId());
}

} // namespace DesktopIdentity

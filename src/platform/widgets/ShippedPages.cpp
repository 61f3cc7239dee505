#include "ShippedPages.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isResourceFolder(const QString& folder) {
    return folder.startsWith(QLatin1Char(':'));
}

} // namespace

ShippedPages::ShippedPages(const QString& folder) {
    m_folder =
        isResourceFolder(folder) ? QDir::cleanPath(folder) : QFileInfo(folder).canonicalFilePath();
    if (m_folder.endsWith(QLatin1Char('/')))
        m_folder.chop(1);
}

QUrl ShippedPages::address(const QString& name) const {
    const QString file = m_folder + QLatin1Char('/') + name;
    if (isResourceFolder(m_folder))
        return QUrl(QStringLiteral("qrc") + file);
    return QUrl::fromLocalFile(file);
}

QString ShippedPages::fileOf(const QUrl& address) const {
    if (m_folder.isEmpty() || !address.isValid() || address.isRelative() || address.hasQuery())
        return {};
    QString file;
    if (isResourceFolder(m_folder)) {
        if (address.scheme() != QLatin1String("qrc") || !address.host().isEmpty())
            return {};
        file = QLatin1Char(':') + QDir::cleanPath(address.path());
    } else {
        if (!address.isLocalFile())
            return {};
        // A link inside the folder may not lead out of it.
        file = QFileInfo(address.toLocalFile()).canonicalFilePath();
    }
    if (!file.startsWith(m_folder + QLatin1Char('/')))
        return {};
    // Only a plain file: a device or a folder is never read.
    const QFileInfo info(file);
    return info.isFile() ? file : QString();
}

bool ShippedPages::contains(const QUrl& address) const {
    return !fileOf(address).isEmpty();
}

std::optional<QUrl> ShippedPages::page(const QUrl& wanted, const QUrl& base) const {
    const QUrl absolute = wanted.isRelative() && base.isValid() ? base.resolved(wanted) : wanted;
    const QString file = fileOf(absolute);
    if (!file.endsWith(QLatin1String(".html")))
        return std::nullopt;
    QUrl found = address(file.mid(m_folder.size() + 1));
    found.setFragment(absolute.fragment());
    return found;
}

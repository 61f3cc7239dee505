#pragma once

#include <QString>
#include <QUrl>
#include <optional>

// The pages a help browser may show: the .html files of one folder, a resource folder such as
// ":/help" or a folder on disk. Every other address (a web site, a device, a large local file,
// a path that climbs out of the folder) names no page, so it is never opened or read.
class ShippedPages {
public:
    ShippedPages() = default;
    explicit ShippedPages(const QString& folder);

    // The address of a page of the folder by its file name: "qrc:/help/index.html" for ":/help".
    QUrl address(const QString& name) const;
    // The page that an address names, its fragment kept; nothing when it names no page of the
    // folder. A relative address is taken relative to base.
    std::optional<QUrl> page(const QUrl& wanted, const QUrl& base = {}) const;
    // Whether an address names a file of the folder (a page or a picture in it).
    bool contains(const QUrl& address) const;

private:
    // The file that an absolute address names inside the folder, or "".
    QString fileOf(const QUrl& address) const;

    QString m_folder; // ":/help" or an absolute path, without a trailing slash
};

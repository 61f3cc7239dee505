#include "WebBrowser.h"

WebBrowser::WebBrowser(QWidget* parent) : QTextBrowser(parent) {
    // Every address, a link's too, goes through doSetSource, which shows shipped pages only.
    setOpenExternalLinks(false);
    setOpenLinks(true);
    connect(this, &QTextBrowser::sourceChanged, this, [this](const QUrl& shown) {
        m_location = m_asked.isEmpty() ? shown.toString() : m_asked;
        m_asked.clear();
        Q_EMIT DownloadComplete();
    });
}

void WebBrowser::setPages(const ShippedPages& pages, const QString& home, const QString& search,
                          const QString& unavailable) {
    m_pages = pages;
    m_home = home;
    m_search = search;
    m_unavailable = unavailable;
}

QUrl WebBrowser::unavailablePage() const {
    return m_pages.address(m_unavailable);
}

void WebBrowser::Navigate(const QString& address) {
    const QUrl url(address.trimmed(), QUrl::TolerantMode);
    setSource(url.isEmpty() ? unavailablePage() : url);
}

void WebBrowser::GoBack() {
    backward();
}

void WebBrowser::GoForward() {
    forward();
}

void WebBrowser::GoHome() {
    setSource(m_pages.address(m_home));
}

void WebBrowser::GoSearch() {
    setSource(m_pages.address(m_search));
}

void WebBrowser::Refresh() {
    reload();
}

void WebBrowser::Stop() {
    // Pages load at once from the folder: there is never a transfer left to break off.
    m_busy = false;
}

QString WebBrowser::LocationName() const {
    return documentTitle();
}

void WebBrowser::doSetSource(const QUrl& name, QTextDocument::ResourceType) {
    const std::optional<QUrl> page = m_pages.page(name, source());
    const QUrl shown = page.value_or(unavailablePage());
    m_asked = page ? QString() : name.toString();
    m_busy = true;
    m_loading = shown;
    QTextBrowser::doSetSource(shown, QTextDocument::HtmlResource);
    m_loading.clear();
    m_asked.clear();
    m_busy = false;
}

QVariant WebBrowser::loadResource(int type, const QUrl& name) {
    const QUrl base = m_loading.isValid() ? m_loading : source();
    const QUrl absolute = name.isRelative() ? base.resolved(name) : name;
    // An empty resource, not a null one: for a null one the document would read the file
    // itself.
    if (!m_pages.contains(absolute))
        return QByteArray();
    return QTextBrowser::loadResource(type, absolute);
}

#pragma once

#include "ShippedPages.h"

#include <QTextBrowser>

// The embedded web browser: it shows only the pages of its folder. Any other address shows the
// folder's not-available page at once, and nothing outside the folder is ever read, a page's
// pictures included, so no address can freeze the program on a device or a huge file.
class WebBrowser : public QTextBrowser {
    Q_OBJECT

public:
    explicit WebBrowser(QWidget* parent = nullptr);

    // The folder, and the file names of its home, search and not-available pages.
    void setPages(const ShippedPages& pages, const QString& home, const QString& search,
                  const QString& unavailable);

    // Shows the page that an address names (relative to the page shown), else the
    // not-available page.
    void Navigate(const QString& address);
    // Back and Forward do nothing where there is no page to go to.
    void GoBack();
    void GoForward();
    void GoHome();
    void GoSearch();
    void Refresh();
    void Stop();
    // Whether a page is being loaded.
    bool Busy() const { return m_busy; }
    // The title of the page shown.
    QString LocationName() const;
    // The address of the page shown; for the not-available page, the address asked for.
    QString LocationURL() const { return m_location; }

Q_SIGNALS:
    // A page has been shown: after a navigation, a link, Back, Forward or Refresh.
    void DownloadComplete();

protected:
    void doSetSource(const QUrl& name, QTextDocument::ResourceType type) override;
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QUrl unavailablePage() const;

    ShippedPages m_pages;
    QString m_home;
    QString m_search;
    QString m_unavailable;
    QUrl m_loading;  // the page being loaded, against which its pictures resolve
    QString m_asked; // the address asked for when it names no page
    QString m_location;
    bool m_busy = false;
};

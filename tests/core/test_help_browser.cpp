#include "TestSupport.h"
#include "core/Forms.h"
#include "core/HelpPages.h"
#include "core/frmBrowser.h"
#include "core/frmMain.h"
#include "platform/WebBrowser.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

namespace {

// A shipped page as the tests read it: its title, its anchors and where its links lead.
struct Page {
    QString title;
    QStringList anchors;
    QStringList links; // href and src values, as written
};

QString pageText(const QString& name) {
    QFile file(HelpPages::Folder + QLatin1Char('/') + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

Page readPage(const QString& name) {
    const QString html = pageText(name);
    QTextDocument document;
    document.setHtml(html);
    Page page;
    page.title = document.metaInformation(QTextDocument::DocumentTitle);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            page.anchors << it.fragment().charFormat().anchorNames();
    static const QRegularExpression link(QStringLiteral("(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    for (const QRegularExpressionMatch& m : link.globalMatch(html))
        page.links << m.captured(1);
    return page;
}

QStringList shippedPageNames() {
    QStringList names;
    QDirIterator it(HelpPages::Folder, {QStringLiteral("*.html")}, QDir::Files);
    while (it.hasNext())
        names << QFileInfo(it.next()).fileName();
    names.sort();
    return names;
}

QAction* button(frmBrowser* browser, const char* key) {
    return browser->tbToolBar->findChild<QAction*>(QLatin1String(key));
}

// Lets the busy-caption timer run out.
void settle(frmBrowser* browser) {
    QDeadlineTimer deadline(5000);
    while (browser->timTimer->isActive() && !deadline.hasExpired())
        QTest::qWait(1);
    QVERIFY(!browser->timTimer->isActive());
}

// Typed as a user types: the keys go to the box, which hands them to its line.
void typeAddress(frmBrowser* browser, const QString& address) {
    browser->cboAddress->setFocus();
    browser->cboAddress->lineEdit()->selectAll();
    QTest::keyClicks(browser->cboAddress, address);
    QTest::keyClick(browser->cboAddress, Qt::Key_Return);
}

} // namespace

class TestHelpBrowser : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

    static frmBrowser* openModeless() {
        frmBrowser::showModeless();
        frmBrowser* browser = frmBrowser::loaded();
        if (browser)
            settle(browser);
        return browser;
    }

    static void closeBrowser() {
        if (frmBrowser* browser = frmBrowser::loaded())
            browser->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() {
        closeBrowser();
        TestSupport::closeMainWindow(m_main);
    }

    void everyPageHasATitleAndEveryLinkLeadsToAShippedPage() {
        const QStringList names = shippedPageNames();
        for (const QString& required :
             {HelpPages::StartPage, HelpPages::SearchPage, HelpPages::UnavailablePage})
            QVERIFY2(names.contains(required), qPrintable(required));

        const ShippedPages pages = HelpPages::pages();
        QHash<QString, Page> read;
        for (const QString& name : names)
            read.insert(name, readPage(name));
        QSet<QString> titles;
        for (const QString& name : names) {
            const Page& page = read[name];
            QVERIFY2(!page.title.trimmed().isEmpty(), qPrintable(name));
            QVERIFY2(!titles.contains(page.title), qPrintable(name + ": title used twice"));
            titles.insert(page.title);
            for (const QString& href : page.links) {
                const QString where = name + " -> " + href;
                const QUrl target = pages.address(name).resolved(QUrl(href));
                QVERIFY2(pages.contains(target), qPrintable(where));
                const QString file = target.fileName();
                if (!file.endsWith(".html"))
                    continue; // the style sheet
                QVERIFY2(pages.page(target), qPrintable(where));
                if (target.hasFragment())
                    QVERIFY2(read[file].anchors.contains(target.fragment()), qPrintable(where));
            }
        }

        // Every page can be found from the start page by following links.
        QSet<QString> reached{HelpPages::StartPage};
        QStringList queue{HelpPages::StartPage};
        while (!queue.isEmpty())
            for (const QString& href : read[queue.takeFirst()].links) {
                const QString file = QUrl(href).fileName();
                if (file.endsWith(".html") && !reached.contains(file)) {
                    reached.insert(file);
                    queue << file;
                }
            }
        for (const QString& name : names)
            QVERIFY2(reached.contains(name), qPrintable(name + " is not reached"));
    }

    void theBrowserWalksEveryPageAndLink() {
        frmBrowser* browser = openModeless();
        QVERIFY(browser);
        for (const QString& name : shippedPageNames()) {
            const Page page = readPage(name);
            typeAddress(browser, HelpPages::pages().address(name).toString());
            settle(browser);
            QCOMPARE(browser->windowTitle(), page.title);
            for (const QString& href : page.links) {
                // The style sheet is no page; a link to the page itself makes no history.
                if (!href.contains(".html") || href == name)
                    continue;
                // A link leads where its page's title says, and Back comes back.
                browser->brwWebBrowser->setSource(QUrl(href));
                settle(browser);
                QCOMPARE(browser->windowTitle(), readPage(QUrl(href).fileName()).title);
                browser->tbToolBar_ButtonClick("Back");
                settle(browser);
                QCOMPARE(browser->windowTitle(), page.title);
                QCOMPARE(browser->cboAddress->currentText(),
                         HelpPages::pages().address(name).toString());
            }
        }
    }

    void itOpensOnTheStartPageAndTheToolbarMovesThroughThePages() {
        frmBrowser* browser = openModeless();
        const QString start = HelpPages::pages().address(HelpPages::StartPage).toString();
        const QString startTitle = readPage(HelpPages::StartPage).title;
        const QString searchTitle = readPage(HelpPages::SearchPage).title;
        QCOMPARE(browser->windowTitle(), startTitle);
        QCOMPARE(browser->cboAddress->currentText(), start);
        QCOMPARE(browser->cboAddress->count(), 1);
        for (const char* key : {"Back", "Forward", "Stop", "Refresh", "Home", "Search"})
            QCOMPARE(button(browser, key)->toolTip(), QLatin1String(key));

        // Back with no history and Forward at the newest page change nothing.
        browser->tbToolBar_ButtonClick("Back");
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
        button(browser, "Search")->trigger();
        settle(browser);
        QCOMPARE(browser->windowTitle(), searchTitle);
        browser->tbToolBar_ButtonClick("Forward");
        settle(browser);
        QCOMPARE(browser->windowTitle(), searchTitle);
        browser->tbToolBar_ButtonClick("Back");
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
        browser->tbToolBar_ButtonClick("Forward");
        settle(browser);
        QCOMPARE(browser->windowTitle(), searchTitle);
        browser->tbToolBar_ButtonClick("Home");
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
        browser->tbToolBar_ButtonClick("Refresh");
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
        browser->tbToolBar_ButtonClick("No such key");

        // Stop ends the timer at once and shows the page's title.
        browser->setWindowTitle(QString());
        browser->timTimer->start();
        browser->tbToolBar_ButtonClick("Stop");
        QVERIFY(!browser->timTimer->isActive());
        QCOMPARE(browser->windowTitle(), startTitle);

        // Typed addresses are visited but not added to the list.
        typeAddress(browser, HelpPages::pages().address("display.html").toString());
        settle(browser);
        QCOMPARE(browser->windowTitle(), readPage("display.html").title);
        QCOMPARE(browser->cboAddress->count(), 1);
        // Choosing the list's entry goes to it.
        browser->cboAddress->setCurrentIndex(0);
        emit browser->cboAddress->activated(0);
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
    }

    void anOutsideAddressShowsTheNotAvailablePageAtOnce() {
        frmBrowser* browser = openModeless();
        const QString unavailable = readPage(HelpPages::UnavailablePage).title;
        for (const char* address :
             {"file:///dev/zero", "/dev/zero", "file:///etc/passwd", "http://www.example.com/",
              "www.example.com", "qrc:/icons/hicolor/16x16/apps", "qrc:/help/help.css",
              "qrc:/help/../help/missing.html", "mailto:office@example.com"}) {
            browser->tbToolBar_ButtonClick("Home");
            typeAddress(browser, QLatin1String(address));
            settle(browser);
            QVERIFY2(browser->windowTitle() == unavailable, address);
            QVERIFY(!browser->brwWebBrowser->Busy());
        }
    }

    void oneBrowserAtATimeAndExitClosesIt() {
        frmBrowser* browser = openModeless();
        QVERIFY(Forms::list().contains(browser));
        QVERIFY(!browser->isModal());
        frmBrowser::showModeless();
        QCOMPARE(frmBrowser::loaded(), browser);
        // The menu's modal browser does not open a second one: the open one comes forward.
        frmBrowser::showModal();
        QCOMPARE(frmBrowser::loaded(), browser);
        int open = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            open += qobject_cast<frmBrowser*>(window) ? 1 : 0;
        QCOMPARE(open, 1);

        ExitProgram();
        QVERIFY(!frmBrowser::loaded());
        QVERIFY(!Forms::list().contains(browser));
    }

    void escClosesItAndTheNextOneOpensAfresh() {
        frmBrowser* browser = openModeless();
        browser->tbToolBar_ButtonClick("Search");
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!frmBrowser::loaded());
        QVERIFY(!Forms::list().contains(browser));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        browser = openModeless();
        QCOMPARE(browser->windowTitle(), readPage(HelpPages::StartPage).title);
    }

    void theModalBrowserReturnsWhenItCloses() {
        bool wasModal = false;
        QTimer::singleShot(0, this, [&wasModal] {
            frmBrowser* browser = frmBrowser::loaded();
            wasModal = browser && QApplication::activeModalWidget() == browser;
            if (browser)
                browser->close();
        });
        frmBrowser::showModal();
        QVERIFY(wasModal);
        QVERIFY(!frmBrowser::loaded());
    }

    void itLiesOverTheMainWindowAndComesBackWhenMoved() {
        m_main->move(40, 30);
        m_main->resize(700, 500);
        frmBrowser* browser = openModeless();
        QTRY_COMPARE(browser->pos(), m_main->pos());
        QTRY_COMPARE(browser->size(), m_main->size());
        browser->move(200, 180);
        QTRY_COMPARE(browser->pos(), m_main->pos());
        browser->resize(300, 200);
        QTRY_COMPARE(browser->size(), m_main->size());
    }
};

VELLAGON_TEST_MAIN(TestHelpBrowser)
#include "test_help_browser.moc"

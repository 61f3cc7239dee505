#include "WindowTestSupport.h"
#include "core/windows/Forms.h"
#include "core/windows/HelpPages.h"
#include "core/windows/frmBrowser.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/WebBrowser.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>

namespace {

// A shipped page as the tests read it: its title, its anchors and its links as written.
struct Page {
    QString title;
    QStringList anchors;
    QStringList links; // href and src values
};

Page readPage(const QString& name) {
    QFile file(HelpPages::Folder + QLatin1Char('/') + name);
    const QString html = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : "";
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
    return names;
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
    settle(browser);
}

QString titleOf(const QString& name) {
    return readPage(name).title;
}

} // namespace

class TestHelpBrowser : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;

    static frmBrowser* openModeless() {
        frmBrowser::showModeless();
        if (frmBrowser* browser = frmBrowser::loaded())
            settle(browser);
        return frmBrowser::loaded();
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() {
        if (frmBrowser* browser = frmBrowser::loaded())
            browser->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TestSupport::closeMainWindow(m_main);
    }

    void everyPageHasATitleEveryLinkLeadsToAPageAndTheStartPageReachesAll() {
        const QStringList names = shippedPageNames();
        for (const QString& required :
             {HelpPages::StartPage, HelpPages::SearchPage, HelpPages::UnavailablePage})
            QVERIFY2(names.contains(required), qPrintable(required));
        const ShippedPages pages = HelpPages::pages();
        frmBrowser* browser = openModeless();
        QSet<QString> titles;
        QHash<QString, QSet<QString>> linksTo; // page -> the pages its links lead to
        for (const QString& name : names) {
            const Page page = readPage(name);
            QVERIFY2(!page.title.trimmed().isEmpty(), qPrintable(name));
            QVERIFY2(!titles.contains(page.title), qPrintable(name + ": title used twice"));
            titles.insert(page.title);
            typeAddress(browser, pages.address(name).toString());
            QCOMPARE(browser->windowTitle(), page.title);
            for (const QString& href : page.links) {
                const QString where = name + " -> " + href;
                const QUrl target = pages.address(name).resolved(QUrl(href));
                QVERIFY2(pages.contains(target), qPrintable(where));
                if (!pages.page(target))
                    continue; // the style sheet
                const QString file = target.fileName();
                linksTo[name].insert(file);
                if (target.hasFragment())
                    QVERIFY2(readPage(file).anchors.contains(target.fragment()), qPrintable(where));
                if (href == name)
                    continue; // a link to its own page makes no history
                // Followed, the link shows its page; Back comes back, and the box says where.
                browser->brwWebBrowser->setSource(QUrl(href));
                settle(browser);
                QVERIFY2(browser->windowTitle() == titleOf(file), qPrintable(where));
                browser->tbToolBar_ButtonClick("Back");
                settle(browser);
                QCOMPARE(browser->windowTitle(), page.title);
                QCOMPARE(browser->cboAddress->currentText(), pages.address(name).toString());
            }
        }
        QSet<QString> reached{HelpPages::StartPage};
        for (QStringList next{HelpPages::StartPage}; !next.isEmpty();)
            for (const QString& file : linksTo.value(next.takeFirst()))
                if (!reached.contains(file)) {
                    reached.insert(file);
                    next << file;
                }
        for (const QString& name : names)
            QVERIFY2(reached.contains(name), qPrintable(name + " is not reached from the start"));
    }

    void theToolbarAndTheAddressBoxMoveThroughThePages() {
        frmBrowser* browser = openModeless();
        const QString start = HelpPages::pages().address(HelpPages::StartPage).toString();
        const QString startTitle = titleOf(HelpPages::StartPage);
        const QString searchTitle = titleOf(HelpPages::SearchPage);
        QCOMPARE(browser->windowTitle(), startTitle);
        QCOMPARE(browser->cboAddress->currentText(), start);
        for (const char* key : {"Back", "Forward", "Stop", "Refresh", "Home", "Search"})
            QCOMPARE(browser->tbToolBar->findChild<QAction*>(key)->toolTip(), key);

        // Back with no history and Forward at the newest page change nothing.
        const std::pair<const char*, QString> steps[] = {
            {"Back", startTitle},    {"Search", searchTitle},  {"Forward", searchTitle},
            {"Back", startTitle},    {"Forward", searchTitle}, {"Home", startTitle},
            {"Refresh", startTitle},
        };
        for (const auto& [key, title] : steps) {
            browser->tbToolBar->findChild<QAction*>(key)->trigger();
            settle(browser);
            QVERIFY2(browser->windowTitle() == title, key);
        }
        // Stop ends the timer at once and shows the page's title.
        browser->setWindowTitle(QString());
        browser->timTimer->start();
        browser->tbToolBar_ButtonClick("Stop");
        QVERIFY(!browser->timTimer->isActive());
        QCOMPARE(browser->windowTitle(), startTitle);

        // A typed address is visited but not added to the list, whose one entry is the start.
        typeAddress(browser, HelpPages::pages().address(HelpPages::SearchPage).toString());
        QCOMPARE(browser->windowTitle(), searchTitle);
        QCOMPARE(browser->cboAddress->count(), 1);
        // Chosen from the list, the entry takes the box, then the box reports the choice.
        browser->cboAddress->setEditText(browser->cboAddress->itemText(0));
        emit browser->cboAddress->activated(0);
        settle(browser);
        QCOMPARE(browser->windowTitle(), startTitle);
    }

    void anOutsideAddressShowsTheNotAvailablePageAtOnce() {
        frmBrowser* browser = openModeless();
        const QString unavailable = titleOf(HelpPages::UnavailablePage);
        for (const char* address :
             {"file:///dev/zero", "/dev/zero", "file:///etc/passwd", "http://www.example.com/",
              "www.example.com", "qrc:/icons/hicolor/16x16/apps", "qrc:/help/help.css",
              "qrc:/help/../help/missing.html", "mailto:office@example.com"}) {
            browser->tbToolBar_ButtonClick("Home");
            typeAddress(browser, QLatin1String(address));
            QVERIFY2(browser->windowTitle() == unavailable, address);
            QCOMPARE(browser->cboAddress->currentText(), address); // what was asked for
        }
    }

    void oneBrowserAtATimeWhichExitAndEscClose() {
        frmBrowser* browser = openModeless();
        QVERIFY(Forms::list().contains(browser));
        frmBrowser::showModeless();
        // The menu's modal browser does not open a second one: the open one comes forward.
        frmBrowser::showModal();
        int open = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            open += qobject_cast<frmBrowser*>(window) ? 1 : 0;
        QCOMPARE(open, 1);
        QCOMPARE(frmBrowser::loaded(), browser);

        ExitProgram();
        QVERIFY(!frmBrowser::loaded());
        QVERIFY(!Forms::list().contains(browser));

        // Esc ends it without a close event; it is gone at once all the same.
        browser = openModeless();
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!frmBrowser::loaded());
        QVERIFY(!Forms::list().contains(browser));
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

VELLAGON_WINDOW_TEST_MAIN(TestHelpBrowser)
#include "test_help_browser.moc"

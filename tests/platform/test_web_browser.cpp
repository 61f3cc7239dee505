#include "Fixtures.h"
#include "WindowTestSupport.h"
#include "platform/widgets/WebBrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTextBlock>

namespace {

QString page(const char* title, const QString& body) {
    return QStringLiteral("<html><head><title>%1</title></head><body>%2</body></html>")
        .arg(QLatin1String(title), body);
}

// The point of a link's text in the browser's viewport.
QPoint linkPoint(QTextBrowser& browser, const QString& href) {
    for (QTextBlock block = browser.document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().anchorHref() == href) {
                QTextCursor cursor(browser.document());
                cursor.setPosition(fragment.position() + 1);
                return browser.cursorRect(cursor).center();
            }
        }
    return {};
}

} // namespace

// The browser shows the pages of its folder and nothing else, whatever the address or link.
class TestWebBrowser : public QObject {
    Q_OBJECT

    QString m_folder;
    QString m_outside;

    QString inFolder(const QString& name) const { return m_folder + QLatin1Char('/') + name; }

private Q_SLOTS:
    void initTestCase() {
        m_folder = TestSupport::newFolder();
        m_outside = TestSupport::newFolder();
        Fixtures::writeFile(inFolder("index.html"),
                            page("Start", "<a href=\"second.html\">next</a> <a "
                                          "href=\"http://example.com/\">web</a> <a "
                                          "href=\"file:///dev/zero\">zero</a>")
                                .toUtf8());
        Fixtures::writeFile(inFolder("second.html"),
                            page("Second", "<img src=\"file:///dev/zero\"><img src=\"dot.png\">"
                                           "<a href=\"index.html#part\">back</a>")
                                .toUtf8());
        Fixtures::writeFile(inFolder("words.html"), page("Words", "").toUtf8());
        Fixtures::writeFile(inFolder("none.html"), page("Not available", "").toUtf8());
        Fixtures::writeFile(inFolder("notes.txt"), "not a page");
        QImage dot(2, 2, QImage::Format_RGB32);
        dot.fill(Qt::red);
        QVERIFY(dot.save(inFolder("dot.png")));
        QDir(m_folder).mkdir("folder.html");
        QVERIFY(QFile::link("/dev/zero", inFolder("zero.html")));
        Fixtures::writeFile(m_outside + "/other.html", page("Other", "").toUtf8());
        // A file far larger than memory would allow to read: it is sparse, so it costs nothing.
        QFile huge(m_outside + "/huge.html");
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(qint64(64) << 30));
    }

    void onlyTheFolderHoldsPages() {
        const ShippedPages pages(m_folder);
        const QUrl index = pages.address("index.html");
        QCOMPARE(index, QUrl::fromLocalFile(inFolder("index.html")));
        QCOMPARE(pages.page(index), index);
        QCOMPARE(pages.page(QUrl("second.html#top"), index),
                 QUrl::fromLocalFile(inFolder("second.html")).adjusted(QUrl::None).toString() +
                     "#top");
        QCOMPARE(pages.page(QUrl("sub/../words.html"), index), pages.address("words.html"));
        QVERIFY(pages.contains(QUrl("file://" + inFolder("dot.png"))));

        const QStringList outside = {
            "file:///dev/zero",
            "http://example.com/",
            "https://" + m_folder + "/index.html",
            "file://" + m_outside + "/other.html",
            "file://" + m_outside + "/huge.html",
            "file://" + m_folder + "/../" + QFileInfo(m_outside).fileName() + "/other.html",
            "file://" + m_folder + "/zero.html",
            "file://" + m_folder + "/folder.html",
            "file://" + m_folder + "/notes.txt",
            "file://" + m_folder + "/missing.html",
            "file://" + m_folder + "/index.html?q=1",
            "qrc:/index.html",
            "mailto:someone@example.com",
            "javascript:alert(1)",
        };
        for (const QString& address : outside)
            QVERIFY2(!pages.page(QUrl(address), index), qPrintable(address));
        QVERIFY(!pages.page(QUrl("../other.html"), index));
        QVERIFY(!pages.page(QUrl("/dev/zero"), index));
        QVERIFY(!ShippedPages().page(index));

        // A resource folder: its pages have qrc addresses, and a disk path is not one of them.
        const ShippedPages shipped(":/pages");
        QCOMPARE(shipped.address("index.html"), QUrl("qrc:/pages/index.html"));
        QVERIFY(!shipped.page(QUrl("file:///pages/index.html")));
    }

    void anOutsideAddressIsShownAsAskedOnTheNotAvailablePage() {
        WebBrowser browser;
        browser.setPages(ShippedPages(m_folder), "index.html", "words.html", "none.html");
        QSignalSpy shown(&browser, &WebBrowser::DownloadComplete);
        // One after another, the same page each time: each is still reported.
        for (const QString& address :
             {"file://" + m_outside + "/huge.html", QStringLiteral("http://example.com/"),
              QStringLiteral("x")}) {
            shown.clear();
            browser.Navigate(address);
            QCOMPARE(shown.count(), 1);
            QCOMPARE(browser.LocationName(), "Not available");
            QCOMPARE(browser.LocationURL(), address);
        }
        browser.Navigate("  ");
        QCOMPARE(browser.LocationName(), "Not available");
        browser.Navigate("second.html"); // relative to the page shown
        QCOMPARE(browser.LocationName(), "Second");
        QCOMPARE(browser.LocationURL(), QUrl::fromLocalFile(inFolder("second.html")).toString());
    }

    void aLinkOrAPictureGoesThroughTheSameCheck() {
        WebBrowser browser;
        browser.setPages(ShippedPages(m_folder), "index.html", "words.html", "none.html");
        browser.resize(600, 400);
        browser.show();
        QVERIFY(QTest::qWaitForWindowExposed(&browser));
        for (const char* href : {"http://example.com/", "file:///dev/zero", "second.html"}) {
            browser.GoHome();
            const QPoint at = linkPoint(browser, href);
            QVERIFY2(!at.isNull(), href);
            QTest::mouseClick(browser.viewport(), Qt::LeftButton, {}, at);
            QCOMPARE(browser.LocationName(),
                     qstrcmp(href, "second.html") == 0 ? "Second" : "Not available");
        }
        // The second page's picture from the folder shows; the device is never read.
        QTextDocument* document = browser.document();
        QVERIFY(document->resource(QTextDocument::ImageResource, QUrl("dot.png")).isValid());
        QVERIFY(document->resource(QTextDocument::ImageResource, QUrl("file:///dev/zero"))
                    .toByteArray()
                    .isEmpty());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestWebBrowser)
#include "test_web_browser.moc"

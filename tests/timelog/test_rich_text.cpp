#include "WindowTestSupport.h"
#include "platform/widgets/RichText.h"
#include "platform/widgets/RichTextBox.h"

#include <QClipboard>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

QImage picture() {
    QImage image(24, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(0, 0, 12, 16, QColor(200, 30, 40));
    p.fillRect(12, 4, 12, 8, QColor(10, 120, 250, 128));
    return image;
}

// The pictures a document shows, in order.
QList<QImage> picturesOf(const QTextDocument& doc) {
    QList<QImage> images;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QString name = it.fragment().charFormat().toImageFormat().name();
                const QVariant r = doc.resource(QTextDocument::ImageResource, QUrl(name));
                images << (r.typeId() == QMetaType::QImage ? r.value<QImage>()
                                                           : r.value<QPixmap>().toImage());
            }
    return images;
}

bool samePixels(const QImage& a, const QImage& b) {
    return a.convertToFormat(QImage::Format_ARGB32) == b.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestRichText : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { TestSupport::freshProgram(); }

    void aNoteWithAPictureSurvivesStoring() {
        RichTextBox box;
        QTextCursor cursor = box.textCursor();
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText("Exhibit ", bold);
        box.setTextCursor(cursor);
        box.insertPicture(picture());
        box.textCursor().insertText(" attached.\nSecond line");

        const QString stored = RichText::toStoredHtml(*box.document());
        QVERIFY(stored.contains("src=\"data:image/png;base64,"));
        QVERIFY(!stored.contains("src=\"picture-"));

        // The plain notes leave the picture out.
        QCOMPARE(RichText::plainText(*box.document()), "Exhibit  attached.\nSecond line");
        QTextDocument loaded;
        RichText::loadStoredHtml(loaded, stored);
        QCOMPARE(RichText::plainText(loaded), RichText::plainText(*box.document()));
        const QList<QImage> images = picturesOf(loaded);
        QCOMPARE(images.size(), 1);
        QVERIFY(samePixels(images.first(), picture()));
        QTextCursor first(&loaded);
        first.setPosition(1);
        QCOMPARE(first.charFormat().fontWeight(), int(QFont::Bold));
        // Loaded pictures carry short names, and storing again gives the same text.
        QVERIFY(!loaded.toHtml().contains("data:"));
        QCOMPARE(RichText::toStoredHtml(loaded), stored);
    }

    void everyPictureIsInlinedOnceLoadedOrPasted() {
        RichTextBox box;
        box.insertPicture(picture());
        QImage other(8, 8, QImage::Format_RGB32);
        other.fill(Qt::green);
        QApplication::clipboard()->setImage(other);
        box.paste();
        box.insertPicture(picture());

        QTextDocument loaded;
        RichText::loadStoredHtml(loaded, RichText::toStoredHtml(*box.document()));
        const QList<QImage> images = picturesOf(loaded);
        QCOMPARE(images.size(), 3);
        QVERIFY(samePixels(images[0], picture()));
        QVERIFY(samePixels(images[1], other));
        QVERIFY(samePixels(images[2], picture()));
        QCOMPARE(RichText::plainText(loaded), QString());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestRichText)
#include "test_rich_text.moc"

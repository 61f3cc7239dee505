#include "RichText.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QHash>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <memory>

namespace RichText {

namespace {

const QString DataPrefix = QStringLiteral("data:");

QImage imageOf(const QVariant& resource) {
    if (resource.typeId() == QMetaType::QImage)
        return resource.value<QImage>();
    if (resource.typeId() == QMetaType::QPixmap)
        return resource.value<QPixmap>().toImage();
    if (resource.typeId() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

QString dataUri(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

QString toStoredHtml(const QTextDocument& document) {
    // The pictures are renamed in a copy, so the document on screen keeps its short names.
    const std::unique_ptr<QTextDocument> copy(document.clone());
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    QList<Picture> pictures;
    for (QTextBlock block = copy->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat())
                pictures.append({fragment.position(), fragment.length(), format.toImageFormat()});
        }
    }

    QHash<QString, QString> inlined;
    for (Picture& picture : pictures) {
        const QString name = picture.format.name();
        if (name.startsWith(DataPrefix, Qt::CaseInsensitive))
            continue;
        auto found = inlined.constFind(name);
        if (found == inlined.constEnd()) {
            const QImage image =
                imageOf(document.resource(QTextDocument::ImageResource, QUrl(name)));
            found = inlined.insert(name, image.isNull() ? QString() : dataUri(image));
        }
        if (found->isEmpty())
            continue; // nothing to inline: the reference stays as it was
        picture.format.setName(*found);
        QTextCursor cursor(copy.get());
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
    return copy->toHtml();
}

void loadStoredHtml(QTextDocument& document, const QString& html) {
    static const QRegularExpression inlinePicture(
        QStringLiteral(R"re(src="data:image/[^;"]*;base64,([^"]*)")re"),
        QRegularExpression::CaseInsensitiveOption);

    QHash<QString, QImage> pictures;
    QString text;
    text.reserve(html.size());
    qsizetype done = 0;
    for (auto it = inlinePicture.globalMatch(html); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QByteArray bytes = QByteArray::fromBase64(match.captured(1).toLatin1());
        const QImage image = QImage::fromData(bytes);
        if (image.isNull())
            continue; // left as it stands
        const QString name =
            QStringLiteral("picture-") +
            QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
        pictures.insert(name, image);
        text += QStringView(html).mid(done, match.capturedStart() - done);
        text += QStringLiteral("src=\"") + name + QLatin1Char('"');
        done = match.capturedEnd();
    }
    text += QStringView(html).mid(done);

    document.clear();
    for (auto it = pictures.constBegin(); it != pictures.constEnd(); ++it)
        document.addResource(QTextDocument::ImageResource, QUrl(it.key()), it.value());
    document.setHtml(text);
}

QString plainText(const QTextDocument& document) {
    QString text = document.toPlainText();
    text.remove(QChar::ObjectReplacementCharacter);
    return text;
}

} // namespace RichText

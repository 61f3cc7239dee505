#include "RichTextBox.h"

#include <QImage>
#include <QImageReader>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>
#include <QUuid>

namespace {

// The local files among the URLs that hold pictures (judged by their headers).
QStringList pictureFilesIn(const QMimeData* source) {
    QStringList files;
    if (!source->hasUrls())
        return files;
    for (const QUrl& url : source->urls())
        if (url.isLocalFile() && !QImageReader::imageFormat(url.toLocalFile()).isEmpty())
            files.append(url.toLocalFile());
    return files;
}

} // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(true);
}

void RichTextBox::insertPicture(const QImage& image) {
    const QUrl name(QStringLiteral("picture-") +
                    QUuid::createUuid().toString(QUuid::WithoutBraces));
    document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(image.width());
    format.setHeight(image.height());
    textCursor().insertImage(format);
}

bool RichTextBox::canInsertFromMimeData(const QMimeData* source) const {
    return source->hasImage() || !pictureFilesIn(source).isEmpty() ||
           QTextEdit::canInsertFromMimeData(source);
}

void RichTextBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasImage()) {
        insertPicture(qvariant_cast<QImage>(source->imageData()));
        return;
    }
    const QStringList files = pictureFilesIn(source);
    if (files.isEmpty()) {
        QTextEdit::insertFromMimeData(source);
        return;
    }
    for (const QString& file : files) {
        const QImage image(file);
        if (!image.isNull())
            insertPicture(image);
    }
}

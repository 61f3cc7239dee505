#include "TipsFile.h"

#include "ProgramFolder.h"
#include "platform/data/LineBreaks.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace {

QString decode(const QByteArray& contents) {
    if (const auto marked = QStringConverter::encodingForData(contents)) {
        QStringDecoder decoder(*marked);
        return decoder(contents);
    }
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(contents);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    if (!windows.isValid())
        return QString::fromLatin1(contents);
    return windows(contents);
}

} // namespace

namespace TipsFile {

QString path() {
    const QString own = ProgramFolder::filePath(FileName);
    return QFileInfo::exists(own) ? own : QStringLiteral(":/") + FileName;
}

std::optional<QStringList> read(const QString& fileName) {
    if (fileName.isEmpty())
        return std::nullopt;
    // A device or a pipe of that name would never end or never answer.
    if (!QFileInfo(fileName).isFile())
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return tips(contents);
}

QStringList tips(const QByteArray& contents) {
    return LineBreaks::lines(decode(contents)); // the last line's end starts no tip
}

QString missingFileText() {
    const QString crLf = QStringLiteral("\r\n");
    return QStringLiteral("That the ") + FileName + QStringLiteral(" file was not found? ") + crLf +
           crLf + QStringLiteral("Create a text file named ") + FileName +
           QStringLiteral(" using NotePad with 1 tip per line. ") +
           QStringLiteral("Then place it in the same directory as the application. ");
}

} // namespace TipsFile

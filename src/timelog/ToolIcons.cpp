#include "ToolIcons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QStyle>

namespace {

struct IconSource {
    const char* themeName;
    QStyle::StandardPixmap standard; // used when there is no glyph
    const char* glyph;               // UTF-8, drawn when the theme has no icon
};

const QHash<QString, IconSource>& sources() {
    static const QHash<QString, IconSource> map = {
        {QStringLiteral("Back"), {"go-previous", QStyle::SP_ArrowBack, nullptr}},
        {QStringLiteral("Forward"), {"go-next", QStyle::SP_ArrowForward, nullptr}},
        {QStringLiteral("Cut"), {"edit-cut", QStyle::SP_CustomBase, "\u2702"}},
        {QStringLiteral("Copy"), {"edit-copy", QStyle::SP_CustomBase, "\u2750"}},
        {QStringLiteral("Paste"), {"edit-paste", QStyle::SP_CustomBase, "\u2398"}},
        {QStringLiteral("New"), {"document-new", QStyle::SP_FileIcon, nullptr}},
        {QStringLiteral("Find"), {"edit-find", QStyle::SP_FileDialogContentsView, nullptr}},
        {QStringLiteral("Help"), {"help-browser", QStyle::SP_DialogHelpButton, nullptr}},
        {QStringLiteral("Properties"), {"document-properties", QStyle::SP_CustomBase, "\u2630"}},
        {QStringLiteral("View Details"), {"x-office-address-book", QStyle::SP_CustomBase, "\u260E"}},
        {QStringLiteral("Small Caps"), {"insert-text", QStyle::SP_CustomBase, "Aa"}},
    };
    return map;
}

QIcon drawnIcon(const QString& glyph) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::TextAntialiasing);
    QFont font = QApplication::font();
    font.setPixelSize(glyph.size() > 1 ? 17 : 24);
    font.setBold(glyph.size() > 1);
    painter.setFont(font);
    painter.setPen(QApplication::palette().color(QPalette::ButtonText));
    painter.drawText(pixmap.rect(), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

} // namespace

QIcon toolIcon(const QString& key) {
    const auto found = sources().constFind(key);
    if (found == sources().constEnd())
        return {};
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(found->themeName));
    if (!themed.isNull())
        return themed;
    if (found->glyph)
        return drawnIcon(QString::fromUtf8(found->glyph));
    return QApplication::style()->standardIcon(found->standard);
}

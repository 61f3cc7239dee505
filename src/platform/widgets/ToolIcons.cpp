#include "ToolIcons.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPixmap>
#include <QPolygonF>
#include <QStyle>
#include <functional>

namespace {

using Drawing = std::function<void(QPainter&)>;

// Outline of a sheet of paper with a folded corner, in a 16 x 16 grid.
QPainterPath sheet(qreal left, qreal top, qreal width, qreal height) {
    QPainterPath path;
    path.moveTo(left, top);
    path.lineTo(left + width - 3, top);
    path.lineTo(left + width, top + 3);
    path.lineTo(left + width, top + height);
    path.lineTo(left, top + height);
    path.closeSubpath();
    return path;
}

void text(QPainter& p, const QString& glyphs, int pixelSize) {
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, glyphs);
}

const QHash<QString, Drawing>& drawings() {
    static const QHash<QString, Drawing> map = {
        {QStringLiteral("Cut"),
         [](QPainter& p) {
             p.drawLine(QLineF(4, 1, 10.5, 10));
             p.drawLine(QLineF(12, 1, 5.5, 10));
             p.drawEllipse(QRectF(2, 10, 4, 4));
             p.drawEllipse(QRectF(10, 10, 4, 4));
         }},
        {QStringLiteral("Copy"),
         [](QPainter& p) {
             p.drawPath(sheet(1.5, 1.5, 9, 10));
             p.fillPath(sheet(5.5, 4.5, 9, 10), p.background());
             p.drawPath(sheet(5.5, 4.5, 9, 10));
         }},
        {QStringLiteral("Paste"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(2.5, 2.5, 11, 12), 1, 1);
             p.fillRect(QRectF(5.5, 1, 5, 3), p.pen().color());
             p.drawLine(QLineF(5, 8, 11, 8));
             p.drawLine(QLineF(5, 11, 11, 11));
         }},
        {QStringLiteral("Print"),
         [](QPainter& p) {
             p.drawRect(QRectF(4.5, 1.5, 7, 5));
             p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
             p.fillRect(QRectF(4.5, 10.5, 7, 4.5), p.background());
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
         }},
        {QStringLiteral("Save"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1, 1);
             p.drawRect(QRectF(4.5, 1.5, 7, 4.5));
             p.drawRect(QRectF(3.5, 9.5, 9, 5));
         }},
        {QStringLiteral("New"),
         [](QPainter& p) {
             p.drawPath(sheet(3.5, 1.5, 9, 13));
         }},
        {QStringLiteral("Find"),
         [](QPainter& p) {
             p.drawEllipse(QRectF(2, 2, 8, 8));
             QPen pen = p.pen();
             pen.setWidthF(2.5);
             p.setPen(pen);
             p.drawLine(QLineF(9.5, 9.5, 14, 14));
         }},
        {QStringLiteral("Help"),
         [](QPainter& p) {
             text(p, QStringLiteral("?"), 14);
         }},
        {QStringLiteral("Properties"),
         [](QPainter& p) {
             for (qreal y : {4.5, 8.5, 12.5}) {
                 p.drawPoint(QPointF(3, y));
                 p.drawLine(QLineF(5.5, y, 13.5, y));
             }
         }},
        {QStringLiteral("View Details"),
         [](QPainter& p) {
             p.drawRoundedRect(QRectF(1.5, 3.5, 13, 10), 1.5, 1.5);
             p.drawEllipse(QRectF(3.5, 5.5, 3.5, 3.5));
             p.drawLine(QLineF(3.5, 11.5, 7, 11.5));
             p.drawLine(QLineF(9, 6.5, 12.5, 6.5));
             p.drawLine(QLineF(9, 9.5, 12.5, 9.5));
         }},
        {QStringLiteral("Small Caps"),
         [](QPainter& p) {
             text(p, QStringLiteral("Aa"), 11);
         }},
        {QStringLiteral("Return"),
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({{13, 3}, {13, 10}, {3.5, 10}}));
             p.drawPolyline(QPolygonF({{6.5, 7}, {3.5, 10}, {6.5, 13}}));
         }},
        {QStringLiteral("Font"),
         [](QPainter& p) {
             text(p, QStringLiteral("A"), 14);
         }},
        {QStringLiteral("Print Font"),
         [](QPainter& p) {
             p.drawPath(sheet(2.5, 1.5, 11, 13));
             text(p, QStringLiteral("A"), 9);
         }},
        {QStringLiteral("Add"),
         [](QPainter& p) {
             p.drawLine(QLineF(8, 3, 8, 13));
             p.drawLine(QLineF(3, 8, 13, 8));
         }},
        {QStringLiteral("Delete"),
         [](QPainter& p) {
             p.drawLine(QLineF(4, 4, 12, 12));
             p.drawLine(QLineF(12, 4, 4, 12));
         }},
        {QStringLiteral("Edit"),
         [](QPainter& p) {
             p.drawPolygon(QPolygonF({{11, 2.5}, {13.5, 5}, {5.5, 13}, {2.5, 13.5}, {3, 10.5}}));
         }},
        {QStringLiteral("Done"),
         [](QPainter& p) {
             p.drawPolyline(QPolygonF({{3, 8.5}, {6.5, 12}, {13, 4}}));
         }},
    };
    return map;
}

QIcon drawnIcon(const Drawing& draw) {
    constexpr int Scale = 2; // drawn at twice the size, for screens that scale
    QPixmap pixmap(16 * Scale, 16 * Scale);
    pixmap.setDevicePixelRatio(Scale);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette palette = QApplication::palette();
    painter.setPen(QPen(palette.color(QPalette::ButtonText), 1.2));
    painter.setBackground(palette.color(QPalette::Button));
    draw(painter);
    painter.end();
    return QIcon(pixmap);
}

// Icons made once and then shared, for as long as the style they were made under lives: the
// application deletes it before its window system, which their pixmaps need.
QIcon madeOnce(const QStyle* style, const QString& name, const std::function<QIcon()>& make) {
    static QHash<const QStyle*, QHash<QString, QIcon>> styles;
    auto icons = styles.find(style);
    if (icons == styles.end()) {
        icons = styles.insert(style, {});
        QObject::connect(style, &QObject::destroyed, [style] { styles.remove(style); });
    }
    auto icon = icons->find(name);
    if (icon == icons->end())
        icon = icons->insert(name, make());
    return *icon;
}

} // namespace

QIcon styleIcon(const QStyle* style, QStyle::StandardPixmap which) {
    return madeOnce(style, QStringLiteral("style %1").arg(int(which)),
                    [&] { return style->standardIcon(which); });
}

QIcon toolIcon(const QString& key) {
    if (key == QLatin1String("Back"))
        return styleIcon(QApplication::style(), QStyle::SP_ArrowBack);
    if (key == QLatin1String("Forward"))
        return styleIcon(QApplication::style(), QStyle::SP_ArrowForward);
    const auto found = drawings().constFind(key);
    if (found == drawings().constEnd())
        return QIcon();
    // Drawn in the palette's colours: other colours draw them again.
    const QPalette palette = QApplication::palette();
    return madeOnce(QApplication::style(),
                    QStringLiteral("%1 %2 %3")
                        .arg(key)
                        .arg(palette.color(QPalette::ButtonText).rgba())
                        .arg(palette.color(QPalette::Button).rgba()),
                    [&] { return drawnIcon(*found); });
}

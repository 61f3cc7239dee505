#include "WindowParts.h"

#include "ToolIcons.h"

#include <QMenu>
#include <QPalette>
#include <QToolBar>

QToolBar* newToolbar(QWidget* parent, const char* name) {
    auto* bar = new QToolBar(parent);
    bar->setObjectName(QLatin1String(name));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setIconSize(QSize(16, 16));
    bar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    return bar;
}

QAction* addToolButton(QToolBar* bar, const QString& key, const QString& toolTip) {
    QAction* button = bar->addAction(toolIcon(key), key);
    button->setObjectName(key);
    button->setData(key);
    button->setToolTip(toolTip);
    return button;
}

QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    return item;
}

void drawWhiteOnBlue(QWidget* widget) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, Qt::blue);
    colours.setColor(QPalette::WindowText, Qt::white);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

#include "WindowParts.h"

#include "DateBox.h"
#include "ToolIcons.h"

#include <QListWidget>
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

QList<QAction*> addToolButtons(QToolBar* bar, const QList<ToolButton>& buttons) {
    QList<QAction*> added;
    for (const ToolButton& b : buttons)
        added << addToolButton(bar, QLatin1String(b.key), QLatin1String(b.toolTip));
    return added;
}

QAction* addMenuItem(QWidget* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QLatin1String(name));
    item->setShortcut(shortcut);
    return item;
}

QMenu* addSubmenu(QMenu* menu, const char* name, const QString& title) {
    QMenu* submenu = menu->addMenu(title);
    submenu->setObjectName(QLatin1String(name));
    return submenu;
}

QListWidget* newList(QWidget* parent, const char* name) {
    auto* list = new QListWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    return list;
}

DateBox* newDatePicker(QWidget* parent, const char* name, const QString& caption) {
    auto* picker = new DateBox(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setAccessibleName(caption);
    picker->setNullable(false);
    picker->setDisplayFormat(QStringLiteral("M/d/yyyy"));
    return picker;
}

void drawWhiteOnBlue(QWidget* widget) {
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, Qt::blue);
    colours.setColor(QPalette::WindowText, Qt::white);
    // What cannot be chosen reads as greyed out on the blue, not as white as the rest.
    const QColor greyed(150, 150, 215);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        colours.setColor(QPalette::Disabled, role, greyed);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

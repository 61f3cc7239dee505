#include "MenuBarWindow.h"

#include <QMenu>

QMenu* MenuBarWindow::addMenu(const QString& title) {
    auto* menu = new QMenu(title, this);
    m_menuBarEntries.append(menu->menuAction());
    return menu;
}

QMenu* MenuBarWindow::addMenu(const char* name, const QString& title) {
    QMenu* menu = addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction* MenuBarWindow::addMenuBarCommand(const QString& caption) {
    auto* action = new QAction(caption, this);
    m_menuBarEntries.append(action);
    return action;
}

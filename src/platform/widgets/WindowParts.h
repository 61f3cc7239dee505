#pragma once

#include <QAction>
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QString>

class DateBox;
class QListWidget;
class QMenu;
class QToolBar;
class QWidget;

// The pieces windows build their menus, toolbars and lists from.

// A fixed toolbar of small icon buttons.
QToolBar* newToolbar(QWidget* parent, const char* name);
// A button told apart by its key (its name and data), with the key's icon and a tooltip.
QAction* addToolButton(QToolBar* bar, const QString& key, const QString& toolTip);

// One button of a toolbar's table: its key and its tooltip.
struct ToolButton {
    const char* key;
    const char* toolTip;
};
// Adds the buttons of a table, in order; the bar reports a click as the button's key.
QList<QAction*> addToolButtons(QToolBar* bar, const QList<ToolButton>& buttons);

// A named item of a menu or of a menu bar, with an optional shortcut.
QAction* addMenuItem(QWidget* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
// The same, running a handler of the window when chosen.
template <class Window, class Handler>
QAction* addMenuItem(QWidget* menu, const char* name, const QString& caption, Window* window,
                     Handler handler, const QKeySequence& shortcut = {}) {
    QAction* item = addMenuItem(menu, name, caption, shortcut);
    QObject::connect(item, &QAction::triggered, window, handler);
    return item;
}

// A named submenu of a menu.
QMenu* addSubmenu(QMenu* menu, const char* name, const QString& title);

// A named list of which one item is chosen at a time.
QListWidget* newList(QWidget* parent, const char* name);
// A named date box that always holds a date, showing M/d/yyyy; `caption` names it in its
// messages.
DateBox* newDatePicker(QWidget* parent, const char* name, const QString& caption);

// Draws a window part white on blue, as the search dialogs are.
void drawWhiteOnBlue(QWidget* widget);

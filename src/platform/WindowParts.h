#pragma once

#include <QKeySequence>
#include <QString>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

// The pieces windows build their menus and toolbars from.

// A fixed toolbar of small icon buttons.
QToolBar* newToolbar(QWidget* parent, const char* name);
// A button told apart by its key (its name and data), with the key's icon and a tooltip.
QAction* addToolButton(QToolBar* bar, const QString& key, const QString& toolTip);
// A named menu item with an optional shortcut.
QAction* addMenuItem(QMenu* menu, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
// Draws a window part white on blue, as the search dialogs are.
void drawWhiteOnBlue(QWidget* widget);

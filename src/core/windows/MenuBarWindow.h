#pragma once

#include <QAction>
#include <QList>
#include <QString>
#include <QWidget>

class QMenu;

// A window inside the main window that has menus of its own. Qt does not merge a child
// window's menus into the main window's menu bar, so the main window shows these entries in
// its bar while the window is the active one.
class MenuBarWindow : public QWidget {
    Q_OBJECT

public:
    using QWidget::QWidget;

    // The entries of the menu bar while this window is active.
    const QList<QAction*>& menuBarEntries() const { return m_menuBarEntries; }

Q_SIGNALS:
    // The menu bar entries changed (the main window shows them again).
    void menuBarChanged();

protected:
    // Adds a top-level menu or command to this window's menu bar (named, for the named forms).
    QMenu* addMenu(const QString& title);
    QMenu* addMenu(const char* name, const QString& title);
    QAction* addMenuBarCommand(const QString& caption);
    // A named command of the menu bar that runs a handler of the window.
    template <class Window, class Handler>
    QAction* addMenuBarCommand(const char* name, const QString& caption, Window* window,
                               Handler handler) {
        QAction* command = addMenuBarCommand(caption);
        command->setObjectName(QLatin1String(name));
        connect(command, &QAction::triggered, window, handler);
        return command;
    }

private:
    QList<QAction*> m_menuBarEntries;
};

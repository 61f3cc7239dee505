#include "MenuShortcuts.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace {

bool menuHasShortcut(const QList<QAction*>& actions, const QKeySequence& key) {
    for (QAction* action : actions) {
        if (!action->isEnabled() || !action->isVisible())
            continue;
        if (action->menu()) {
            if (menuHasShortcut(action->menu()->actions(), key))
                return true;
        } else if (action->shortcuts().contains(key)) {
            return true;
        }
    }
    return false;
}

class ShortcutFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride || !watched->isWidgetType())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const auto* window = qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window());
        if (!window || !window->menuWidget())
            return false;
        const QKeySequence sequence(key->keyCombination());
        // Not accepted: the shortcut goes to the menu instead of the text box.
        return menuHasShortcut(window->menuWidget()->actions(), sequence);
    }
};

} // namespace

namespace MenuShortcuts {

void install() {
    static ShortcutFilter* filter = nullptr;
    if (filter || !qApp)
        return;
    filter = new ShortcutFilter(qApp);
    qApp->installEventFilter(filter);
}

} // namespace MenuShortcuts

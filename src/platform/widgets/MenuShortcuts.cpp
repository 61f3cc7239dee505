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

// Two commands of the bar may share an access key ("&Save record", "&Search"): Qt then takes
// turns among them, the unavailable ones included, so that the key often does nothing. Such a
// key runs the first available command that has it (nothing when none is available).
bool sharesAccessKey(const QList<QAction*>& bar, const QKeySequence& key, QAction** command) {
    int sharing = 0;
    *command = nullptr;
    for (QAction* action : bar) {
        if (!action->isVisible() || QKeySequence::mnemonic(action->text()) != key)
            continue;
        ++sharing;
        if (!*command && action->isEnabled() && !action->menu())
            *command = action;
    }
    return sharing > 1;
}

class ShortcutFilter : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if ((event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) ||
            !watched->isWidgetType())
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        const auto* window = qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window());
        if (!window || !window->menuWidget())
            return false;
        const QKeySequence sequence(key->keyCombination());
        QAction* command = nullptr;
        if (sharesAccessKey(window->menuWidget()->actions(), sequence, &command)) {
            // Taken from Qt's turns: the key press that follows runs the command.
            if (event->type() == QEvent::ShortcutOverride)
                event->accept();
            else if (command)
                command->trigger();
            return true;
        }
        if (event->type() != QEvent::ShortcutOverride)
            return false;
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

#include "SubsystemCommands.h"

#include "ChildWindow.h"
#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"

#include <QAction>
#include <QHash>
#include <QPointer>

namespace SubsystemCommands {

namespace {
QHash<int, Handler>& handlers() {
    static QHash<int, Handler> registered;
    return registered;
}
} // namespace

void registerCommand(Command command, Handler handler) {
    handlers().insert(int(command), std::move(handler));
}

bool isRegistered(Command command) {
    return handlers().contains(int(command));
}

void run(Command command, ChildWindow* from, const Preparation& prepare) {
    const Handler handler = handlers().value(int(command));
    if (!handler || !from)
        return;
    try {
        from->runPrologue();
        if (prepare)
            prepare();
        handler(from);
    } catch (const AppError& e) {
        if (!e.isCancel())
            Dialogs::msgBox(e.description());
    }
}

void bind(QAction* item, Command command, ChildWindow* from, Preparation prepare) {
    item->setEnabled(isRegistered(command));
    QPointer<ChildWindow> window(from);
    QObject::connect(item, &QAction::triggered, from, [command, window, prepare] {
        if (window && !window->isClosed())
            run(command, window, prepare);
    });
}

void clear() {
    handlers().clear();
}

} // namespace SubsystemCommands

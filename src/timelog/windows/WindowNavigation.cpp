#include "WindowNavigation.h"

#include "core/logic/SharedState.h"
#include "core/windows/ChildWindow.h"
#include "core/windows/EditCommands.h"
#include "core/windows/Forms.h"
#include "core/windows/frmBrowser.h"
#include "platform/data/AppError.h"

namespace {

// Where this window stands among the loaded windows; the count when it is not found.
int indexOf(const QList<QWidget*>& forms, const ChildWindow* from) {
    for (int i = 0; i < forms.size(); ++i)
        if (Forms::caption(forms[i]) == from->Caption())
            return i;
    return int(forms.size());
}

// Told apart by the window's kind, not its caption: "Contact Database" holds "Data" too.
void focus(QWidget* target) {
    Forms::setFocus(target);
    const auto* child = qobject_cast<const ChildWindow*>(target);
    if (!child)
        return;
    if (child->kind() == ChildWindow::Kind::Display) {
        gblnDisplayActive = true;
        gblnEntryActive = false;
        gstrDisplayIndex = Forms::tag(target);
    } else {
        gblnDisplayActive = false;
        gblnEntryActive = true;
        gstrEntryIndex = Forms::tag(target);
    }
}

void showOwnFile(ChildWindow* from) {
    from->setStatusText(from->path());
}

} // namespace

namespace WindowNavigation {

void back(ChildWindow* from) {
    const QList<QWidget*> forms = Forms::list();
    int i = indexOf(forms, from);
    if (i == 1)
        i = int(forms.size());
    do {
        if (i < 1) {
            showOwnFile(from);
            return;
        }
        --i;
    } while (!Forms::isMdiChild(forms[i]));
    focus(forms[i]);
}

void forward(ChildWindow* from) {
    const QList<QWidget*> forms = Forms::list();
    int i = indexOf(forms, from) + 1;
    if (i > forms.size() - 1)
        i = 1;
    if (i >= forms.size() || !Forms::isMdiChild(forms[i])) {
        showOwnFile(from);
        return;
    }
    focus(forms[i]);
}

void runToolbarButton(ChildWindow* from, const QString& key, const std::function<void()>& own) {
    try {
        if (key == QLatin1String("Back"))
            back(from);
        else if (key == QLatin1String("Forward"))
            forward(from);
        else if (key == QLatin1String("Cut"))
            EditCommands::cut();
        else if (key == QLatin1String("Copy"))
            EditCommands::copy();
        else if (key == QLatin1String("Paste"))
            EditCommands::paste();
        else if (key == QLatin1String("Help"))
            frmBrowser::showModeless(); // the Help menus show it modal
        else
            own();
    } catch (const AppError& e) {
        from->setStatusText(e.description());
    }
}

} // namespace WindowNavigation

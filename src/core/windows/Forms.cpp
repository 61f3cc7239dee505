#include "Forms.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QVariant>
#include <QWidget>

namespace {
QList<QPointer<QWidget>>& loaded() {
    static QList<QPointer<QWidget>> forms;
    return forms;
}

QMdiSubWindow* frameOf(const QWidget* form) {
    return form ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}
} // namespace

namespace Forms {

void add(QWidget* form) {
    if (form && !loaded().contains(form))
        loaded().append(form);
}

void remove(QWidget* form) {
    loaded().removeAll(form);
}

QList<QWidget*> list() {
    QList<QWidget*> forms;
    for (const QPointer<QWidget>& p : std::as_const(loaded()))
        if (p)
            forms.append(p.data());
    return forms;
}

int count() {
    return int(list().size());
}

QString tag(const QWidget* form) {
    return form ? form->property("Tag").toString() : QString();
}

void setTag(QWidget* form, const QString& tag) {
    form->setProperty("Tag", tag);
}

QString caption(const QWidget* form) {
    return form ? form->windowTitle() : QString();
}

bool isMdiChild(const QWidget* form) {
    return frameOf(form) != nullptr;
}

void setFocus(QWidget* form) {
    if (!form)
        return;
    if (QMdiSubWindow* frame = frameOf(form)) {
        if (QMdiArea* area = frame->mdiArea())
            area->setActiveSubWindow(frame);
        frame->setFocus();
        return;
    }
    form->activateWindow();
    form->raise();
    form->setFocus();
}

bool close(QWidget* form) {
    if (!form)
        return true;
    if (QMdiSubWindow* frame = frameOf(form))
        return frame->close();
    return form->close();
}

void reset() {
    loaded().clear();
}

} // namespace Forms

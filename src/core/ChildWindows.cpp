#include "ChildWindows.h"

#include "SharedState.h"

#include <QMdiArea>
#include <QMdiSubWindow>

QList<QPointer<ChildWindow>> gfrmDisplays;
QList<QPointer<ChildWindow>> gfrmEntries;

namespace {

ChildWindowFactory g_displayFactory;
ChildWindowFactory g_entryFactory;
QPointer<QMdiArea> g_area;

QList<QPointer<ChildWindow>>& arrayOf(ChildWindow::Kind kind) {
    return kind == ChildWindow::Kind::Display ? gfrmDisplays : gfrmEntries;
}

QString captionPrefix(ChildWindow::Kind kind) {
    return kind == ChildWindow::Kind::Display ? QStringLiteral("Display form ")
                                              : QStringLiteral("Data entry form ");
}

ChildWindow* makeWindow(ChildWindow::Kind kind) {
    const ChildWindowFactory& factory =
        kind == ChildWindow::Kind::Display ? g_displayFactory : g_entryFactory;
    return factory ? factory() : new ChildWindow(kind);
}

void show(QWidget* window) {
    if (g_area) {
        QMdiSubWindow* frame = g_area->addSubWindow(window);
        // A new child window takes most of the main window, leaving room to see the others.
        const QSize room =
            g_area->isVisible() ? g_area->viewport()->size() : g_area->window()->size();
        const QSize size(qMax(room.width() * 3 / 4, 480), qMax(room.height() * 3 / 4, 360));
        frame->resize(size);
        // Each new window steps down and right from the one before, as a cascade does, and
        // starts over at the top left before it would leave the area.
        const int step = 24;
        const int others = int(g_area->subWindowList().size()) - 1;
        const int fits =
            qMax(1, qMin(room.width() - size.width(), room.height() - size.height()) / step + 1);
        frame->move(others % fits * step, others % fits * step);
        frame->show();
        g_area->setActiveSubWindow(frame);
    } else {
        window->show();
    }
}

// Makes element n of a kind's array: the window loads, then gets its tag, caption and path.
ChildWindow* makeElement(ChildWindow::Kind kind, int n) {
    QList<QPointer<ChildWindow>>& array = arrayOf(kind);
    while (array.size() <= n)
        array.append(nullptr);
    ChildWindow* window = makeWindow(kind);
    array[n] = window;
    const QString tag = QString::number(n + 1);
    window->setTag(tag);
    if (kind == ChildWindow::Kind::Display) {
        gstrDisplayIndex = tag;
        glngDisplayUBound = n;
    } else {
        gstrEntryIndex = tag;
        glngEntryUBound = n;
    }
    window->setCaption(captionPrefix(kind) + tag);
    window->setPath(gstrDatabasePath);
    return window;
}

void newWindow(ChildWindow::Kind kind) {
    const int n = int(arrayOf(kind).size());
    show(makeElement(kind, n));
}

QList<QMdiSubWindow*> arrangeable() {
    QList<QMdiSubWindow*> frames;
    if (!g_area)
        return frames;
    for (QMdiSubWindow* frame : g_area->subWindowList(QMdiArea::CreationOrder))
        if (frame->isVisible() && !frame->isMinimized())
            frames.append(frame);
    return frames;
}

void tile(bool stacked) {
    const QList<QMdiSubWindow*> frames = arrangeable();
    if (frames.isEmpty())
        return;
    const QRect area = g_area->viewport()->rect();
    const int n = int(frames.size());
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* frame = frames[i];
        if (frame->isMaximized())
            frame->showNormal();
        if (stacked) {
            const int top = area.height() * i / n;
            frame->setGeometry(0, top, area.width(), area.height() * (i + 1) / n - top);
        } else {
            const int left = area.width() * i / n;
            frame->setGeometry(left, 0, area.width() * (i + 1) / n - left, area.height());
        }
    }
}

} // namespace

void setChildWindowFactory(ChildWindow::Kind kind, ChildWindowFactory factory) {
    (kind == ChildWindow::Kind::Display ? g_displayFactory : g_entryFactory) = std::move(factory);
}

void setChildWindowArea(QMdiArea* area) {
    g_area = area;
}

QMdiArea* childWindowArea() {
    return g_area;
}

void showChildWindow(QWidget* window) {
    show(window);
}

void NewDisplayForm() {
    newWindow(ChildWindow::Kind::Display);
}

void NewDataEntryForm() {
    newWindow(ChildWindow::Kind::Entry);
}

void NewFirstChildWindow(ChildWindow::Kind kind) {
    arrayOf(kind).clear();
    ChildWindow* window = makeElement(kind, 0);
    window->setSqlWhereCaption(gstrRecordSource);
    show(window);
}

ChildWindow* childWindow(ChildWindow::Kind kind, const QString& tag) {
    bool ok = false;
    const int index = tag.toInt(&ok) - 1;
    const QList<QPointer<ChildWindow>>& array = arrayOf(kind);
    if (!ok || index < 0 || index >= array.size())
        return nullptr;
    ChildWindow* window = array[index];
    return window && !window->isClosed() ? window : nullptr;
}

ChildWindow* currentDisplayWindow() {
    return childWindow(ChildWindow::Kind::Display, gstrDisplayIndex);
}

ChildWindow* currentEntryWindow() {
    return childWindow(ChildWindow::Kind::Entry, gstrEntryIndex);
}

QList<ChildWindow*> openChildWindows() {
    QList<ChildWindow*> windows;
    if (!g_area)
        return windows;
    for (QMdiSubWindow* frame : g_area->subWindowList(QMdiArea::CreationOrder))
        if (auto* w = qobject_cast<ChildWindow*>(frame->widget()); w && !w->isClosed())
            windows.append(w);
    return windows;
}

ChildWindow* activeChildWindow() {
    if (!g_area || !g_area->activeSubWindow())
        return nullptr;
    return qobject_cast<ChildWindow*>(g_area->activeSubWindow()->widget());
}

void CascadeWindows() {
    if (g_area)
        g_area->cascadeSubWindows();
}

void TileWindowsHorizontally() {
    tile(true);
}

void TileWindowsVertically() {
    tile(false);
}

void resetChildWindows() {
    gfrmDisplays.clear();
    gfrmEntries.clear();
}

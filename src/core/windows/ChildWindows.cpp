#include "ChildWindows.h"

#include "core/logic/SharedState.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

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

// The size of a window that is not tiled: most of the area, leaving room to see the others,
// and never less than the window needs for its own layout.
QSize usableSize(const QMdiSubWindow* frame, const QSize& room) {
    return QSize(qMax(room.width() * 3 / 4, 480), qMax(room.height() * 3 / 4, 360))
        .expandedTo(frame->minimumSizeHint());
}

// Where the k-th window of a cascade stands: each one steps down and right from the one before
// (by about a title bar) and they start over at the top left before one would leave the area.
QPoint cascadePosition(int k, const QSize& room, const QSize& size) {
    const int step = 24;
    const int fits =
        qMax(1, qMin(room.width() - size.width(), room.height() - size.height()) / step + 1);
    return QPoint(k % fits * step, k % fits * step);
}

QSize roomOf(const QMdiArea* area) {
    return area->isVisible() ? area->viewport()->size() : area->window()->size();
}

void show(QWidget* window) {
    if (g_area) {
        QMdiSubWindow* frame = g_area->addSubWindow(window);
        // A new window takes its place in the cascade of those already open.
        const QSize room = roomOf(g_area);
        const QSize size = usableSize(frame, room);
        frame->resize(size);
        frame->move(cascadePosition(int(g_area->subWindowList().size()) - 1, room, size));
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

// The windows an arrangement moves: those shown and not minimised.
QList<QMdiSubWindow*> arrangeable(QMdiArea::WindowOrder order = QMdiArea::CreationOrder) {
    QList<QMdiSubWindow*> frames;
    if (!g_area)
        return frames;
    for (QMdiSubWindow* frame : g_area->subWindowList(order))
        if (frame->isVisible() && !frame->isMinimized())
            frames.append(frame);
    return frames;
}

// Shares the area out among the windows, each the full height (side by side) or the full width
// (stacked). A window never gets less than its layout needs: when they do not all fit, they
// still follow each other without overlap and the area scrolls.
void tile(bool stacked) {
    const QList<QMdiSubWindow*> frames = arrangeable();
    if (frames.isEmpty())
        return;
    const QRect area = g_area->viewport()->rect();
    const int n = int(frames.size());
    const int length = stacked ? area.height() : area.width();
    QList<int> lengths;
    int total = 0;
    for (int i = 0; i < n; ++i) {
        const QSize least = frames[i]->minimumSizeHint();
        lengths << qMax(length * (i + 1) / n - length * i / n,
                        stacked ? least.height() : least.width());
        total += lengths.last();
    }
    // Windows that run beyond the area bring a scroll bar, which takes its share of the width
    // (or the height) that they all get.
    int across = stacked ? area.width() : area.height();
    if (total > length)
        across -= g_area->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, g_area);
    int start = 0;
    for (int i = 0; i < n; ++i) {
        QMdiSubWindow* frame = frames[i];
        if (frame->isMaximized())
            frame->showNormal();
        const QSize least = frame->minimumSizeHint();
        if (stacked)
            frame->setGeometry(0, start, qMax(across, least.width()), lengths[i]);
        else
            frame->setGeometry(start, 0, lengths[i], qMax(across, least.height()));
        start += lengths[i];
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

QList<QWidget*> openWindowsInArea() {
    QList<QWidget*> windows;
    if (!g_area)
        return windows;
    for (QMdiSubWindow* frame : g_area->subWindowList(QMdiArea::CreationOrder)) {
        QWidget* w = frame->widget();
        // A closed frame lingers until Qt deletes it.
        if (!w || frame->isHidden())
            continue;
        if (auto* child = qobject_cast<ChildWindow*>(w); child && child->isClosed())
            continue;
        windows.append(w);
    }
    return windows;
}

ChildWindow* activeChildWindow() {
    if (!g_area || !g_area->activeSubWindow())
        return nullptr;
    return qobject_cast<ChildWindow*>(g_area->activeSubWindow()->widget());
}

void CascadeWindows() {
    if (!g_area)
        return;
    // Qt's own cascade sizes each window by its size hint, which leaves a window laid out in
    // twips a bare title bar. Here each keeps a usable size, and the window in front (the
    // active one) ends up last, in front.
    const QSize room = g_area->viewport()->size();
    int k = 0;
    for (QMdiSubWindow* frame : arrangeable(QMdiArea::StackingOrder)) {
        if (frame->isMaximized())
            frame->showNormal();
        const QSize size = usableSize(frame, room);
        frame->setGeometry(QRect(cascadePosition(k++, room, size), size));
        frame->raise();
    }
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

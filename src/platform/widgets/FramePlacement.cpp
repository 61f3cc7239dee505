#include "FramePlacement.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

const char* const WatcherName = "FramePlacementWatcher";

QMargins frameMargins(const QWidget* window) {
    const QRect inner = window->geometry();
    const QRect outer = window->frameGeometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

void apply(QWidget* window, const QRect& frame, const QMargins& margins) {
    window->resize(frame.size().shrunkBy(margins).expandedTo(window->minimumSize()));
    window->move(frame.topLeft()); // a window's position is that of its frame
}

// Gives a window its size once the window manager has framed it, then goes.
class FrameWatcher : public QObject {
public:
    FrameWatcher(QWidget* window, const QRect& frame)
        : QObject(window), m_window(window), m_frame(frame) {
        setObjectName(QLatin1String(WatcherName));
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_window)
            return false;
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
            break;
        case QEvent::WindowStateChange:
            // The user (or the program) maximised it first: the normal frame is theirs now.
            if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
                deleteLater();
            return false;
        default:
            return false;
        }
        const QMargins margins = frameMargins(m_window);
        if (!margins.isNull() && !m_done) {
            m_done = true;
            apply(m_window, m_frame, margins);
            deleteLater();
        }
        return false;
    }

private:
    QPointer<QWidget> m_window;
    QRect m_frame;
    bool m_done = false;
};

} // namespace

namespace FramePlacement {

QRect normalFrame(const QWidget* window) {
    const QRect normal =
        window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    return normal.marginsAdded(frameMargins(window));
}

void place(QWidget* window, const QRect& frame) {
    // A later placement replaces one still waiting for the frame.
    for (QObject* earlier :
         window->findChildren<QObject*>(QLatin1String(WatcherName), Qt::FindDirectChildrenOnly))
        delete earlier;
    const QMargins margins = frameMargins(window);
    apply(window, frame, margins);
    if (margins.isNull())
        new FrameWatcher(window, frame);
}

} // namespace FramePlacement

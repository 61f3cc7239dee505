#include "WhenDrawn.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace {

class DrawnWatch : public QObject {
public:
    DrawnWatch(QWidget* window, QObject* context, std::function<void()> fn)
        : QObject(context), m_fn(std::move(fn)) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The paint event comes before the drawing reaches the screen; the work waits until
        // the event loop is back, after it.
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, parent(), std::move(m_fn));
            deleteLater();
        }
        return false;
    }

private:
    std::function<void()> m_fn;
};

} // namespace

void runWhenDrawn(QWidget* window, QObject* context, std::function<void()> fn) {
    new DrawnWatch(window, context, std::move(fn));
}

void showAndWaitUntilDrawn(QWidget* window) {
    if (window->isVisible())
        return;
    QEventLoop loop;
    runWhenDrawn(window, &loop, [&loop] { loop.quit(); });
    QTimer::singleShot(2000, &loop, &QEventLoop::quit);
    window->show();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

#include "Clock.h"

namespace {
QDateTime g_fixed;
}

namespace Clock {

QDateTime now() {
    if (g_fixed.isValid())
        return g_fixed;
    QDateTime t = QDateTime::currentDateTime();
    t.setTime(QTime(t.time().hour(), t.time().minute(), t.time().second()));
    return t;
}

QDate today() {
    return now().date();
}

void setNow(const QDateTime& fixed) {
    g_fixed = fixed;
    if (g_fixed.isValid()) {
        const QTime t = g_fixed.time();
        g_fixed.setTime(QTime(t.hour(), t.minute(), t.second()));
    }
}

void reset() {
    g_fixed = QDateTime();
}

} // namespace Clock

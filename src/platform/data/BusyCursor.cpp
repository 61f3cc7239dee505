#include "BusyCursor.h"

#include <QCursor>
#include <QGuiApplication>

BusyCursor::BusyCursor() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        m_active = true;
    }
}

BusyCursor::~BusyCursor() {
    release();
}

void BusyCursor::release() {
    if (m_active) {
        QGuiApplication::restoreOverrideCursor();
        m_active = false;
    }
}

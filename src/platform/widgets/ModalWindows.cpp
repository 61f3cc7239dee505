#include "ModalWindows.h"

#include "WindowTitles.h"

#include <QDialog>

namespace ModalWindows {

namespace {
Answerer* g_answerer = nullptr;
} // namespace

int exec(QDialog& window) {
    WindowTitles::fitTitle(window);
    if (!g_answerer)
        return window.exec();
    // Shown modal as exec() shows it, so that what the window does on showing and what the
    // answerer does (clicks, keys, focus) happen as they would for a user.
    const bool wasShowModal = window.testAttribute(Qt::WA_ShowModal);
    const bool deleteOnClose = window.testAttribute(Qt::WA_DeleteOnClose);
    window.setAttribute(Qt::WA_DeleteOnClose, false);
    window.setAttribute(Qt::WA_ShowModal, true);
    window.setResult(0);
    window.show();
    g_answerer->respond(window);
    if (window.isVisible())
        window.reject();
    window.setAttribute(Qt::WA_ShowModal, wasShowModal);
    const int result = window.result();
    if (deleteOnClose)
        delete &window; // as exec() deletes such a window once it is closed
    return result;
}

void setAnswerer(Answerer* answerer) {
    g_answerer = answerer;
}

Answerer* answerer() {
    return g_answerer;
}

} // namespace ModalWindows

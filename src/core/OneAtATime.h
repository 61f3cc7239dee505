#pragma once

#include "Forms.h"
#include "platform/ModalWindows.h"

#include <QPointer>

// A window of which one at a time is open: asking for it while it is open brings the open one
// to the front instead of opening a second. The window calls forget() as it closes, so that
// the next request opens a new one at once, though Qt deletes the old one a little later.
template <class Window>
class OneAtATime {
public:
    Window* loaded() const { return m_open; }

    // Modal: returns when the window closes. make() gives a new window.
    template <class Make>
    void showModal(Make make) {
        if (raiseOpen())
            return;
        m_open = make();
        ModalWindows::exec(*m_open);
    }

    // Modeless: returns at once.
    template <class Make>
    void showModeless(Make make) {
        if (raiseOpen())
            return;
        m_open = make();
        m_open->show();
        Forms::setFocus(m_open);
    }

    void forget(const Window* window) {
        if (m_open == window)
            m_open = nullptr;
    }

private:
    bool raiseOpen() {
        if (!m_open)
            return false;
        Forms::setFocus(m_open);
        return true;
    }

    QPointer<Window> m_open;
};

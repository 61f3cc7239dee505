#pragma once

#include "Forms.h"
#include "frmMain.h"
#include "platform/widgets/ModalWindows.h"

#include <QDialog>
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

// The program's own dialogs of which one at a time is loaded (the tip of the day, the welcome
// window, the about box), owned by the main window. Each is among the loaded windows from its
// making to its close, so Exit closes a modeless one with the rest; it is deleted on closing.
// The window's constructor is private, with this class its friend.
template <class Window>
class OneAtATimeDialog : public QDialog {
public:
    static void showModal() {
        single().showModal([] { return new Window(frmMain::instance()); });
    }
    static void showModeless() {
        single().showModeless([] { return new Window(frmMain::instance()); });
    }
    static Window* loaded() { return single().loaded(); }

protected:
    OneAtATimeDialog(QWidget* parent, const char* name, const QString& caption) : QDialog(parent) {
        setAttribute(Qt::WA_DeleteOnClose);
        setObjectName(QLatin1String(name));
        setWindowTitle(caption);
        Forms::add(this);
    }

    // Every way out (a command, Esc, the close box, Exit) ends here. A dialog deleted with the
    // main window drops out by itself: both lists hold it by a guarded pointer.
    void done(int result) override {
        Forms::remove(this);
        single().forget(static_cast<Window*>(this));
        QDialog::done(result);
    }

private:
    static OneAtATime<Window>& single() {
        static OneAtATime<Window> window;
        return window;
    }
};

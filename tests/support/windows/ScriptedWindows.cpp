#include "ScriptedWindows.h"

#include "StandIns.h"

namespace {

void install(ScriptedWindows* answerer) {
    ModalWindows::setAnswerer(answerer);
}

} // namespace

ScriptedWindows::ScriptedWindows() {
    StandIns<ScriptedWindows>::add(this, install);
}

ScriptedWindows::~ScriptedWindows() {
    StandIns<ScriptedWindows>::remove(this, install);
}

void ScriptedWindows::leave() {
    m_script.enqueue([](QDialog&) {});
}

void ScriptedWindows::respond(QDialog& window) {
    m_shown.append({QLatin1String(window.metaObject()->className()), window.windowTitle()});
    if (m_script.isEmpty())
        return;
    const bool failedBefore = QTest::currentTestFailed();
    m_script.dequeue()(window);
    if (failedBefore || !QTest::currentTestFailed())
        return;
    // A check failed in the window, which returned from the script's step only: the test
    // function has failed. The window is closed when this returns (what is left open is), and
    // the rest of the script, written for what would have followed, is dropped: every later
    // window of this test function closes without a choice, and none waits for a user.
    qWarning("The script failed in a %s; it was closed, and the rest of the script dropped.",
             window.metaObject()->className());
    m_script.clear();
}

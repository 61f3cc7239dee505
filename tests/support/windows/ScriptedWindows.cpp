#include "ScriptedWindows.h"

ScriptedWindows::ScriptedWindows() : m_previous(ModalWindows::answerer()) {
    ModalWindows::setAnswerer(this);
}

ScriptedWindows::~ScriptedWindows() {
    ModalWindows::setAnswerer(m_previous);
}

void ScriptedWindows::leave() {
    m_script.enqueue([](QDialog&) {});
}

void ScriptedWindows::respond(QDialog& window) {
    m_shown.append({QLatin1String(window.metaObject()->className()), window.windowTitle()});
    if (!m_script.isEmpty())
        m_script.dequeue()(window);
}

#include "ScriptedDialogs.h"

#include "StandIns.h"

#include <QCursor>
#include <QGuiApplication>

namespace {

bool busyPointer() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor;
}

void install(ScriptedDialogs* answerer) {
    Dialogs::setAnswerer(answerer);
}

} // namespace

ScriptedDialogs::ScriptedDialogs() {
    StandIns<ScriptedDialogs>::add(this, install);
}

ScriptedDialogs::~ScriptedDialogs() {
    StandIns<ScriptedDialogs>::remove(this, install);
}

void ScriptedDialogs::answer(int vbAnswer) {
    m_answers.enqueue(vbAnswer);
}
void ScriptedDialogs::answerInput(const QString& text) {
    m_inputs.enqueue(text);
}
void ScriptedDialogs::cancelInput() {
    m_inputs.enqueue(std::nullopt);
}
void ScriptedDialogs::answerFile(const QString& path) {
    m_files.enqueue(path);
}
void ScriptedDialogs::cancelFile() {
    m_files.enqueue(std::nullopt);
}
void ScriptedDialogs::answerFont(const QString& name, const QString& size) {
    m_fonts.enqueue(Dialogs::FontChoice{name, size});
}
void ScriptedDialogs::cancelFont() {
    m_fonts.enqueue(std::nullopt);
}

QStringList ScriptedDialogs::messages() const {
    QStringList texts;
    for (const Shown& s : m_shown)
        if (s.kind == Shown::Message)
            texts << s.text;
    return texts;
}

QString ScriptedDialogs::lastMessage() const {
    const QStringList texts = messages();
    return texts.isEmpty() ? QString() : texts.last();
}

void ScriptedDialogs::clear() {
    m_shown.clear();
}

int ScriptedDialogs::pending() const {
    return int(m_answers.size() + m_inputs.size() + m_files.size() + m_fonts.size());
}

int ScriptedDialogs::msgBox(const QString& prompt, int style, const QString& title) {
    m_shown.append({Shown::Message, prompt, title, style, {}, {}, busyPointer()});
    const int buttons = style & 7;
    if (buttons == Dialogs::vbOKOnly)
        return Dialogs::vbOK;
    if (!m_answers.isEmpty())
        return m_answers.dequeue();
    static const int answers[6][3] = {{Dialogs::vbOK, 0, 0},
                                      {Dialogs::vbOK, Dialogs::vbCancel, 0},
                                      {Dialogs::vbAbort, Dialogs::vbRetry, Dialogs::vbIgnore},
                                      {Dialogs::vbYes, Dialogs::vbNo, Dialogs::vbCancel},
                                      {Dialogs::vbYes, Dialogs::vbNo, 0},
                                      {Dialogs::vbRetry, Dialogs::vbCancel, 0}};
    const int index = (style & Dialogs::vbDefaultButton3)   ? 2
                      : (style & Dialogs::vbDefaultButton2) ? 1
                                                            : 0;
    const int result = buttons < 6 ? answers[buttons][index] : 0;
    return result != 0 ? result : answers[buttons < 6 ? buttons : 0][0];
}

std::optional<QString> ScriptedDialogs::inputBox(const QString& prompt, const QString& title,
                                                 const QString&) {
    m_shown.append({Shown::Input, prompt, title, 0, {}, {}, busyPointer()});
    return m_inputs.isEmpty() ? std::nullopt : m_inputs.dequeue();
}

std::optional<QString> ScriptedDialogs::fileDialog(const Dialogs::FileRequest& request) {
    m_shown.append(
        {Shown::File, request.title, request.title, request.flags, request, {}, busyPointer()});
    return m_files.isEmpty() ? std::nullopt : m_files.dequeue();
}

std::optional<Dialogs::FontChoice>
ScriptedDialogs::fontDialog(const Dialogs::FontRequest& request) {
    m_shown.append(
        {Shown::Font, request.title, request.title, request.flags, {}, request, busyPointer()});
    return m_fonts.isEmpty() ? std::nullopt : m_fonts.dequeue();
}

#include "EditCommands.h"

#include "ChildWindows.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextEdit>

namespace {

// The focused text control of the active child window: a line edit or a text box.
QWidget* focusedTextControl() {
    ChildWindow* active = activeChildWindow();
    QWidget* focus = QApplication::focusWidget();
    if (!active || !focus || !active->isAncestorOf(focus))
        return nullptr;
    if (auto* combo = qobject_cast<QComboBox*>(focus))
        return combo->lineEdit();
    if (qobject_cast<QLineEdit*>(focus) || qobject_cast<QTextEdit*>(focus))
        return focus;
    // A text box's viewport can hold the focus for it.
    if (auto* text = qobject_cast<QTextEdit*>(focus->parentWidget()))
        return text;
    return nullptr;
}

QString selectedText(QWidget* control) {
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->selectedText();
    if (auto* text = qobject_cast<QTextEdit*>(control)) {
        QString selected = text->textCursor().selectedText();
        selected.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        selected.replace(QChar::LineSeparator, QLatin1Char('\n'));
        selected.remove(QChar::ObjectReplacementCharacter);
        return selected;
    }
    return {};
}

bool hasSelection(QWidget* control) {
    if (auto* line = qobject_cast<QLineEdit*>(control))
        return line->hasSelectedText();
    if (auto* text = qobject_cast<QTextEdit*>(control))
        return text->textCursor().hasSelection();
    return false;
}

void replaceSelection(QWidget* control, const QString& replacement) {
    if (auto* line = qobject_cast<QLineEdit*>(control)) {
        if (line->isReadOnly())
            return;
        line->insert(replacement);
    } else if (auto* text = qobject_cast<QTextEdit*>(control)) {
        if (text->isReadOnly())
            return;
        text->insertPlainText(replacement);
    }
}

} // namespace

namespace EditCommands {

void copy() {
    QWidget* control = focusedTextControl();
    if (!control)
        return;
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    const QString selected = selectedText(control);
    if (!selected.isEmpty())
        clipboard->setText(selected);
}

void cut() {
    QWidget* control = focusedTextControl();
    if (!control)
        return;
    copy();
    if (hasSelection(control))
        replaceSelection(control, QString());
}

void paste() {
    if (QWidget* control = focusedTextControl())
        replaceSelection(control, QGuiApplication::clipboard()->text());
}

void deleteSelection() {
    QWidget* control = focusedTextControl();
    if (control && hasSelection(control))
        replaceSelection(control, QString());
}

void selectAll(QTextEdit* notes) {
    if (!notes)
        return;
    QTextCursor cursor(notes->document());
    cursor.select(QTextCursor::Document);
    notes->setTextCursor(cursor);
}

} // namespace EditCommands

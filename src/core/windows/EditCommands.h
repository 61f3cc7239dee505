#pragma once

class QTextEdit;

// The Edit commands of the child windows. Each acts on the focused text control of the main
// window's active child window, through the clipboard's text; on any other control (a date
// picker) it does nothing.
namespace EditCommands {

// The clipboard is emptied, then holds the selected text (only its plain text).
void copy();
// As copy, then the selection is removed.
void cut();
// The selection is replaced by the clipboard's text ("" when the clipboard holds none).
void paste();
// The selection is removed; the clipboard is not touched.
void deleteSelection();
// Selects all of the notes box, without moving the focus.
void selectAll(QTextEdit* notes);

} // namespace EditCommands

#pragma once

class QDialog;

// Every modal window of the program's own (a pick list, a date range, a list dialog, a report
// preview ...) is shown through here, as every message box goes through Dialogs, so that tests
// can answer it with a script: make their choices in it, then close it.
namespace ModalWindows {

// Shows the window modally and returns when it is closed, with its result (QDialog::Accepted,
// Rejected, or what done() was given). A window that deletes itself on close is gone then.
int exec(QDialog& window);

// What answers the modal windows instead of a user (tests). It gets each window shown and
// modal, acts in it as a user would, and closes it; a window it leaves open is closed with
// reject(), as Esc closes it.
class Answerer {
public:
    virtual ~Answerer() = default;
    virtual void respond(QDialog& window) = 0;
};

// Installs an answerer; nullptr puts the user back.
void setAnswerer(Answerer* answerer);
Answerer* answerer();

} // namespace ModalWindows

#pragma once

#include "ListDialog.h"

// The activities list ("Activities List"): the stock phrases of a log. Besides keeping the
// table, it inserts the phrases picked into the summary line or the notes of the Data entry
// window that opened it, whichever had the focus last. Esc in the entry box is Return here;
// Enter in the list inserts and closes, Esc there closes, a double click is Done.
class frmActivity : public ListDialog {
    Q_OBJECT

public:
    explicit frmActivity(QWidget* parent = nullptr);

    void mnuDone_Click() override;
    void Text1_KeyPress(int KeyAscii) override;
    void List1_KeyPress(int KeyAscii) override;
    void List1_DblClick();

protected:
    void escapeKey() override;

private:
    // The selected phrases go in at the caret of the target window's summary line or notes.
    void insertSelection();
    // Closes the window; the target window's summary line takes the focus.
    void closeToSummary(int result);
};

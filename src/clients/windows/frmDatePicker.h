#pragma once

#include <QDialog>

class QAction;
class DateBox;

// The closure date dialog of a deactivation: one date, today's to begin with. Done stores it
// in gvarClosureDate and the result is Accepted; Return stores nothing.
class frmDatePicker : public QDialog {
    Q_OBJECT

public:
    explicit frmDatePicker(QWidget* parent = nullptr);

    void Form_Load();
    void mnuDone_Click();
    void mnuReturn_Click();

    DateBox* DTPicker1;
    QAction* mnuReturn;
    QAction* mnuDone;

protected:
    // Enter is Done, as Esc is Return.
    void keyPressEvent(QKeyEvent* event) override;
};

#pragma once

#include <QDialog>

class QAction;
class DateBox;
class QGroupBox;

// The date range dialog: a start and an end date. The caller shows it (ModalWindows::exec) and
// reads gvarBeginDate and gvarEndDate. The result is Accepted only when a range was chosen; only
// a range whose end is not before its start is ever stored, and Return stores nothing.
class frmSearchDatePicker : public QDialog {
    Q_OBJECT

public:
    explicit frmSearchDatePicker(QWidget* parent = nullptr);

    void Form_Load();
    void mnuContinue_Click();
    void mnuReturn_Click();

    QGroupBox* Frame1; // "Start date"
    QGroupBox* Frame2; // "End date"
    DateBox* DTPicker1;
    DateBox* DTPicker2;
    QAction* mnuReturn;
    QAction* mnuContinue;
};

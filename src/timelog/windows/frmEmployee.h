#pragma once

#include "ListDialog.h"

// The employees list, named with the user's term for the employee field; it also picks the
// default employee that new Data entry windows and new logs start with.
class frmEmployee : public ListDialog {
    Q_OBJECT

public:
    explicit frmEmployee(QWidget* parent = nullptr);

    // The list's current item, when it is selected, becomes the default employee.
    void mnuDefaultEmployee_Click();

    QAction* mnuDefaultEmployee;
};

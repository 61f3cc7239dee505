#pragma once

#include "ListDialog.h"

// The rates list ("Rates List"): the rates of the rate box, kept as text.
class frmRate : public ListDialog {
    Q_OBJECT

public:
    explicit frmRate(QWidget* parent = nullptr);
};

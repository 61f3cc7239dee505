#pragma once

#include "ListDialog.h"

// The projects list, named with the user's term for the project field.
class frmProject : public ListDialog {
    Q_OBJECT

public:
    explicit frmProject(QWidget* parent = nullptr);
};

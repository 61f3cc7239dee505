#pragma once

#include "ListDialog.h"

// The clients list, named with the user's term for the client field: the only place where
// active clients are added by hand (a new client has its two names and nothing more).
class frmClient : public ListDialog {
    Q_OBJECT

public:
    explicit frmClient(QWidget* parent = nullptr);
};

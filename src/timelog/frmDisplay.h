#pragma once

#include "core/ChildWindow.h"

// A Display window: browses and edits the logs of one database file.
class frmDisplay : public ChildWindow {
    Q_OBJECT

public:
    explicit frmDisplay(QWidget* parent = nullptr);

    void Form_Load();
};

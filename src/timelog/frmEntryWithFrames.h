#pragma once

#include "core/ChildWindow.h"

// A Data entry window: where a time log is typed in and completed.
class frmEntryWithFrames : public ChildWindow {
    Q_OBJECT

public:
    explicit frmEntryWithFrames(QWidget* parent = nullptr);

    void Form_Load();
};

#pragma once

#include <QPointer>
#include <QScrollBar>

class DataControl;

// The scroll bar beside a record navigator. Its value stands for the current row's place among
// the rows (RecordScroll's arithmetic): 0 on the first row, before it and on an empty set, the
// maximum on the last row and after it. It follows every move of the control that it did not
// make itself, with its signals blocked, so that showing a position never moves the rows.
// When the user moves it, it moves the control to the row its value points at (row 1 for a
// value before the first row's share, nothing on an empty set) and keeps the value the user
// gave it; a move that fails or lands elsewhere shows where the control stands.
class RecordScrollBar : public QScrollBar {
    Q_OBJECT
public:
    RecordScrollBar(DataControl* control, int maximum, QWidget* parent = nullptr);

    // Shows the control's position now.
    void mirror();

private:
    void userMoved(int value);

    QPointer<DataControl> m_control;
    bool m_moving = false; // the control is moving to where the user put the bar
};

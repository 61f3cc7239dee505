#pragma once

#include <QListWidget>
#include <QPointer>

class QLineEdit;

// A pick list that lies hidden over its window until called: then it covers the whole window
// and takes the focus. Enter or Esc puts a blank and the selected entry into the text box at
// its caret (replacing what is selected there; nothing when no entry is selected), hides the
// list and gives the focus back to the box.
class PickListOverlay : public QListWidget {
    Q_OBJECT

public:
    PickListOverlay(QWidget* window, QLineEdit* target);

    void open();
    // Enter and Esc in the list.
    void pick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QLineEdit> m_target;
};

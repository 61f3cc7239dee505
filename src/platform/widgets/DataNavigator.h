#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class DataControl;
class QLabel;
class QToolButton;

// The visible part of a data control: first, previous, next and last buttons around its
// caption. Like the original control, a step past either end comes back to the first or the
// last row (after the move has been reported), a step on an empty set is reported as a move
// that finds no row, and an error of its own moves (a refused write, say) is shown in a
// message box after the control's error signal has been handled.
class DataNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DataNavigator(DataControl* control, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const;
    // Whether errors of the buttons' moves are shown (on by default).
    void setShowsErrors(bool on) { m_showsErrors = on; }

    void first();
    void previous();
    void next();
    void last();

private:
    QToolButton* addButton(const QString& name, const QString& text);
    void act(const std::function<void(DataControl&)>& moves);

    QPointer<DataControl> m_control;
    QLabel* m_caption;
    bool m_showsErrors = true;
};

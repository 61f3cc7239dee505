#pragma once

#include <QPointer>
#include <QWidget>

class DataControl;
class QLabel;
class QToolButton;

// The visible part of a data control: first, previous, next and last buttons around its
// caption. Like the original control, a step past either end comes back to the first or the
// last row (after the move has been reported), and a step on an empty set is reported as a
// move that finds no row.
class DataNavigator : public QWidget {
    Q_OBJECT
public:
    explicit DataNavigator(DataControl* control, QWidget* parent = nullptr);

    void setCaption(const QString& caption);
    QString caption() const;

    void first();
    void previous();
    void next();
    void last();

private:
    QToolButton* addButton(const QString& name, const QString& text);

    QPointer<DataControl> m_control;
    QLabel* m_caption;
};

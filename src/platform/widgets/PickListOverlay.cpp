#include "PickListOverlay.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

PickListOverlay::PickListOverlay(QWidget* window, QLineEdit* target)
    : QListWidget(window), m_target(target) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setToolTip(QStringLiteral("Select an item and then press [Enter]"));
    hide();
    window->installEventFilter(this);
}

void PickListOverlay::open() {
    setGeometry(parentWidget()->rect());
    show();
    raise();
    setFocus();
    if (!currentItem() && count() > 0)
        setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

void PickListOverlay::pick() {
    QString text;
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            text += QLatin1Char(' ') + item(row)->text();
    hide();
    if (m_target) {
        m_target->insert(text);
        m_target->setFocus();
    }
}

void PickListOverlay::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        pick();
        event->accept();
        return;
    default:
        QListWidget::keyPressEvent(event);
    }
}

bool PickListOverlay::eventFilter(QObject* watched, QEvent* event) {
    // Covers the window for as long as it is shown, also when the window is resized.
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        setGeometry(parentWidget()->rect());
    return QListWidget::eventFilter(watched, event);
}

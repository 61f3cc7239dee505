#include "DataNavigator.h"

#include "DataControl.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

namespace {
const char* const Hint =
    "Use this Data Navigator to access adjoining records or to go to the first or last record";
}

DataNavigator::DataNavigator(DataControl* control, QWidget* parent)
    : QWidget(parent), m_control(control), m_caption(new QLabel(this)) {
    setToolTip(QString::fromLatin1(Hint));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QToolButton* firstButton = addButton(QStringLiteral("first"), tr("First record"));
    firstButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipBackward));
    QToolButton* previousButton = addButton(QStringLiteral("previous"), tr("Previous record"));
    previousButton->setArrowType(Qt::LeftArrow);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setToolTip(QString::fromLatin1(Hint));
    QToolButton* nextButton = addButton(QStringLiteral("next"), tr("Next record"));
    nextButton->setArrowType(Qt::RightArrow);
    QToolButton* lastButton = addButton(QStringLiteral("last"), tr("Last record"));
    lastButton->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));

    layout->addWidget(firstButton);
    layout->addWidget(previousButton);
    layout->addWidget(m_caption, 1);
    layout->addWidget(nextButton);
    layout->addWidget(lastButton);

    connect(firstButton, &QToolButton::clicked, this, &DataNavigator::first);
    connect(previousButton, &QToolButton::clicked, this, &DataNavigator::previous);
    connect(nextButton, &QToolButton::clicked, this, &DataNavigator::next);
    connect(lastButton, &QToolButton::clicked, this, &DataNavigator::last);
}

QToolButton* DataNavigator::addButton(const QString& name, const QString& text) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setToolTip(QString::fromLatin1(Hint));
    button->setAutoRaise(true);
    return button;
}

void DataNavigator::setCaption(const QString& caption) {
    m_caption->setText(caption);
}

QString DataNavigator::caption() const {
    return m_caption->text();
}

void DataNavigator::first() {
    if (m_control)
        m_control->MoveFirst();
}

void DataNavigator::last() {
    if (m_control)
        m_control->MoveLast();
}

void DataNavigator::previous() {
    if (!m_control)
        return;
    if (m_control->isBOF() ? m_control->MoveFirst() : m_control->MovePrevious()) {
        // The move's handlers have run; a step before the first row comes back to it.
        if (m_control && m_control->isBOF() && !m_control->isEOF())
            m_control->MoveFirst();
    }
}

void DataNavigator::next() {
    if (!m_control)
        return;
    if (m_control->isEOF() ? m_control->MoveLast() : m_control->MoveNext()) {
        if (m_control && m_control->isEOF() && !m_control->isBOF())
            m_control->MoveLast();
    }
}

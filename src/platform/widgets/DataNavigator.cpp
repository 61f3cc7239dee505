#include "DataNavigator.h"

#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/ToolIcons.h"

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
    firstButton->setIcon(styleIcon(style(), QStyle::SP_MediaSkipBackward));
    QToolButton* previousButton = addButton(QStringLiteral("previous"), tr("Previous record"));
    previousButton->setArrowType(Qt::LeftArrow);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setToolTip(QString::fromLatin1(Hint));
    QToolButton* nextButton = addButton(QStringLiteral("next"), tr("Next record"));
    nextButton->setArrowType(Qt::RightArrow);
    QToolButton* lastButton = addButton(QStringLiteral("last"), tr("Last record"));
    lastButton->setIcon(styleIcon(style(), QStyle::SP_MediaSkipForward));

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

void DataNavigator::act(const std::function<void(DataControl&)>& moves) {
    if (!m_control)
        return;
    QStringList errors;
    const QMetaObject::Connection collecting =
        connect(m_control, &DataControl::error, this,
                [&errors](int, const QString& description) { errors << description; });
    moves(*m_control);
    disconnect(collecting);
    if (m_showsErrors)
        for (const QString& description : errors)
            Dialogs::msgBox(description);
}

void DataNavigator::first() {
    act([](DataControl& dc) { dc.MoveFirst(); });
}

void DataNavigator::last() {
    act([](DataControl& dc) { dc.MoveLast(); });
}

// A step before the first row or after the last comes back to it once the move's handlers
// have run (they may have moved the control themselves).
void DataNavigator::previous() {
    act([](DataControl& dc) {
        if ((dc.isBOF() ? dc.MoveFirst() : dc.MovePrevious()) && dc.isBOF() && !dc.isEOF())
            dc.MoveFirst();
    });
}

void DataNavigator::next() {
    act([](DataControl& dc) {
        if ((dc.isEOF() ? dc.MoveLast() : dc.MoveNext()) && dc.isEOF() && !dc.isBOF())
            dc.MoveLast();
    });
}

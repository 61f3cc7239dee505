#include "ToDoItemDialog.h"

#include "core/logic/ListTables.h"
#include "core/logic/LookupLists.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/PickListOverlay.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

using BoxTable::Shape;

// The priority levels side by side, across the whole frame; layOut() places the frame.
constexpr BoxTable::Part Priorities[] = {
    {1, "Frame1", "Priority Level:"},
    {1, "Frame1", "1", "Option1(0)", Shape::Option},
    {1, "Frame1", "2", "Option1(1)", Shape::Option},
    {1, "Frame1", "3", "Option1(2)", Shape::Option},
    {1, "Frame1", "4", "Option1(3)", Shape::Option},
    {1, "Frame1", "5", "Option1(4)", Shape::Option},
};

} // namespace

ToDoItemDialog::ToDoItemDialog(QWidget* owner, const QString& caption, QLineEdit* textBox)
    : QDialog(owner), m_textBox(textBox) {
    setWindowTitle(caption);
    textBox->setParent(this);
    textBox->installEventFilter(this);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &ToDoItemDialog::mnuReturn_Click);

    Toolbar1 = newToolbar(this, "Toolbar1");
    addToolButtons(Toolbar1, {{"Return", "Return"}, {"Done", "Done"}});
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* button) { Toolbar1_ButtonClick(button->data().toString()); });

    DTPicker1 = newDatePicker(this, "DTPicker1", QStringLiteral("Deadline Date"));

    const BoxTable::Built levels = BoxTable::build(Priorities, {this}, {Qt::Horizontal});
    Frame1 = levels.frame("Frame1");
    for (QWidget* option : levels.boxesIn(Frame1))
        Option1 << qobject_cast<QRadioButton*>(option);
    setLevel(3);

    activities = new PickListOverlay(this, textBox);
    activities->setObjectName(QStringLiteral("List3"));

    if (owner) {
        const int offset = Twips::toPixels(200);
        move(owner->pos() + QPoint(offset, offset));
    }
}

void ToDoItemDialog::addDoneCommand() {
    mnuDone = menuBar->addAction(QStringLiteral("&Done"));
    mnuDone->setObjectName(QStringLiteral("mnuDone"));
    connect(mnuDone, &QAction::triggered, this, [this] { mnuDone_Click(); });
}

int ToDoItemDialog::level() const {
    for (int i = 0; i < Option1.size(); ++i)
        if (Option1.at(i)->isChecked())
            return i + 1;
    return 3;
}

void ToDoItemDialog::setLevel(int level) {
    Option1.at(level >= 1 && level <= 5 ? level - 1 : 2)->setChecked(true);
}

void ToDoItemDialog::loadActivities(const Database& db) {
    activities->clear();
    for (const ListItem& item : ListTables::read(db, MainLists::Activities))
        activities->addItem(item.text);
}

QLabel* ToDoItemDialog::newLabel(const char* name, const QString& caption) {
    auto* label = new QLabel(caption, this);
    label->setObjectName(QLatin1String(name));
    return label;
}

void ToDoItemDialog::layOut(QGridLayout* boxes) {
    const int row = boxes->rowCount();
    auto* deadline = new QVBoxLayout;
    deadline->addWidget(newLabel("Label2", QStringLiteral("Deadline Date:")));
    deadline->addWidget(DTPicker1);
    deadline->addStretch();
    boxes->addLayout(deadline, row, 0);
    boxes->addWidget(Frame1, row, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(Toolbar1);
    layout->addLayout(boxes, 1);
}

void ToDoItemDialog::Toolbar1_ButtonClick(const QString& key) {
    if (key == QLatin1String("Return"))
        mnuReturn_Click();
    else if (key == QLatin1String("Done"))
        mnuDone_Click();
}

void ToDoItemDialog::mnuReturn_Click() {
    reject();
}

bool ToDoItemDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_textBox || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        mnuDone_Click();
        return true;
    case Qt::Key_Escape:
        mnuReturn_Click();
        return true;
    case Qt::Key_F3:
        activities->open();
        return true;
    default:
        return false;
    }
}

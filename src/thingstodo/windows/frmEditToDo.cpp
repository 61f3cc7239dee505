#include "frmEditToDo.h"

#include "core/logic/SharedState.h"
#include "core/windows/ControlFonts.h"
#include "platform/data/AppError.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/PickListOverlay.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

frmEditToDo::frmEditToDo(const ToDoItem& item, QWidget* owner)
    : ToDoItemDialog(owner, QStringLiteral("Edit To Do Item"), new QLineEdit), m_item(item) {
    setObjectName(QStringLiteral("frmEditToDo"));
    Text2 = textBox();
    Text2->setObjectName(QStringLiteral("Text2"));
    activities->setObjectName(QStringLiteral("List1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    connect(Text1, &QLineEdit::textChanged, this, &frmEditToDo::Text1_Change);
    connect(Text1, &QLineEdit::returnPressed, this, &frmEditToDo::mnuDone_Click);
    addDoneCommand();

    auto* grid = new QGridLayout;
    grid->addWidget(newLabel("Label1", QStringLiteral("Client or Project:")), 0, 0, 1, 2);
    grid->addWidget(Text1, 1, 0, 1, 2);
    grid->addWidget(newLabel("Label3", QStringLiteral("Thing To Do:")), 2, 0, 1, 2);
    grid->addWidget(Text2, 3, 0, 1, 2);
    grid->setRowStretch(4, 1);
    layOut(grid);
    resize(560, 260);
    Form_Load();
}

void frmEditToDo::Form_Load() {
    applyFontSetting({Text2, Text1}, gstrDefaultFontName, gstrDefaultFontSize);
    DTPicker1->setDate(m_item.deadline.isValid() ? m_item.deadline : Clock::today());
    setLevel(m_item.priority.toInt());
    Text1->setText(m_item.name());
    Text2->setText(m_item.thingToDo);
    try {
        loadActivities(Database::open(gstrDatabasePath));
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in Edit To Do routine: ") + e.description());
    }
    Text2->setFocus();
}

void frmEditToDo::Text1_Change() {
    if (Text1->text() != m_item.name())
        Text1->setText(m_item.name());
}

void frmEditToDo::mnuDone_Click() {
    if (!DTPicker1->commitTyping())
        return;
    gintPriority = level();
    if (Text1->text() != m_item.name()) {
        Dialogs::msgBox(QStringLiteral("You cannot edit the name of a client or a project "
                                       "in a To Do list.  You can, however, delete the selected "
                                       "To Do item and add a new one."));
        return;
    }
    ToDoItem item = m_item;
    item.priority = QString::number(gintPriority);
    item.thingToDo = Text2->text();
    item.deadline = DTPicker1->date();
    if (const auto wrong = ToDoItems::problem(item)) {
        Dialogs::msgBox(*wrong);
        Text2->setFocus();
        return;
    }
    ToDoItems::Changed changed;
    try {
        changed = ToDoItems::change(Database::open(gstrDatabasePath), item);
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in Edit To Do routine: ") + e.description());
        return;
    }
    if (changed.storedAnew)
        Dialogs::msgBox(QStringLiteral("The to-do item \"%1\" (%2) was changed or deleted by "
                                       "another window or program since it was shown, so it was "
                                       "left as it is now; your change is stored as a new item.")
                            .arg(m_item.thingToDo, m_item.name()));
    m_changed = changed.item;
    accept();
}

#include "frmAddToToDo.h"

#include "core/logic/ListTables.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ControlFonts.h"
#include "platform/data/AppError.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/data/Settings.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/PickListOverlay.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/WindowParts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

const QString Preferences = QStringLiteral("Preferences");
const QString TimeAllowance = QStringLiteral("Time Allowance");

} // namespace

frmAddToToDo::frmAddToToDo(QWidget* owner)
    : ToDoItemDialog(owner, QStringLiteral("Add to the To Do list"), new QLineEdit) {
    setObjectName(QStringLiteral("frmAddToToDo"));
    Text1 = textBox();
    Text1->setObjectName(QStringLiteral("Text1"));
    List1 = newList(this, "List1");
    List2 = newList(this, "List2");
    mnuAllowance = addMenuItem(menuBar, "mnuAllowance", QStringLiteral("&Default time allowance"),
                               this, &frmAddToToDo::mnuAllowance_Click);
    addDoneCommand();

    auto* grid = new QGridLayout;
    grid->addWidget(newLabel("Label1", QStringLiteral("Client:")), 0, 0);
    grid->addWidget(newLabel("Label4", QStringLiteral("Project:")), 0, 1);
    grid->addWidget(List1, 1, 0);
    grid->addWidget(List2, 1, 1);
    grid->addWidget(newLabel("Label3", QStringLiteral("Thing To Do:")), 2, 0, 1, 2);
    grid->addWidget(Text1, 3, 0, 1, 2);
    grid->setRowStretch(1, 1);
    layOut(grid);
    resize(560, 460);
    Form_Load();
}

void frmAddToToDo::Form_Load() {
    DTPicker1->setDate(ToDoItems::presetDeadline(
        Clock::today(), Settings::value(Preferences, TimeAllowance, QStringLiteral("7"))));
    applyFontSetting({List1, List2, Text1}, gstrDefaultFontName, gstrDefaultFontSize);
    try {
        const Database db = Database::open(gstrDatabasePath);
        QStringList clients;
        QVariantList names;
        for (const ListItem& client : ListTables::read(db, MainLists::Clients)) {
            clients << client.text;
            names << QVariant(QStringList{client.last, client.first});
        }
        fillSorted(List1, clients, names);
        QStringList projects;
        for (const ListItem& project : ListTables::read(db, MainLists::Projects))
            projects << project.text;
        fillSorted(List2, projects);
        loadActivities(db);
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in the To Do module: ") + e.description());
    }
    Text1->setFocus();
}

void frmAddToToDo::mnuDone_Click() {
    if (!DTPicker1->commitTyping())
        return;
    ToDoItem item;
    gintPriority = level();
    if (const QListWidgetItem* client = List1->currentItem(); client && client->isSelected()) {
        const QStringList names = client->data(Qt::UserRole).toStringList();
        item.kind = ToDoItem::Kind::Client;
        item.lastName = names.value(0);
        item.firstName = names.value(1);
    } else if (const QListWidgetItem* project = List2->currentItem();
               project && project->isSelected() && !project->text().isEmpty()) {
        item.project = project->text();
    } else {
        Dialogs::msgBox(QStringLiteral("You must select a client or a project.  Try again."));
        return;
    }
    item.priority = QString::number(gintPriority);
    item.thingToDo = Text1->text();
    item.startDate = Clock::today();
    item.deadline = DTPicker1->date();
    if (const auto wrong = ToDoItems::problem(item)) {
        Dialogs::msgBox(*wrong);
        Text1->setFocus();
        return;
    }
    try {
        item = ToDoItems::add(Database::open(gstrDatabasePath), item);
    } catch (const AppError&) {
        Dialogs::msgBox(QStringLiteral("Unable to add To Do item"));
        reject();
        return;
    }
    m_added = item;
    accept();
}

void frmAddToToDo::mnuAllowance_Click() {
    // Saved as typed; an empty answer (Cancel too) means the default again.
    Settings::setValue(
        Preferences, TimeAllowance,
        Dialogs::inputBox(
            QStringLiteral(
                "Type in the number of days you generally want to allow for the deadline date"),
            QStringLiteral("Set default time allowance")));
}

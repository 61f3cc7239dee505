#include "frmToDo.h"

#include "core/logic/FontSetting.h"
#include "core/logic/SharedState.h"
#include "core/windows/ControlFonts.h"
#include "core/windows/FormPosition.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "frmAddToToDo.h"
#include "frmEditToDo.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/ModalWindows.h"
#include "platform/widgets/WindowParts.h"
#include "thingstodo/logic/ToDoPrinting.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr double ColumnShares[ToDoList::ColumnCount] = {0.09, 0.25, 0.42, 0.12, 0.12};
const char* const Headers[ToDoList::ColumnCount] = {"Priority", "Client or Project", "Thing To Do",
                                                    "Start Date", "Deadline"};

} // namespace

void frmToDo::showModal() {
    frmToDo window(frmMain::instance());
    ModalWindows::exec(window);
}

frmToDo::frmToDo(QWidget* parent) : QDialog(parent), m_path(gstrDatabasePath) {
    setObjectName(QStringLiteral("frmToDo"));
    Forms::setTag(this, QStringLiteral("frmToDo"));
    setWindowTitle(QStringLiteral("To Do List"));
    setSizeGripEnabled(true);

    menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmToDo::mnuReturn_Click);
    mnuFonts = menuBar->addMenu(QStringLiteral("&Fonts"));
    mnuFonts->setObjectName(QStringLiteral("mnuFonts"));
    mnuProgramFont = addMenuItem(mnuFonts, "mnuProgramFont", QStringLiteral("&Program Font"), this,
                                 &frmToDo::mnuProgramFont_Click);
    mnuPrintFont = addMenuItem(mnuFonts, "mnuPrintFont", QStringLiteral("P&rint Font"), this,
                               &frmToDo::mnuPrintFont_Click);
    mnuAddItem = addMenuItem(menuBar, "mnuAddItem", QStringLiteral("&Add item"), this,
                             &frmToDo::mnuAddItem_Click);
    mnuDeleteItem = addMenuItem(menuBar, "mnuDeleteItem", QStringLiteral("&Delete selected item"),
                                this, &frmToDo::mnuDeleteItem_Click);
    mnuEditItem = addMenuItem(menuBar, "mnuEditItem", QStringLiteral("&Edit selected item"), this,
                              &frmToDo::mnuEditItem_Click);
    mnuPrint =
        addMenuItem(menuBar, "mnuPrint", QStringLiteral("&Print"), this, &frmToDo::mnuPrint_Click);
    mnuDone =
        addMenuItem(menuBar, "mnuDone", QStringLiteral("D&one"), this, &frmToDo::mnuDone_Click);

    Toolbar1 = newToolbar(this, "Toolbar1");
    addToolButtons(Toolbar1, {{"Return", "Return"},
                              {"Font", "To Do Font"},
                              {"Print Font", "To Do Print Font"},
                              {"Add", "Add a To Do item"},
                              {"Delete", "Delete a To Do item"},
                              {"Edit", "Edit a To Do item"},
                              {"Print", "Print the To Do list"}});
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* button) { Toolbar1_ButtonClick(button->data().toString()); });

    ListView1 = new QTreeWidget(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setRootIsDecorated(false);
    ListView1->setUniformRowHeights(true);
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    QStringList headers;
    for (const char* header : Headers)
        headers << QLatin1String(header);
    ListView1->setHeaderLabels(headers);
    ListView1->header()->setSectionsClickable(true);
    ListView1->header()->setStretchLastSection(false);
    connect(ListView1->header(), &QHeaderView::sectionClicked, this,
            &frmToDo::ListView1_ColumnClick);
    ListView1->installEventFilter(this);
    ListView1->viewport()->installEventFilter(this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(Toolbar1);
    layout->addWidget(ListView1);
    Form_Load();
}

void frmToDo::Form_Load() {
    RestoreFormPosition(this);
    applyFontSetting({ListView1}, gstrToDoFontName, gstrToDoFontSize);
    BusyCursor busy;
    try {
        m_list = ToDoList(ToDoItems::load(Database::open(m_path)));
    } catch (const AppError& e) {
        busy.release();
        Dialogs::msgBox(QStringLiteral("Error in the To Do module: ") + e.description());
    }
    showRows();
    Form_Resize();
}

void frmToDo::Form_Resize() {
    const double width = ListView1->viewport()->width();
    for (int column = 0; column < ToDoList::ColumnCount; ++column)
        ListView1->setColumnWidth(column, int(width * ColumnShares[column]));
}

void frmToDo::done(int result) {
    SaveFormPosition(this);
    QDialog::done(result);
}

void frmToDo::showRows() {
    ListView1->clear();
    QList<QTreeWidgetItem*> rows;
    rows.reserve(m_list.count());
    for (int row = 0; row < m_list.count(); ++row) {
        QStringList texts;
        for (int column = 0; column < ToDoList::ColumnCount; ++column)
            texts << ToDoList::text(m_list.at(row), column);
        rows << new QTreeWidgetItem(texts);
    }
    ListView1->addTopLevelItems(rows);
}

void frmToDo::showRow(int row) {
    QTreeWidgetItem* shown = ListView1->topLevelItem(row);
    if (!shown)
        return;
    for (int column = 0; column < ToDoList::ColumnCount; ++column)
        shown->setText(column, ToDoList::text(m_list.at(row), column));
}

void frmToDo::showSortIndicator() {
    QHeaderView* header = ListView1->header();
    header->setSortIndicatorShown(m_list.isSorted());
    header->setSortIndicator(m_list.sortColumn(),
                             m_list.ascending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

int frmToDo::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = ListView1->selectedItems();
    return selected.isEmpty() ? -1 : ListView1->indexOfTopLevelItem(selected.first());
}

void frmToDo::selectRow(int row) {
    if (QTreeWidgetItem* item = ListView1->topLevelItem(row)) {
        ListView1->setCurrentItem(item);
        ListView1->scrollToItem(item);
    }
}

void frmToDo::Toolbar1_ButtonClick(const QString& key) {
    const QList<std::pair<QString, void (frmToDo::*)()>> commands = {
        {QStringLiteral("Return"), &frmToDo::mnuReturn_Click},
        {QStringLiteral("Font"), &frmToDo::mnuProgramFont_Click},
        {QStringLiteral("Print Font"), &frmToDo::mnuPrintFont_Click},
        {QStringLiteral("Add"), &frmToDo::mnuAddItem_Click},
        {QStringLiteral("Delete"), &frmToDo::mnuDeleteItem_Click},
        {QStringLiteral("Edit"), &frmToDo::mnuEditItem_Click},
        {QStringLiteral("Print"), &frmToDo::mnuPrint_Click},
    };
    for (const auto& [name, command] : commands)
        if (key == name) {
            (this->*command)();
            return;
        }
}

void frmToDo::ListView1_ColumnClick(int column) {
    const int selected = selectedRow();
    const qint64 selectedItem = selected >= 0 ? m_list.at(selected).rowId : 0;
    m_list.columnClick(column);
    showRows();
    showSortIndicator();
    // The selected item stays selected wherever it went.
    for (int row = 0; selectedItem && row < m_list.count(); ++row)
        if (m_list.at(row).rowId == selectedItem)
            selectRow(row);
}

void frmToDo::ListView1_MouseDown(const QPoint& at) {
    const QModelIndex hit = ListView1->indexAt(at);
    m_pressedRow = hit.isValid() ? hit.row() : -1;
    gintDragFromRow = m_pressedRow + 1;
}

void frmToDo::ListView1_MouseUp(const QPoint& at) {
    const QModelIndex hit = ListView1->indexAt(at);
    const int released = hit.isValid() ? hit.row() : -1;
    gintDragToRow = released + 1;
    const int pressed = std::exchange(m_pressedRow, -1);
    if (pressed < 0 || released < 0 || pressed == released)
        return;
    m_list.exchange(pressed, released);
    showRow(pressed);
    showRow(released);
    selectRow(released);
}

void frmToDo::mnuReturn_Click() {
    reject();
}

void frmToDo::mnuProgramFont_Click() {
    if (chooseFont(ProgramFont::ToDo))
        applyFontSetting({ListView1}, gstrToDoFontName, gstrToDoFontSize);
}

void frmToDo::mnuPrintFont_Click() {
    chooseFont(ProgramFont::Print);
}

void frmToDo::mnuAddItem_Click() {
    frmAddToToDo dialog(this);
    ModalWindows::exec(dialog);
    if (const auto& added = dialog.added()) {
        const int row = m_list.add(*added);
        showRows();
        selectRow(row);
    }
}

void frmToDo::mnuDeleteItem_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_list.remove(row);
    delete ListView1->takeTopLevelItem(row);
}

void frmToDo::mnuEditItem_Click() {
    const int row = selectedRow();
    if (row < 0)
        return;
    frmEditToDo dialog(m_list.at(row), this);
    ModalWindows::exec(dialog);
    if (const auto& changed = dialog.changed()) {
        const int now = m_list.replace(row, *changed);
        showRows();
        selectRow(now);
    }
}

void frmToDo::mnuPrint_Click() {
    ToDoPrinting::print(m_list.items());
}

void frmToDo::mnuDone_Click() {
    BusyCursor busy;
    ToDoItems::Saved saved;
    try {
        saved = ToDoItems::save(Database::open(m_path), m_list.items(), m_list.removed());
    } catch (const AppError& e) {
        busy.release();
        Dialogs::msgBox(QStringLiteral("There was an error in returning from the To Do List: ") +
                        e.description());
        return;
    }
    if (saved.kept == 0) {
        accept();
        return;
    }
    // Items that others added meanwhile were kept: the window shows the list as saved, and
    // stays open so that the user sees them.
    busy.release();
    m_list = ToDoList(saved.items);
    showRows();
    showSortIndicator();
    Dialogs::msgBox(
        QStringLiteral("The to-do list has been saved. It also holds %1 that another window or "
                       "program added or changed while this list was open; %2 kept at the end "
                       "of the list.")
            .arg(saved.kept == 1 ? QStringLiteral("1 item")
                                 : QStringLiteral("%1 items").arg(saved.kept),
                 saved.kept == 1 ? QStringLiteral("it is") : QStringLiteral("they are")));
}

bool frmToDo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1->viewport() && event->type() == QEvent::Resize) {
        Form_Resize(); // the columns share the list's width
    } else if (watched == ListView1 && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Delete:
            mnuDeleteItem_Click();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            mnuReturn_Click();
            return true;
        default:
            break;
        }
    } else if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonPress) {
        ListView1_MouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        ListView1_MouseUp(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

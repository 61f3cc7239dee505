#include "frmInactiveClients.h"

#include "ClientRecord.h"
#include "clients/logic/ClientDeactivation.h"
#include "clients/logic/RecordRules.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ListRefill.h"
#include "core/windows/frmMain.h"
#include "frmDatePicker.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/ModalWindows.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

using BoxTable::cell;
using BoxTable::Shape;

const QString Table = QStringLiteral("Inactive Clients");
const QString RecordSource =
    QStringLiteral("SELECT * FROM [Inactive Clients] ORDER BY [Inactive Client Last Name], "
                   "[Inactive Client First Name]");

// The boxes of record mode in a grid of six columns: full width, halves and thirds. Only the
// type of claim takes many lines, in a box that scrolls; a line break that a one-line box
// shows as a blank stays in its text.
constexpr BoxTable::Part Boxes[] = {
    {1, "Frame1(0)", "First Address Line", "Text1(0)", Shape::Line, cell(0, 0, 1, 6),
     "Inactive Client First Address"},
    {1, "Frame1(1)", "Second Address Line", "Text1(1)", Shape::Line, cell(1, 0, 1, 6),
     "Inactive Client Second Address"},
    {1, "Frame1(2)", "Third Address Line", "Text1(2)", Shape::Line, cell(2, 0, 1, 6),
     "Inactive Client Third Address"},
    {1, "Frame1(3)", "City/Town", "Text1(3)", Shape::Line, cell(3, 0, 1, 2),
     "Inactive Client City"},
    {1, "Frame1(4)", "State", "Text1(4)", Shape::Line, cell(3, 2, 1, 2), "Inactive Client State"},
    {1, "Frame1(5)", "Zip Code", "MaskEdBox1", Shape::Mask, cell(3, 4, 1, 2),
     "Inactive Client Zip Code", "#####-####"},
    {1, "Frame1(6)", "Home Telephone", "MaskEdBox2(0)", Shape::Mask, cell(4, 0, 1, 3),
     "Inactive Client Home Telephone", "(###) ###-####"},
    {1, "Frame1(7)", "Work Telephone", "MaskEdBox2(1)", Shape::Mask, cell(4, 3, 1, 3),
     "Inactive Client Work Telephone", "(###) ###-####"},
    {1, "Frame1(8)", "Email Address", "Text1(5)", Shape::Line, cell(5, 0, 1, 6),
     "Inactive Client Email Address"},
    {1, "Frame1(9)", "Type of Claim/Notes", "Text1(6)", Shape::Text, cell(6, 0, 1, 6),
     "Inactive Client Claim Type"},
    {1, "Frame1(10)", "Retainer Terms", "Text1(7)", Shape::Line, cell(7, 0, 1, 3),
     "Inactive Client Retainer Terms"},
    {1, "Frame1(11)", "Referrer", "Text1(8)", Shape::Line, cell(7, 3, 1, 3),
     "Inactive Client Referrer"},
    {1, "Frame1(12)", "Retainer Date", "DTPicker1", Shape::Picker, cell(8, 0, 1, 3),
     "Inactive Client Retainer Date", "M/d/yyyy"},
    {1, "Frame1(13)", "Case Closure Date", "DTPicker2", Shape::Picker, cell(8, 3, 1, 3),
     "Inactive Client Case Closed Date", "M/d/yyyy"},
};

// Record mode has one tab, without a caption.
const char* const TabCaptions[] = {""};

// A list item carries its client's last and first name as stored.
ListItem clientOf(const QListWidgetItem* item) {
    const QStringList names = item->data(Qt::UserRole).toStringList();
    return {item->text(), names.value(0), names.value(1)};
}

void fillClients(QListWidget* list, const QList<ListItem>& clients) {
    QStringList texts;
    QVariantList names;
    for (const ListItem& c : clients) {
        texts << c.text;
        names << QStringList{c.last, c.first};
    }
    fillSorted(list, texts, names);
}

QLabel* newLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

void frmInactiveClients::showModal() {
    frmInactiveClients window(frmMain::instance());
    if (window.Form_Load())
        ModalWindows::exec(window);
}

frmInactiveClients::frmInactiveClients(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmInactiveClients"));
    setWindowTitle(QStringLiteral("Inactive Clients"));
    setSizeGripEnabled(true);

    ListMode = new QWidget(this);
    Label1 = newLabel(ListMode, "Label1", QStringLiteral("Active Clients"));
    Label2 = newLabel(ListMode, "Label2", QStringLiteral("Inactive Clients"));
    List1 = newList(ListMode, "List1");
    List1->setToolTip(QStringLiteral("Click on an active client to send it to the inactive client "
                                     "list"));
    List2 = newList(ListMode, "List2");
    auto* lists = new QGridLayout(ListMode);
    lists->setContentsMargins(0, 0, 0, 0);
    lists->addWidget(Label1, 0, 0);
    lists->addWidget(Label2, 0, 1);
    lists->addWidget(List1, 1, 0);
    lists->addWidget(List2, 1, 1);

    RecordMode = new QWidget(this);
    TabStrip1 = new QTabWidget(RecordMode);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    const ClientRecord::Parts parts = ClientRecord::build(
        this, RecordMode, Table, Boxes, TabStrip1, ClientRecord::addPages(TabStrip1, TabCaptions),
        100, QStringLiteral("Inactive Client Data Navigator"));
    Adodc1 = parts.control;
    m_bound = parts.boxes;
    HScroll1 = parts.scrollBar;
    Adodc1Navigator = parts.navigator;
    RecordRules::nameRecords(*Adodc1, QStringLiteral("Inactive Client Last Name"),
                             QStringLiteral("Inactive Client First Name"));
    DTPicker1 = qobject_cast<DateBox*>(boxOf(QStringLiteral("Inactive Client Retainer Date")));
    DTPicker2 = qobject_cast<DateBox*>(boxOf(QStringLiteral("Inactive Client Case Closed Date")));
    auto* record = new QVBoxLayout(RecordMode);
    record->setContentsMargins(0, 0, 0, 0);
    record->addWidget(TabStrip1, 1);
    record->addWidget(HScroll1);
    record->addWidget(Adodc1Navigator);

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmInactiveClients::mnuReturn_Click);
    mnuSave = addMenuItem(menuBar, "mnuSave", QStringLiteral("&Save"), this,
                          &frmInactiveClients::mnuSave_Click);
    mnuDeactivateClient =
        addMenuItem(menuBar, "mnuDeactivateClient", QStringLiteral("&Deactivate Client"), this,
                    &frmInactiveClients::mnuDeactivateClient_Click);
    mnuDisplayInactiveClients =
        addMenuItem(menuBar, "mnuDisplayInactiveClients", QStringLiteral("Display inactive"), this,
                    &frmInactiveClients::mnuDisplayInactiveClients_Click);

    const int margin = Twips::toPixels(50);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, 0);
    layout->setMenuBar(menuBar);
    layout->addWidget(ListMode, 1);
    layout->addWidget(RecordMode, 1);

    connect(List1, &QListWidget::itemClicked, this, &frmInactiveClients::List1_Click);
    List1->installEventFilter(this);
    connect(Adodc1, &DataControl::moveComplete, this, &frmInactiveClients::Adodc1_MoveComplete);
    connect(Adodc1, &DataControl::error, this, &frmInactiveClients::Adodc1_Error);

    resize(Twips::toPixels(8400), Twips::toPixels(10800));
    setMode(Mode::List);
}

frmInactiveClients::~frmInactiveClients() = default;

QWidget* frmInactiveClients::boxOf(const QString& field) const {
    const BoxTable::Made* made = m_bound.ofField(field);
    return made ? made->box : nullptr;
}

QGroupBox* frmInactiveClients::frameOf(const QString& field) const {
    const BoxTable::Made* made = m_bound.ofField(field);
    return made ? made->frame : nullptr;
}

bool frmInactiveClients::Form_Load() {
    if (const QWidget* main = parentWidget()) {
        const int offset = Twips::toPixels(200);
        move(main->pos() + QPoint(offset, offset));
    }
    mnuDisplayInactiveClients->setText(QStringLiteral("Display inactive ") + gstrFrame1Caption +
                                       QStringLiteral("s"));
    const QString savedSource = gstrRecordSource;
    gstrRecordSource = RecordSource;
    bool loaded = true;
    try {
        BusyCursor busy;
        m_db = Database::open(gstrDatabasePath);
        fillClients(List1, ListTables::read(m_db, MainLists::Clients));
        fillClients(List2, ClientDeactivation::inactiveClients(m_db));
        ClientRecord::open(Adodc1, gstrRecordSource);
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
        loaded = false;
    }
    setMode(Mode::List);
    gstrRecordSource = savedSource;
    return loaded;
}

void frmInactiveClients::setMode(Mode mode) {
    m_mode = mode;
    const bool list = mode == Mode::List;
    ListMode->setVisible(list);
    RecordMode->setVisible(!list);
    mnuDeactivateClient->setEnabled(!list);
    mnuDisplayInactiveClients->setEnabled(list);
    mnuSave->setEnabled(!list);
}

void frmInactiveClients::mnuDeactivateClient_Click() {
    // What was typed in record mode is written before the lists are shown, or stays.
    if (!Adodc1->Update())
        return;
    setMode(Mode::List);
}

void frmInactiveClients::mnuDisplayInactiveClients_Click() {
    setMode(Mode::Record);
    // Read again, so that the clients moved meanwhile take their places.
    if (!Adodc1->Refresh() || Adodc1->RecordCount() == 0) {
        mnuDeactivateClient->setEnabled(false);
        mnuDisplayInactiveClients->setEnabled(false);
        mnuSave->setEnabled(false);
        return;
    }
    Adodc1->MoveLast();
}

void frmInactiveClients::Adodc1_MoveComplete(int) {
    try {
        const std::optional<QString> client =
            RecordRules::arrive(*Adodc1, QStringLiteral("Inactive Client Last Name"),
                                QStringLiteral("Inactive Client First Name"));
        if (!client)
            return;
        gstrClient = *client;
        TabStrip1->setTabText(0, gstrClient);
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description() + QLatin1Char(' ') +
                        QString::number(Adodc1->AbsolutePosition()));
    }
}

void frmInactiveClients::Adodc1_Error(int number, const QString& description) {
    ++m_errors;
    // A record another window changed or deleted is told in a message of its own.
    Dialogs::msgBox(DataControl::isWriteConflict(number)
                        ? description
                        : QStringLiteral("Error in data control module.") + description);
}

void frmInactiveClients::mnuSave_Click() {
    if (Adodc1->RecordCount() == 0) {
        Dialogs::msgBox(RecordRules::noRecords());
        return;
    }
    // The question comes only after a write that succeeded; a refused write has said why and
    // what was typed stays.
    if (!RecordRules::writePending(*Adodc1, m_errors))
        return;
    if (Dialogs::msgBox(QStringLiteral("Database updated. Continue with Inactive ") +
                            gstrFrame1Caption + QStringLiteral("s window?"),
                        Dialogs::vbYesNo) == Dialogs::vbNo) {
        setMode(Mode::List);
        mnuSave->setEnabled(false);
    }
}

void frmInactiveClients::mnuReturn_Click() {
    reject();
}

void frmInactiveClients::reject() {
    if (Adodc1->Update())
        QDialog::reject();
}

void frmInactiveClients::List1_Click() {
    if (m_mode != Mode::List)
        return;
    const QList<QListWidgetItem*> chosen = List1->selectedItems();
    if (chosen.isEmpty())
        return;
    moveClient(chosen.first());
}

void frmInactiveClients::moveClient(QListWidgetItem* item) {
    const ListItem client = clientOf(item);
    gstrClient = client.text;
    gintScratch = int(client.text.indexOf(QStringLiteral(", "))) + 1;
    gstrLastName = client.last;
    gstrFirstName = client.first;
    gstrScratch = ClientDeactivation::confirmation(client);
    if (Dialogs::msgBox(gstrScratch, Dialogs::vbYesNo, QStringLiteral("Deactivating client")) !=
        Dialogs::vbYes)
        return;
    frmDatePicker picker;
    if (ModalWindows::exec(picker) != QDialog::Accepted)
        return; // no date chosen: the client stays active
    const QString name = client.first + QLatin1Char(' ') + client.last;
    ClientDeactivation::Outcome outcome;
    try {
        BusyCursor busy;
        outcome = ClientDeactivation::deactivate(m_db, client, gvarClosureDate);
    } catch (const AppError& e) {
        Dialogs::msgBox(name +
                        QStringLiteral(" could not be moved to the list of Inactive "
                                       "Clients; nothing was changed. ") +
                        e.description());
        return;
    }
    if (outcome == ClientDeactivation::Outcome::NotFound) {
        Dialogs::msgBox(name + QStringLiteral(" is no longer among the active clients of this "
                                              "file (another window may have changed or deleted "
                                              "the client); nothing was moved."));
        return;
    }
    // Only now that the move stands do the lists and the caches lose the name.
    addSorted(List2, client.text, QStringList{client.last, client.first});
    delete List1->takeItem(List1->row(item));
    refillLookupList(MainLists::Clients, itemsOf(List1));
}

bool frmInactiveClients::eventFilter(QObject* watched, QEvent* event) {
    // Enter on the chosen name acts as a click; the arrow keys only choose.
    if (watched == List1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            List1_Click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmInactiveClients::Form_Resize() {
    // Never smaller than the least size, nor than what the boxes of either mode need to stand
    // apart (the hidden mode counts too, so that switching never squeezes it).
    const QMargins margins = layout()->contentsMargins();
    const QSize around(margins.left() + margins.right(),
                       margins.top() + margins.bottom() + layout()->menuBar()->sizeHint().height());
    const QSize least =
        (QSize(Twips::toPixels(5000), Twips::toPixels(7500)) - (frameGeometry().size() - size()))
            .expandedTo(ListMode->minimumSizeHint() + around)
            .expandedTo(RecordMode->minimumSizeHint() + around);
    if (minimumSize() != least)
        setMinimumSize(least);
}

void frmInactiveClients::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

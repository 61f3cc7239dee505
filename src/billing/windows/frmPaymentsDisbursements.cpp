#include "frmPaymentsDisbursements.h"

#include "ComboWidth.h"
#include "StatementCommands.h"
#include "billing/logic/PayeeList.h"
#include "billing/logic/PaymentEntry.h"
#include "billing/logic/PaymentSearch.h"
#include "core/logic/FieldLimits.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Clock.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/Twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString DisbursementsSource =
    QStringLiteral("Select * from Disbursements Order By [Disbursement Client Last Name], "
                   "[Disbursement Client First Name], [Disbursement Date]");
const QString PaymentsSource =
    QStringLiteral("SELECT * FROM Payments ORDER BY [Payment Client Last Name], "
                   "[Payment Client First Name], [Payment Date]");
const QString NoDisbursements = QStringLiteral("No disbursement records have been entered yet.");
const QString NoPayments = QStringLiteral("No payment records have been entered yet.");
// The boxes' formats: dates as the pickers show them, amounts in dollars and cents.
constexpr const char* Day = "M/d/yyyy";
constexpr const char* Dollars = "\"$\"#,##0.00";

QPointer<frmPaymentsDisbursements> g_window;

// An edit on a display tab is refused, with the box named, when it is too long for its field.
DataControl::CommitHook refuseTooLong(const QString& table,
                                      std::function<void(const QString&)> tell) {
    return [table, tell](QVariantMap& changes, const QSqlRecord&) {
        const std::optional<FieldLimits::TooLong> tooLong =
            FieldLimits::firstTooLong(table, changes);
        if (!tooLong)
            return true;
        const QString caption = tooLong->field.endsWith(QStringLiteral("Payee"))
                                    ? QStringLiteral("Vendor")
                                : tooLong->field.startsWith(QStringLiteral("Payment"))
                                    ? QStringLiteral("Description of payment")
                                    : QStringLiteral("Description of disbursement");
        tell(FieldLimits::message(caption, *tooLong));
        return false;
    };
}

// How a message names a row that another window changed or deleted: "The payment of Smith, Ann
// dated 3/4/2024".
std::function<QString(const QSqlRecord&)> recordName(const QString& kind, const QString& prefix) {
    return [kind, prefix](const QSqlRecord& row) {
        const QDateTime date = StoredDate::fromStored(row.value(prefix + QStringLiteral(" Date")));
        return QStringLiteral("The ") + kind + QStringLiteral(" of ") +
               row.value(prefix + QStringLiteral(" Client Last Name")).toString() +
               QStringLiteral(", ") +
               row.value(prefix + QStringLiteral(" Client First Name")).toString() +
               (date.isValid()
                    ? QStringLiteral(" dated ") + VbFormat::format(date, QLatin1String(Day))
                    : QString());
    };
}

QWidget* outer(QWidget* window) {
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    return frame ? static_cast<QWidget*>(frame) : window;
}

template <class Box>
Box* named(Box* box, const char* name) {
    box->setObjectName(QLatin1String(name));
    return box;
}

using BoxTable::next;
using BoxTable::Shape;

const char* const TabCaptions[] = {"Enter disbursement", "Display disbursements", "Enter payment",
                                   "Display payments"};
// The page of the search panel, after the tabs.
constexpr int SearchPanel = 5;

// Every frame of the four tabs and of the search panel, stacked in their order; the display
// tabs end with their scroll bar and navigator.
constexpr BoxTable::Part Boxes[] = {
    {1, "Frame1(0)", "Client", "Combo1(0)", Shape::Combo},
    {1, "Frame1(1)", "Vendor", "Combo1(1)", Shape::Combo},
    {1, "Frame1(2)", "Description of disbursement", "Text1(0)", Shape::Text},
    {1, "Frame1(3)", "Amount of disbursement", "Text1(1)", Shape::Line},
    {1, "Frame1(4)", "Date of disbursement", "DTPicker1", Shape::Picker, next(), nullptr, Day},

    {2, "Frame2(0)", "Client", "Text2(0)", Shape::Line}, // made from the row's two names
    {2, "Frame2(1)", "Vendor", "Text2(1)", Shape::Line, next(), "Disbursement Payee"},
    {2, "Frame2(2)", "Description of disbursement", "Text2(2)", Shape::Line, next(),
     "Disbursement Description", nullptr, BoundField::Memo},
    {2, "Frame2(3)", "Amount of disbursement", "Text2(3)", Shape::Line, next(),
     "Disbursement Amount", Dollars, BoundField::Money},
    {2, "Frame2(4)", "Date of disbursement", "DTPicker2", Shape::Picker, next(),
     "Disbursement Date", Day},
    {2, nullptr, nullptr, nullptr, Shape::Stretch},
    {2, nullptr, nullptr, "HScroll1", Shape::Placed},
    {2, nullptr, nullptr, "Adodc1Navigator", Shape::Placed},

    {3, "Frame3(0)", "Client", "Combo2", Shape::Combo},
    {3, "Frame3(1)", "Description of payment"},
    {3, "Frame3(1)", "Fee", "Option1(0)", Shape::Option},
    {3, "Frame3(1)", "Disbursement", "Option1(1)", Shape::Option},
    {3, "Frame3(1)", nullptr, nullptr, Shape::Stretch},
    {3, "Frame3(2)", "Amount of payment", "Text3", Shape::Line},
    {3, "Frame3(3)", "Date of payment", "DTPicker3", Shape::Picker, next(), nullptr, Day},
    {3, nullptr, nullptr, nullptr, Shape::Stretch},

    {4, "Frame4(0)", "Client", "Text4(0)", Shape::Line}, // made from the row's two names
    {4, "Frame4(1)", "Description of payment", "Text4(1)", Shape::Line, next(),
     "Payment Description"},
    {4, "Frame4(2)", "Amount of payment", "Text4(2)", Shape::Line, next(), "Payment Amount",
     Dollars, BoundField::Money},
    {4, "Frame4(3)", "Date of payment", "DTPicker4", Shape::Picker, next(), "Payment Date", Day},
    {4, nullptr, nullptr, nullptr, Shape::Stretch},
    {4, nullptr, nullptr, "HScroll2", Shape::Placed},
    {4, nullptr, nullptr, "Adodc2Navigator", Shape::Placed},

    {SearchPanel, "Frame5(0)", "Select type of search"},
    {SearchPanel, "Frame5(0)", "Search within disbursement records", "Option2(0)", Shape::Option},
    {SearchPanel, "Frame5(0)", "Search within payment records", "Option2(1)", Shape::Option},
    {SearchPanel, "Frame5(0)", nullptr, nullptr, Shape::Stretch},
    {SearchPanel, "Frame5(1)", "Enter search term, vendor name, client name or amount", "Text5",
     Shape::Line},
    {SearchPanel, "Frame5(2)", "Select beginning and ending dates for search time frame"},
    {SearchPanel, "Frame5(2)", "Beginning date", "DTPicker5", Shape::Picker, next(), nullptr, Day},
    {SearchPanel, "Frame5(2)", "Ending date", "DTPicker6", Shape::Picker, next(), nullptr, Day},
    {SearchPanel, "Frame5(2)", nullptr, nullptr, Shape::Stretch},
};

// The first entry of the list, or nothing when the list is empty.
void showFirst(QComboBox* combo) {
    combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
    combo->setEditText(combo->count() > 0 ? combo->itemText(0) : QString());
}

} // namespace

void frmPaymentsDisbursements::showModeless() {
    if (g_window) {
        Forms::setFocus(g_window);
        return;
    }
    auto* window = new frmPaymentsDisbursements;
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    g_window = window;
    showChildWindow(window);
    window->Form_Resize();
    Forms::setFocus(window);
}

frmPaymentsDisbursements* frmPaymentsDisbursements::loaded() {
    return g_window;
}

frmPaymentsDisbursements::frmPaymentsDisbursements(QWidget* parent) : MenuBarWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmPaymentsDisbursements"));
    setWindowTitle(QStringLiteral("Disbursements and payments"));
    Forms::add(this);

    Adodc1 = named(new DataControl(this), "Adodc1");
    Adodc2 = named(new DataControl(this), "Adodc2");
    buildTabs();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(TabStrip1);

    mnuReturn = addMenuBarCommand("mnuReturn", QStringLiteral("&Return"), this,
                                  &frmPaymentsDisbursements::mnuReturn_Click);
    mnuSave = addMenuBarCommand("mnuSave", QStringLiteral("&Save record"), this,
                                &frmPaymentsDisbursements::mnuSave_Click);
    mnuDelete = addMenuBarCommand("mnuDelete", QStringLiteral("&Delete record"), this,
                                  &frmPaymentsDisbursements::mnuDelete_Click);
    mnuSearch = addMenuBarCommand("mnuSearch", QStringLiteral("&Search"), this,
                                  &frmPaymentsDisbursements::mnuSearch_Click);
    mnuContinue = addMenuBarCommand("mnuContinue", QStringLiteral("&Continue"), this,
                                    &frmPaymentsDisbursements::mnuContinue_Click);
    mnuReport = addMenuBarCommand("mnuReport", QStringLiteral("Re&port"), this,
                                  &frmPaymentsDisbursements::mnuReport_Click);
    mnuContinue->setEnabled(false);
    // Return in the term runs the search.
    connect(Text5, &QLineEdit::returnPressed, this, [this] {
        if (mnuContinue->isEnabled())
            mnuContinue->trigger();
    });

    connect(Adodc1, &DataControl::moveComplete, this,
            &frmPaymentsDisbursements::Adodc1_MoveComplete);
    connect(Adodc2, &DataControl::moveComplete, this,
            &frmPaymentsDisbursements::Adodc2_MoveComplete);
    connect(Adodc1, &DataControl::fieldsChanged, this,
            [this] { showClient(Adodc1, QStringLiteral("Disbursement"), Text2_0); });
    connect(Adodc2, &DataControl::fieldsChanged, this,
            [this] { showClient(Adodc2, QStringLiteral("Payment"), Text4_0); });
    const auto tellHere = [this](const QString& message) {
        tell(message);
    };
    Adodc1->setBeforeCommit(refuseTooLong(QStringLiteral("Disbursements"), tellHere));
    Adodc2->setBeforeCommit(refuseTooLong(QStringLiteral("Payments"), tellHere));
    Adodc1->setRecordName(
        recordName(QStringLiteral("disbursement"), QStringLiteral("Disbursement")));
    Adodc2->setRecordName(recordName(QStringLiteral("payment"), QStringLiteral("Payment")));
    connect(TabStrip1, &QTabWidget::currentChanged, this,
            [this](int index) { TabStrip1_Click(index + 1); });
    applyTabState(1);
}

frmPaymentsDisbursements::~frmPaymentsDisbursements() {
    Forms::remove(this);
}

void frmPaymentsDisbursements::buildTabs() {
    TabStrip1 = named(new QTabWidget(this), "TabStrip1");
    // Every caption whole: the window is made wide enough for them rather than cut them.
    TabStrip1->tabBar()->setElideMode(Qt::ElideNone);
    TabStrip1->setUsesScrollButtons(false);
    QList<QWidget*> pages =
        BoxTable::addPages(TabStrip1, TabCaptions,
                           {BoxTable::PageStyle::Arrangement::Column,
                            QMargins(Twips::toPixels(50), 4, Twips::toPixels(50), 4), 2});
    // Owned by the window until Search puts it on a tab: a window never searched frees it too.
    Frame5 = named(new QWidget(this), "Frame5");
    auto* panel = new QVBoxLayout(Frame5);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setSpacing(2);
    pages << Frame5;

    HScroll1 = named(new RecordScrollBar(Adodc1, 100), "HScroll1");
    Adodc1Navigator = named(new DataNavigator(Adodc1), "Adodc1Navigator");
    Adodc1Navigator->setCaption(QStringLiteral("Disbursements navigator"));
    HScroll2 = named(new RecordScrollBar(Adodc2, 100), "HScroll2");
    Adodc2Navigator = named(new DataNavigator(Adodc2), "Adodc2Navigator");
    Adodc2Navigator->setCaption(QStringLiteral("Payments navigator"));
    const BoxTable::Built boxes =
        BoxTable::build(Boxes, pages, {Qt::Horizontal, QMargins(4, 2, 4, 4)},
                        {HScroll1, Adodc1Navigator, HScroll2, Adodc2Navigator});
    Combo1_0 = boxes.box<QComboBox>("Combo1(0)");
    Combo1_1 = boxes.box<QComboBox>("Combo1(1)");
    Text1_0 = boxes.box<QTextEdit>("Text1(0)");
    Text1_1 = boxes.box<QLineEdit>("Text1(1)");
    DTPicker1 = boxes.box<DateBox>("DTPicker1");
    Text2_0 = boxes.box<QLineEdit>("Text2(0)");
    Text2_1 = boxes.box<QLineEdit>("Text2(1)");
    Text2_2 = boxes.box<QLineEdit>("Text2(2)");
    Text2_3 = boxes.box<QLineEdit>("Text2(3)");
    DTPicker2 = boxes.box<DateBox>("DTPicker2");
    Combo2 = boxes.box<QComboBox>("Combo2");
    Option1_0 = boxes.box<QRadioButton>("Option1(0)");
    Option1_1 = boxes.box<QRadioButton>("Option1(1)");
    Text3 = boxes.box<QLineEdit>("Text3");
    DTPicker3 = boxes.box<DateBox>("DTPicker3");
    Text4_0 = boxes.box<QLineEdit>("Text4(0)");
    Text4_1 = boxes.box<QLineEdit>("Text4(1)");
    Text4_2 = boxes.box<QLineEdit>("Text4(2)");
    DTPicker4 = boxes.box<DateBox>("DTPicker4");
    Option2_0 = boxes.box<QRadioButton>("Option2(0)");
    Option2_1 = boxes.box<QRadioButton>("Option2(1)");
    Text5 = boxes.box<QLineEdit>("Text5");
    DTPicker5 = boxes.box<DateBox>("DTPicker5");
    DTPicker6 = boxes.box<DateBox>("DTPicker6");
    m_frames2 = boxes.frames(2);
    m_frames4 = boxes.frames(4);

    for (DateBox* picker : {DTPicker1, DTPicker2, DTPicker3, DTPicker4, DTPicker5, DTPicker6})
        picker->setValue(Clock::now().date());
    Option1_0->setChecked(true);
    Option2_0->setChecked(true);
    // The client displays are made from the row's two names, not typed.
    Text2_0->setReadOnly(true);
    Text4_0->setReadOnly(true);
    Frame5->hide();
    boxes.bind(Adodc1, 2);
    boxes.bind(Adodc2, 4);
}

QString frmPaymentsDisbursements::path() const {
    return Adodc1->databasePath();
}

bool frmPaymentsDisbursements::Form_Load() {
    mintCurrentTab = 1;
    TabStrip1->setCurrentIndex(0);
    // The pickers show today, the search a year back.
    for (DateBox* picker : {DTPicker1, DTPicker3, DTPicker6})
        picker->setValue(Clock::now().date());
    DTPicker5->setValue(Clock::now().date().addDays(-365));
    const QStringList clients = mainLists().List1[MainLists::Clients].items();
    Combo1_0->addItems(clients); // in the list's order
    // Both client boxes offer the one list: its thousands of entries are made once.
    Combo2->setModel(Combo1_0->model());
    ComboWidth::fitToItems(Combo1_0);
    ComboWidth::fitToItems(Combo2);
    if (gstrClient.isEmpty() && !clients.isEmpty())
        gstrClient = clients.first();
    Combo1_0->setEditText(gstrClient);
    Combo2->setEditText(gstrClient);

    const QString savedSource = gstrRecordSource;
    bool loaded = false;
    try {
        gstrRecordSource = DisbursementsSource;
        Adodc1->setConnectionString(ConnectionString::plain(gstrDatabasePath));
        Adodc1->setRecordSource(gstrRecordSource);
        if (Adodc1->Refresh()) {
            const QStringList payees = PayeeList::read(Adodc1->database());
            if (payees.isEmpty())
                QApplication::beep();
            Combo1_1->addItems(payees);
            Combo1_1->setEditText(QString());
            if (!Adodc1->isEOF())
                Adodc1->MoveLast();
            gstrRecordSource = PaymentsSource;
            Adodc2->setConnectionString(ConnectionString::withUser(gstrDatabasePath));
            Adodc2->setRecordSource(gstrRecordSource);
            loaded = Adodc2->Refresh();
            if (loaded && !Adodc2->isEOF())
                Adodc2->MoveLast();
        }
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in loading PaymentsDisbursements form: ") +
                        e.description());
        loaded = false;
    }
    gstrRecordSource = savedSource;
    return loaded;
}

void frmPaymentsDisbursements::TabStrip1_Click(int tab) {
    if (tab == mintCurrentTab || tab < 1 || tab > 4)
        return;
    if (TabStrip1->currentIndex() != tab - 1) {
        TabStrip1->setCurrentIndex(tab - 1); // comes back here through currentChanged
        return;
    }
    applyTabState(tab);
    mintCurrentTab = tab;
}

void frmPaymentsDisbursements::applyTabState(int tab) {
    // On the tab the search panel is open on, Continue is the one command.
    const bool searching = m_searchTab != 0 && tab == m_searchTab;
    const bool entering = tab == 1 || tab == 3;
    mnuSave->setEnabled(entering && !searching);
    mnuDelete->setEnabled(!entering && !searching);
    mnuSearch->setEnabled(!entering && !searching);
    mnuReport->setEnabled(!entering && !searching);
    mnuReturn->setEnabled(!searching);
    mnuContinue->setEnabled(searching);
}

void frmPaymentsDisbursements::showClient(DataControl* control, const QString& prefix,
                                          QLineEdit* display) {
    if (!control->hasCurrentRow()) {
        display->clear();
        return;
    }
    display->setText(control->value(prefix + QStringLiteral(" Client Last Name")).toString() +
                     QStringLiteral(", ") +
                     control->value(prefix + QStringLiteral(" Client First Name")).toString());
}

void frmPaymentsDisbursements::moved(DataControl* control, const QString& noRecords) {
    // The scroll bar follows by itself; an empty table is told.
    if (!m_searching && control->isBOF() && control->isEOF())
        tell(noRecords);
}

void frmPaymentsDisbursements::Adodc1_MoveComplete(int adReason) {
    if (adReason != DataControl::adRsnDelete && adReason != DataControl::adRsnMove)
        moved(Adodc1, NoDisbursements);
}

void frmPaymentsDisbursements::Adodc2_MoveComplete(int adReason) {
    if (adReason != DataControl::adRsnDelete && adReason != DataControl::adRsnMove)
        moved(Adodc2, NoPayments);
}

void frmPaymentsDisbursements::mnuReturn_Click() {
    // The frame closes with the window; closing the window alone leaves an empty frame.
    Forms::close(this);
}

void frmPaymentsDisbursements::mnuSave_Click() {
    if (mintCurrentTab == 1)
        saveDisbursement();
    else if (mintCurrentTab == 3)
        savePayment();
}

// Writes a new row of the control; false when the write failed (the control has said why).
static bool addRow(DataControl* control, const QVariantMap& row) {
    if (!control->AddNew())
        return false;
    for (auto it = row.cbegin(); it != row.cend(); ++it)
        control->setValue(it.key(), it.value());
    if (control->Update())
        return true;
    control->CancelUpdate();
    return false;
}

void frmPaymentsDisbursements::saveDisbursement() {
    if (!DTPicker1->commitTyping())
        return;
    const PaymentEntry::Outcome out = PaymentEntry::disbursement(
        {Combo1_0->currentText(), Combo1_1->currentText(), Text1_0->toPlainText(), Text1_1->text(),
         DTPicker1->isNull() ? QDate() : DTPicker1->date()});
    if (!out.refusal.isEmpty()) {
        tell(out.refusal);
        return;
    }
    if (!addRow(Adodc1, out.row))
        return;
    gstrScratch = out.confirmation;
    tell(gstrScratch);
    showFirst(Combo1_0);
    Combo1_1->setCurrentIndex(-1);
    Combo1_1->setEditText(QString());
    DTPicker1->setValue(Clock::now().date());
    Text1_0->clear();
    Text1_1->clear();
}

void frmPaymentsDisbursements::savePayment() {
    if (!DTPicker3->commitTyping())
        return;
    const PaymentEntry::Outcome out =
        PaymentEntry::payment({Combo2->currentText(), Option1_0->isChecked(), Text3->text(),
                               DTPicker3->isNull() ? QDate() : DTPicker3->date()});
    if (!out.refusal.isEmpty()) {
        tell(out.refusal);
        return;
    }
    if (!addRow(Adodc2, out.row))
        return;
    gstrScratch = out.confirmation;
    tell(gstrScratch);
    showFirst(Combo2);
    DTPicker3->setValue(Clock::now().date());
    Text3->clear();
}

void frmPaymentsDisbursements::mnuDelete_Click() {
    const bool disbursements = mintCurrentTab == 2;
    DataControl* control = disbursements ? Adodc1 : Adodc2;
    QLineEdit* display = disbursements ? Text2_0 : Text4_0;
    // Only a row shown can be deleted: past either end there is none.
    if (!control->hasCurrentRow())
        return;
    display->clear();
    // A delete refused (the row changed or deleted by another window or program since it was
    // shown, a file in use) is told; nothing else is deleted in its place.
    QStringList refusals;
    const QMetaObject::Connection told =
        connect(control, &DataControl::error, this,
                [&refusals](int, const QString& description) { refusals << description; });
    const bool deleted = control->Delete();
    disconnect(told);
    for (const QString& refusal : std::as_const(refusals))
        tell(refusal);
    if (!deleted && control->hasCurrentRow()) {
        showClient(control,
                   disbursements ? QStringLiteral("Disbursement") : QStringLiteral("Payment"),
                   display);
        return;
    }
    // On to the row that followed the deleted one (or the one gone meanwhile), or past the end
    // when it was the last.
    if (control->RecordCount() > 0)
        control->MoveNext();
}

void frmPaymentsDisbursements::mnuSearch_Click() {
    if (mintCurrentTab != 2 && mintCurrentTab != 4)
        return;
    for (QGroupBox* frame : mintCurrentTab == 2 ? m_frames2 : m_frames4)
        frame->hide();
    // The panel takes the frames' place on the tab shown; the navigator stays below it.
    auto* tab = static_cast<QVBoxLayout*>(TabStrip1->widget(mintCurrentTab - 1)->layout());
    tab->insertWidget(0, Frame5);
    Frame5->show();
    m_searchTab = mintCurrentTab;
    applyTabState(mintCurrentTab);
    Text5->setFocus();
}

void frmPaymentsDisbursements::closeSearchPanel() {
    Frame5->hide();
    for (QGroupBox* frame : m_frames2 + m_frames4)
        frame->show();
    m_searchTab = 0;
}

void frmPaymentsDisbursements::mnuContinue_Click() {
    if (Text5->text().isEmpty()) {
        tell(PaymentSearch::NoTerm);
        // Back to the tab as it was before Search, with its commands.
        closeSearchPanel();
        applyTabState(mintCurrentTab);
        return;
    }
    if (!DTPicker5->commitTyping() || !DTPicker6->commitTyping())
        return;
    const PaymentSearch::Kind kind =
        Option2_0->isChecked() ? PaymentSearch::Kind::Disbursements : PaymentSearch::Kind::Payments;
    const bool disbursements = kind == PaymentSearch::Kind::Disbursements;
    DataControl* control = disbursements ? Adodc1 : Adodc2;
    const PaymentSearch::Statement search = PaymentSearch::search(
        kind, Text5->text(), DTPicker5->isNull() ? QDate() : DTPicker5->date(),
        DTPicker6->isNull() ? QDate() : DTPicker6->date());
    bool none = false;
    {
        BusyCursor busy;
        gstrRecordSource = search.jetSql;
        control->setRecordSource(gstrRecordSource, search.parameters);
        m_searching = true;
        const bool read = control->Refresh();
        m_searching = false;
        none = read && control->RecordCount() == 0;
        if (none) {
            gstrRecordSource = PaymentSearch::fullList(kind);
            control->setRecordSource(gstrRecordSource);
            control->Refresh();
        }
        if (!control->isEOF())
            control->MoveLast();
    }
    if (none)
        tell(PaymentSearch::NothingFound);
    // What was searched is what is shown, so that Delete and Report act on the rows in view.
    closeSearchPanel();
    const int shown = disbursements ? 2 : 4;
    if (mintCurrentTab == shown)
        applyTabState(shown);
    else
        TabStrip1_Click(shown);
}

void frmPaymentsDisbursements::mnuReport_Click() {
    showPaymentStatement(path(), mintCurrentTab);
    // Its pick list, questions, messages and preview have closed.
    toFront();
}

void frmPaymentsDisbursements::tell(const QString& message) {
    Dialogs::msgBox(message);
    toFront();
}

void frmPaymentsDisbursements::toFront() {
    // When a dialog closes, the window manager gives the front back to the main window, and
    // the main window to the child window that holds its focus: this one, also when the
    // command has hidden the box that had it (the search term).
    if (isVisible())
        Forms::setFocus(this);
}

void frmPaymentsDisbursements::Form_Resize() {
    QWidget* window = outer(this);
    // Its fixed place and size, never smaller than its boxes need whatever the fonts.
    const QSize size = QSize(Twips::toPixels(7000), Twips::toPixels(4800))
                           .expandedTo(minimumSizeHint() + window->size() - this->size());
    if (window->size() != size)
        window->setFixedSize(size);
    const QPoint place(Twips::toPixels(1000), Twips::toPixels(1000));
    if (window != this && window->pos() != place)
        window->move(place);
}

void frmPaymentsDisbursements::resizeEvent(QResizeEvent* event) {
    MenuBarWindow::resizeEvent(event);
    Form_Resize();
}

void frmPaymentsDisbursements::closeEvent(QCloseEvent* event) {
    MenuBarWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    Forms::remove(this);
    if (g_window == this)
        g_window = nullptr;
}

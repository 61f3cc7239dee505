#include "frmActiveClients.h"

#include "ClientBoxes.h"
#include "ClientRecord.h"
#include "clients/logic/ActiveClientsReport.h"
#include "clients/logic/RecordRules.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/RecordScrollBar.h"
#include "platform/widgets/Twips.h"
#include "reports/DataReport2.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString Table = QStringLiteral("Active Clients");
const QString RecordSource =
    QStringLiteral("SELECT * FROM [Active Clients] ORDER BY [Active Clients]![Client Last Name], "
                   "[Active Clients]![Client First Name]");

using BoxTable::cell;
using BoxTable::Shape;

// Every framed box of the five tabs, where it stands in its tab's grid (tab 1 has twelve
// columns so that it holds rows of three and of four boxes; tab 2 has two).
constexpr BoxTable::Part Boxes[] = {
    {1, "Frame1(0)", "First Address Line", "Text1(0)", Shape::Line, cell(0, 0, 1, 12),
     "Active Client First Address"},
    {1, "Frame1(1)", "Second Address Line", "Text1(1)", Shape::Line, cell(1, 0, 1, 12),
     "Active Client Second Address"},
    {1, "Frame1(2)", "Third Address Line", "Text1(2)", Shape::Line, cell(2, 0, 1, 12),
     "Active Client Third Address"},
    {1, "Frame1(3)", "City/Town", "Text1(3)", Shape::Line, cell(3, 0, 1, 4), "Active Client City"},
    {1, "Frame1(4)", "State", "Text1(4)", Shape::Line, cell(3, 4, 1, 4), "Active Client State"},
    {1, "Frame1(5)", "Zip Code", "MaskEdBox1(0)", Shape::Mask, cell(3, 8, 1, 4),
     "Active Client Zip Code", "#####-####"},
    {1, "Frame1(6)", "Work Telephone", "MaskEdBox1(1)", Shape::Mask, cell(4, 0, 1, 3),
     "Active Client Work Telephone", "(###) ###-####"},
    {1, "Frame1(7)", "Home Telephone", "MaskEdBox1(2)", Shape::Mask, cell(4, 3, 1, 3),
     "Active Client Home Telephone", "(###) ###-####"},
    {1, "Frame1(8)", "Cell Telephone", "MaskEdBox1(3)", Shape::Mask, cell(4, 6, 1, 3),
     "Active Client Cell Telephone", "(###) ###-####"},
    {1, "Frame1(9)", "Alternative Telephone", "MaskEdBox1(4)", Shape::Mask, cell(4, 9, 1, 3),
     "Active Client Alternative Telephone", "(###) ###-####"},
    {1, "Frame1(10)", "Email", "Text1(5)", Shape::Line, cell(5, 0, 1, 12),
     "Active Client Email Address"},
    {1, "Frame1(11)", "Notes", "Text1(6)", Shape::Text, cell(6, 0, 1, 12), "Active Client Notes"},
    {2, "Frame2(0)", "Retainer Date", "DTPicker1", Shape::Picker, cell(0, 0),
     "Active Client Retainer Date", "MM/dd/yyyy"},
    {2, "Frame2(1)", "Type of Claim", "Text2(0)", Shape::ShortText, cell(0, 1),
     "Active Client Claim Type"},
    {2, "Frame2(2)", "Retainer Terms", "Text2(1)", Shape::ShortText, cell(1, 0),
     "Active Client Retainer Terms"},
    {2, "Frame2(3)", "Referrer", "Text2(2)", Shape::ShortText, cell(1, 1),
     "Active Client Referrer"},
    {2, "Frame2(4)", "Claim Forum", "Text2(3)", Shape::ShortText, cell(2, 0),
     "Active Client Forum"},
    {2, "Frame2(5)", "Claim Index Number", "Text2(4)", Shape::ShortText, cell(2, 1),
     "Active Client Claim Number"},
    {2, "Frame2(6)", "Defendants", "Text2(5)", Shape::Text, cell(3, 0, 2, 1),
     "Active Client Defendant"},
    {2, "Frame2(7)", "Opposing Counsel", "Text2(6)", Shape::Text, cell(3, 1),
     "Active Client Opposing Attorney"},
    {2, "Frame2(8)", "Opposing Counsel Telephone", "MaskEdBox2", Shape::Mask, cell(4, 1),
     "Active Client OPA Telephone", "(###) ###-####"},
    {3, "Frame3", "To Do's", "Text3", Shape::Text, cell(0, 0), "Active Client Things To Do"},
    {4, "Frame4", "Case History", "Text4", Shape::Text, cell(0, 0), "Active Client History"},
    {5, "Frame5(0)", "Re: line of invoice", "Text5(0)", Shape::Text, cell(0, 0),
     "Active Client Re Line"},
    {5, "Frame5(1)", "Greeting line of invoice", "Text5(1)", Shape::Text, cell(1, 0),
     "Active Client Greeting"},
    {5, "Frame5(2)", "Closing line of invoice", "Text5(2)", Shape::Text, cell(2, 0),
     "Active Client Closing"},
};

// Tabs 2 to 5; tab 1 is captioned with the current client.
const char* const TabCaptions[] = {"", "Case Information", "To Do's", "Case History",
                                   "Invoice Information"};

// The box that takes the focus when its tab is chosen (on tab 2 the type of claim, not the
// retainer date).
const char* const FocusBoxes[] = {"Text1(0)", "Text2(0)", "Text3", "Text4", "Text5(0)"};

QPointer<frmActiveClients> g_window;

// The two captions of the alternative telephone's frame.
const QString Wide = QStringLiteral("Alternative Telephone");
const QString Narrow = QStringLiteral("Alt Telephone");

// The window as the user sees it: its frame inside the main window, or itself.
QWidget* outer(QWidget* window) {
    auto* frame = qobject_cast<QMdiSubWindow*>(window->parentWidget());
    return frame ? static_cast<QWidget*>(frame) : window;
}

} // namespace

void frmActiveClients::showModeless() {
    if (g_window) {
        Forms::setFocus(g_window);
        return;
    }
    auto* window = new frmActiveClients;
    if (!window->Form_Load()) {
        delete window;
        return;
    }
    g_window = window;
    showChildWindow(window);
    Forms::setFocus(window);
}

frmActiveClients* frmActiveClients::loaded() {
    return g_window;
}

frmActiveClients::frmActiveClients(QWidget* parent) : MenuBarWindow(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmActiveClients"));
    setWindowTitle(QStringLiteral("Contact Database"));
    Forms::add(this);

    TabStrip1 = new QTabWidget(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    buildBoxes();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(Twips::toPixels(50), 0, Twips::toPixels(50), 0);
    layout->addWidget(TabStrip1, 1);
    layout->addWidget(HScroll1);
    layout->addWidget(Adodc1Navigator);

    mnuReturn = addMenuBarCommand("mnuReturn", QStringLiteral("&Return"), this,
                                  &frmActiveClients::mnuReturn_Click);
    mnuSave = addMenuBarCommand("mnuSave", QStringLiteral("&Save"), this,
                                &frmActiveClients::mnuSave_Click);
    mnuReport = addMenuBarCommand("mnuReport", QStringLiteral("R&eport"), this,
                                  &frmActiveClients::mnuReport_Click);

    connect(Adodc1, &DataControl::moveComplete, this, &frmActiveClients::Adodc1_MoveComplete);
    connect(Adodc1, &DataControl::error, this, &frmActiveClients::Adodc1_Error);
    connect(TabStrip1, &QTabWidget::currentChanged, this,
            [this](int index) { TabStrip1_Click(index + 1); });

    resize(Twips::toPixels(9600), Twips::toPixels(7800));
    AlternativeTelephone->installEventFilter(this); // its caption follows its width
}

frmActiveClients::~frmActiveClients() {
    Forms::remove(this);
}

void frmActiveClients::buildBoxes() {
    const ClientRecord::Parts parts = ClientRecord::build(
        this, this, Table, Boxes, TabStrip1, ClientRecord::addPages(TabStrip1, TabCaptions), 32767,
        QStringLiteral("Active Client Data Navigator"));
    Adodc1 = parts.control;
    m_bound = parts.boxes;
    HScroll1 = parts.scrollBar;
    Adodc1Navigator = parts.navigator;
    RecordRules::nameRecords(*Adodc1, QStringLiteral("Client Last Name"),
                             QStringLiteral("Client First Name"));
    DTPicker1 = qobject_cast<DateBox*>(boxOf(QStringLiteral("Active Client Retainer Date")));
    AlternativeTelephone = frameOf(QStringLiteral("Active Client Alternative Telephone"));
    for (const char* name : FocusBoxes)
        m_firstBoxOfTab << findChild<QWidget*>(QLatin1String(name));
}

QWidget* frmActiveClients::boxOf(const QString& field) const {
    const BoxTable::Made* made = m_bound.ofField(field);
    return made ? made->box : nullptr;
}

QGroupBox* frmActiveClients::frameOf(const QString& field) const {
    const BoxTable::Made* made = m_bound.ofField(field);
    return made ? made->frame : nullptr;
}

QString frmActiveClients::path() const {
    return Adodc1->databasePath();
}

bool frmActiveClients::Form_Load() {
    const QString savedSource = gstrRecordSource;
    TabStrip1->setCurrentIndex(0);
    gstrRecordSource = RecordSource;
    ClientRecord::open(Adodc1, gstrRecordSource);
    const int errors = m_errors;
    const bool loaded = Adodc1->Refresh() && m_errors == errors;
    if (loaded) {
        if (Adodc1->RecordCount() == 0) {
            mnuSave->setEnabled(false);
            mnuReport->setEnabled(false);
        } else {
            Adodc1->MoveLast();
        }
    }
    gstrRecordSource = savedSource;
    return loaded;
}

void frmActiveClients::Adodc1_MoveComplete(int) {
    // Every move, the scroll bar's too, names the client shown: the next command opened from
    // here (an invoice, a payment) is for that client.
    try {
        const std::optional<QString> client = RecordRules::arrive(
            *Adodc1, QStringLiteral("Client Last Name"), QStringLiteral("Client First Name"));
        if (!client)
            return;
        gstrClient = *client;
        TabStrip1->setTabText(0, gstrClient);
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in contact database module: ") + e.description() +
                        QStringLiteral("  record position is: ") +
                        QString::number(Adodc1->AbsolutePosition()));
        QTimer::singleShot(0, this, [this] { Forms::close(this); });
    }
}

void frmActiveClients::Adodc1_Error(int number, const QString& description) {
    ++m_errors;
    // A record another window changed or deleted is told in a message of its own.
    if (DataControl::isWriteConflict(number))
        Dialogs::msgBox(description);
    else
        Dialogs::msgBox(QStringLiteral("Error in data control Adodc1:") + description +
                        QStringLiteral(" for Active Clients table."));
}

void frmActiveClients::TabStrip1_Click(int tab) {
    if (tab < 1 || tab > int(m_firstBoxOfTab.size()))
        return;
    if (TabStrip1->currentIndex() != tab - 1)
        TabStrip1->setCurrentIndex(tab - 1); // comes back here through currentChanged
    else if (QWidget* box = m_firstBoxOfTab[tab - 1])
        box->setFocus();
}

void frmActiveClients::mnuSave_Click() {
    if (Adodc1->RecordCount() == 0) {
        Dialogs::msgBox(RecordRules::noRecords());
        Forms::close(this);
        return;
    }
    // The edit is written now; the question comes only after a write that succeeded. A write
    // that was refused has said why, and what was typed stays.
    if (!RecordRules::writePending(*Adodc1, m_errors))
        return;
    if (Dialogs::msgBox(QStringLiteral("Database updated. Continue with Active Clients window?"),
                        Dialogs::vbYesNo) == Dialogs::vbNo)
        Forms::close(this);
}

void frmActiveClients::mnuReturn_Click() {
    Forms::close(this);
}

void frmActiveClients::mnuReport_Click() {
    // The report shows what the window shows: a pending edit is written first.
    if (!Adodc1->Update())
        return;
    const QString savedSource = gstrRecordSource;
    try {
        DataReport2 report;
        {
            BusyCursor busy;
            gstrRecordSource = ActiveClientsReport::statement();
            // The window's own file, whichever file another window made current since.
            report.setDataSource(ActiveClientsReport::records(Database::open(path())));
        }
        report.show();
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
    }
    gstrRecordSource = savedSource;
}

void frmActiveClients::Form_Resize() {
    QWidget* window = outer(this);
    // The short caption is the one the least width must show whole.
    AlternativeTelephone->setMinimumWidth(ClientBoxes::captionWidth(AlternativeTelephone, Narrow));
    // Never smaller than what the boxes and their captions need, whatever the fonts.
    const QSize least = QSize(Twips::toPixels(6000), Twips::toPixels(6800))
                            .expandedTo(minimumSizeHint() + window->size() - size());
    if (window->minimumSize() != least)
        window->setMinimumSize(least);
    captionAlternativeTelephone();
}

void frmActiveClients::captionAlternativeTelephone() {
    // The long caption needs a wide window and room in its frame for the whole of it.
    const bool wide =
        Twips::fromPixels(outer(this)->width()) >= 7000 &&
        AlternativeTelephone->width() >= ClientBoxes::captionWidth(AlternativeTelephone, Wide);
    AlternativeTelephone->setTitle(wide ? Wide : Narrow);
}

bool frmActiveClients::eventFilter(QObject* watched, QEvent* event) {
    // The frame learns its width only as its tab is laid out, which may come after the
    // window's own resize (a tab shown later).
    if (watched == AlternativeTelephone && event->type() == QEvent::Resize)
        captionAlternativeTelephone();
    return MenuBarWindow::eventFilter(watched, event);
}

void frmActiveClients::resizeEvent(QResizeEvent* event) {
    MenuBarWindow::resizeEvent(event);
    Form_Resize();
}

void frmActiveClients::closeEvent(QCloseEvent* event) {
    // The data control has written a pending edit before this, or kept the window open.
    MenuBarWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    Forms::remove(this);
    if (g_window == this)
        g_window = nullptr; // the next opening loads the window afresh
}

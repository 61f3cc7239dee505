#include "frmEntryWithFrames.h"

#include "Search.h"
#include "WindowNavigation.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/FontSetting.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/ControlFonts.h"
#include "core/windows/EditCommands.h"
#include "core/windows/Forms.h"
#include "core/windows/SubsystemCommands.h"
#include "core/windows/frmAboutwtimer.h"
#include "core/windows/frmBrowser.h"
#include "core/windows/frmMain.h"
#include "core/windows/frmTip.h"
#include "frmActivity.h"
#include "frmClient.h"
#include "frmEmployee.h"
#include "frmProject.h"
#include "frmRate.h"
#include "frmSearch.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Clock.h"
#include "platform/data/Dialogs.h"
#include "platform/data/VbString.h"
#include "platform/widgets/AccessKeys.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/PickerTime.h"
#include "platform/widgets/RichText.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"
#include "timelog/logic/EntryAids.h"
#include "timelog/logic/LogCompletion.h"
#include "timelog/logic/SearchStatements.h"

#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTimer>
#include <QToolBar>
#include <map>

namespace {

constexpr int EndingTimeInterval = 30000; // ms
// The smallest size (twips) at which the layout below keeps the notes and every field apart.
constexpr double MinimumWidth = 5400;
constexpr double MinimumHeight = 4800;

using BoxTable::Full;
using BoxTable::rect;
using BoxTable::rectAtLeast;
using BoxTable::Shape;

// Half the window's width within the frames' margins.
constexpr BoxTable::Length Half = (Full - 400) / 2;
constexpr const char* PickerFormat = "M/dd/yyyy hh:mm AP";

// The frames and fields, made in the order the tab key walks them, each at its place in twips
// (a field's in its frame) for the window's width and height; the toolbars and the status line
// above them; the activities pick list over them all, hidden until called.
constexpr BoxTable::Part Fields[] = {
    {1, "Frame1", "Client", nullptr, Shape::None, rect(0, 440, Full / 2, 780)},
    {1, "Frame2", "Employee (or user)", nullptr, Shape::None, rect(Full / 2, 440, Full / 2, 780)},
    {1, "Frame3", "Project", nullptr, Shape::None, rect(0, 1220, Full / 2, 780)},
    {1, "Frame4", "Rate (hourly)", nullptr, Shape::None, rect(Full / 2, 1220, Full / 2, 780)},
    {1, "Frame5", "Invoice summary line", nullptr, Shape::None, rect(0, 2020, Full, 780)},
    {1, "Frame6", "Vellagon notes", nullptr, Shape::None, rect(0, 2820, Full, Full - 3640)},
    {1, "Frame7", "Beginning Time", nullptr, Shape::None, rect(0, Full - 800, Full / 2, 780)},
    {1, "Frame8", "Ending Time", nullptr, Shape::None, rect(Full / 2, Full - 800, Full / 2, 780)},

    {1, "Frame1", nullptr, "Combo1", Shape::ComboAsTyped, rectAtLeast(100, 250, Half - 1335, 0)},
    {1, "Frame2", nullptr, "Combo2", Shape::ComboAsTyped, rectAtLeast(100, 250, Half - 1335, 0)},
    {1, "Frame3", nullptr, "Combo3", Shape::ComboAsTyped, rectAtLeast(100, 250, Half - 1335, 0)},
    {1, "Frame4", nullptr, "Combo4", Shape::ComboAsTyped, rectAtLeast(100, 250, Half - 450, 0)},
    {1, "Frame5", nullptr, "Text1", Shape::Line, rectAtLeast(100, 250, Full - 650, 200)},
    {1, "Frame6", nullptr, "RichTextBox1", Shape::RichText,
     rect(100, 250, Full - 200, Full - 3970)},
    {1, "Frame7", "Beginning Time", "DTPicker1", Shape::PickerAlways,
     rect(150, 250, (Full - 500) / 2, 400), nullptr, PickerFormat},
    {1, "Frame8", "Ending Time", "DTPicker2", Shape::PickerAlways,
     rect(150, 250, (Full - 500) / 2, 400), nullptr, PickerFormat},

    {1, nullptr, nullptr, "Label1", Shape::Label, rect(3300, 30, Full - 3300, 390)},
    {1, nullptr, nullptr, "List1", Shape::List, rect(100, 100, Full - 200, Full - 200)},
    // The status line stands right of the window's toolbar; a field's toolbar right of it.
    {1, nullptr, nullptr, "Toolbar1", Shape::Toolbar, rect(0, 0, 3300, 440)},
    {1, "Frame1", nullptr, "Toolbar2", Shape::Toolbar, rectAtLeast(Half - 1200, 250, 1300, 0)},
    {1, "Frame2", nullptr, "Toolbar3", Shape::Toolbar, rectAtLeast(Half - 1200, 250, 1300, 0)},
    {1, "Frame3", nullptr, "Toolbar4", Shape::Toolbar, rectAtLeast(Half - 1200, 250, 1300, 0)},
    {1, "Frame5", nullptr, "Toolbar5", Shape::Toolbar, rectAtLeast(Full - 500, 250, 400, 0)},
    {1, "Frame4", nullptr, "Toolbar6", Shape::Toolbar, rectAtLeast(Half - 300, 250, 400, 0)},
};

// A list window, on the file of the window it is opened from.
template <class Window>
void openList(ChildWindow* from) {
    from->runPrologue();
    ListDialog::showModal<Window>();
}

void setComboText(QComboBox* box, const QString& text) {
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace

frmEntryWithFrames::frmEntryWithFrames(QWidget* parent) : ChildWindow(Kind::Entry, parent) {
    createFields();
    createToolbars();
    createMenus();
    trackHints();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(EndingTimeInterval);
    connect(Timer1, &QTimer::timeout, this, &frmEntryWithFrames::Timer1_Timer);
    Timer1->start();

    Twips::setMinimumSize(this, MinimumWidth, MinimumHeight);
    // Shows every field when the window stands alone; a child window gets its size from the
    // main window.
    resize(640, 480);
    Form_Load();
}

void frmEntryWithFrames::createFields() {
    m_fields = BoxTable::build(Fields, {this});
    Frame1 = m_fields.frame("Frame1");
    Frame2 = m_fields.frame("Frame2");
    Frame3 = m_fields.frame("Frame3");
    Frame4 = m_fields.frame("Frame4");
    Frame5 = m_fields.frame("Frame5");
    Frame6 = m_fields.frame("Frame6");
    Frame7 = m_fields.frame("Frame7");
    Frame8 = m_fields.frame("Frame8");
    Combo1 = m_fields.box<QComboBox>("Combo1");
    Combo2 = m_fields.box<QComboBox>("Combo2");
    Combo3 = m_fields.box<QComboBox>("Combo3");
    Combo4 = m_fields.box<QComboBox>("Combo4");
    Text1 = m_fields.box<QLineEdit>("Text1");
    RichTextBox1 = m_fields.box<RichTextBox>("RichTextBox1");
    DTPicker1 = m_fields.box<DateBox>("DTPicker1");
    DTPicker2 = m_fields.box<DateBox>("DTPicker2");
    Label1 = m_fields.box<QLabel>("Label1");
    List1 = m_fields.box<QListWidget>("List1");
    Toolbar1 = m_fields.box<QToolBar>("Toolbar1");
    Toolbar2 = m_fields.box<QToolBar>("Toolbar2");
    Toolbar3 = m_fields.box<QToolBar>("Toolbar3");
    Toolbar4 = m_fields.box<QToolBar>("Toolbar4");
    Toolbar5 = m_fields.box<QToolBar>("Toolbar5");
    Toolbar6 = m_fields.box<QToolBar>("Toolbar6");

    Text1->installEventFilter(this);
    RichTextBox1->installEventFilter(this);
    // Only the user's edits reach this: the window sets the time with the signal blocked.
    connect(DTPicker2, &QDateTimeEdit::dateTimeChanged, this,
            &frmEntryWithFrames::DTPicker2_Change);
    List1->setToolTip(QStringLiteral("Select an item and then press [Enter]"));
    List1->installEventFilter(this);
    List1->hide();
}

void frmEntryWithFrames::createToolbars() {
    addToolButtons(Toolbar1, {
                                 {"Back", "Go back to another Data Entry or Display window"},
                                 {"Forward", "Go forward to another Data Entry or Display window"},
                                 {"Cut", "Cut selected text or graphic"},
                                 {"Copy", "Copy selected text or graphic"},
                                 {"Paste", "Paste into selected area"},
                                 {"New", "Create a new Data Entry window"},
                             });
    addToolButton(Toolbar1, QStringLiteral("Find"), QStringLiteral("Search"));
    addToolButton(Toolbar1, QStringLiteral("Help"), QStringLiteral("Help"));
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* button) { Toolbar1_ButtonClick(button->data().toString()); });

    const QString properties = QStringLiteral("Properties");
    const QString viewDetails = QStringLiteral("View Details");
    const QString smallCaps = QStringLiteral("Small Caps");
    const QString changeList = QStringLiteral("Change list entries");
    const QString changeCaption = QStringLiteral("Change caption for this field");
    addToolButton(Toolbar2, properties, changeList);
    QAction* viewDetailsButton =
        addToolButton(Toolbar2, viewDetails, QStringLiteral("Go to contact database"));
    addToolButton(Toolbar2, smallCaps, changeCaption);
    addToolButton(Toolbar3, properties, changeList);
    addToolButton(Toolbar3, smallCaps, changeCaption);
    addToolButton(Toolbar4, properties, changeList);
    addToolButton(Toolbar4, smallCaps, changeCaption);
    addToolButton(Toolbar5, smallCaps, changeCaption);
    Toolbar6->setToolTip(QStringLiteral("Change rate list entries"));
    addToolButton(Toolbar6, properties, properties);
    // The contact database opens from View Details when it is there.
    viewDetailsButton->setEnabled(
        SubsystemCommands::isRegistered(SubsystemCommands::Command::ContactDatabase));
    const auto dispatch = [this](QToolBar* bar,
                                 void (frmEntryWithFrames::*handler)(const QString&)) {
        connect(bar, &QToolBar::actionTriggered, this,
                [this, handler](QAction* button) { (this->*handler)(button->data().toString()); });
    };
    dispatch(Toolbar2, &frmEntryWithFrames::Toolbar2_ButtonClick);
    dispatch(Toolbar3, &frmEntryWithFrames::Toolbar3_ButtonClick);
    dispatch(Toolbar4, &frmEntryWithFrames::Toolbar4_ButtonClick);
    dispatch(Toolbar5, &frmEntryWithFrames::Toolbar5_ButtonClick);
    dispatch(Toolbar6, &frmEntryWithFrames::Toolbar6_ButtonClick);

    List1->raise(); // covers the window when shown
}

void frmEntryWithFrames::createMenus() {
    mnuFile = addMenu("mnuFile", QStringLiteral("&File"));
    for (int i = 0; i < int(mnuFileName.size()); ++i) {
        mnuFileName[i] = mnuFile->addAction(QStringLiteral("FileName"));
        mnuFileName[i]->setObjectName(QStringLiteral("mnuFileName(%1)").arg(i));
        mnuFileName[i]->setVisible(false);
        mnuFileName[i]->setEnabled(false);
    }
    mnuSeparator = mnuFile->addSeparator();
    mnuSeparator->setObjectName(QStringLiteral("mnuSeparator"));
    mnuExit = addMenuItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), this,
                          &frmEntryWithFrames::mnuExit_Click);

    mnuEdit = addMenu("mnuEdit", QStringLiteral("&Edit"));
    mnuCopy = addMenuItem(mnuEdit, "mnuCopy", QStringLiteral("&Copy"), this, &EditCommands::copy,
                          QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuCut = addMenuItem(mnuEdit, "mnuCut", QStringLiteral("Cu&t"), this, &EditCommands::cut,
                         QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuEPaste = addMenuItem(mnuEdit, "mnuEPaste", QStringLiteral("&Paste"), this,
                            &EditCommands::paste, QKeySequence(Qt::CTRL | Qt::Key_G));
    mnuDelete = addMenuItem(mnuEdit, "mnuDelete", QStringLiteral("&Delete"), this,
                            &EditCommands::deleteSelection, QKeySequence(Qt::Key_Delete));
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    mnuFonts = addSubmenu(mnuEdit, "mnuFonts", QStringLiteral("F&onts"));
    mnuDisplayfont = addMenuItem(mnuFonts, "mnuDisplayfont", QStringLiteral("&Display font"));
    mnuDataentryfont =
        addMenuItem(mnuFonts, "mnuDataentryfont", QStringLiteral("Data &entry font"));
    mnuInvoiceFont = addSubmenu(mnuFonts, "mnuInvoiceFont", QStringLiteral("&Invoice Fonts"));
    mnuLetterheadfont =
        addMenuItem(mnuInvoiceFont, "mnuLetterheadfont", QStringLiteral("Le&tterhead font"));
    mnuReportfont = addMenuItem(mnuInvoiceFont, "mnuReportfont", QStringLiteral("&Report font"));
    mnuVellagonfont =
        addMenuItem(mnuInvoiceFont, "mnuVellagonfont", QStringLiteral("&Vellagon font"));
    mnuPrintFont = addMenuItem(mnuFonts, "mnuPrintFont", QStringLiteral("&Print font"));
    mnuEdit->addSeparator()->setObjectName(QStringLiteral("mnuLine"));
    mnuSelectAll =
        addMenuItem(mnuEdit, "mnuSelectAll", QStringLiteral("&Select All"), this,
                    &frmEntryWithFrames::mnuSelectAll_Click, QKeySequence(Qt::CTRL | Qt::Key_A));

    mnuLogcompleted = addMenuBarCommand("mnuLogcompleted", QStringLiteral("&Log completed"), this,
                                        &frmEntryWithFrames::mnuLogcompleted_Click);
    // "&Lists" has the same access key; completing the log is what Alt+L is for.
    AccessKeys::prefer(mnuLogcompleted);
    mnuEnterDisplay = addMenuBarCommand("mnuEnterDisplay", QStringLiteral("&Display"), this,
                                        &frmEntryWithFrames::mnuEnterDisplay_Click);
    mnuSearch = addMenuBarCommand("mnuSearch", QStringLiteral("&Search"), this,
                                  &frmEntryWithFrames::mnuSearch_Click);
    mnuNewEntry = addMenuBarCommand("mnuNewEntry", QStringLiteral("&New Entry"), this,
                                    &frmEntryWithFrames::mnuNewEntry_Click);

    mnuLists = addMenu("mnuLists", QStringLiteral("&Lists"));
    mnuActivity = addMenuItem(mnuLists, "mnuActivity", QStringLiteral("&Activities"), this,
                              &frmEntryWithFrames::mnuActivity_Click, Qt::Key_F3);
    mnuEmployees = addMenuItem(mnuLists, "mnuEmployees", QStringLiteral("&Employees"), this,
                               &frmEntryWithFrames::mnuEmployees_Click, Qt::Key_F4);
    mnuProject = addMenuItem(mnuLists, "mnuProject", QStringLiteral("&Projects"), this,
                             &frmEntryWithFrames::mnuProject_Click, Qt::Key_F5);
    mnuRates = addMenuItem(mnuLists, "mnuRates", QStringLiteral("&Rates"), this,
                           &frmEntryWithFrames::mnuRates_Click, Qt::Key_F6);
    mnuThingsToDo =
        addMenuItem(mnuLists, "mnuThingsToDo", QStringLiteral("&Things To Do"), Qt::Key_F7);

    mnuClients = addMenu("mnuClients", QStringLiteral("&Clients"));
    mnuCClient = addMenuItem(mnuClients, "mnuCClient", QStringLiteral("&Add a client"), this,
                             &frmEntryWithFrames::mnuCClient_Click, Qt::Key_F2);
    mnuActiveClients =
        addMenuItem(mnuClients, "mnuActiveClients", QStringLiteral("&Contact database"));
    mnuInactiveClients =
        addMenuItem(mnuClients, "mnuInactiveClients", QStringLiteral("I&nactive Clients"));
    mnuDisbursements =
        addMenuItem(mnuClients, "mnuDisbursements", QStringLiteral("&Disbursements/Payments"));
    mnuClientInvoice = addSubmenu(mnuClients, "mnuClientInvoice", QStringLiteral("&Invoice"));
    mnuLetterhead =
        addMenuItem(mnuClientInvoice, "mnuLetterhead", QStringLiteral("Add or change &letterhead"));
    mnuCreateInvoice =
        addMenuItem(mnuClientInvoice, "mnuCreateInvoice", QStringLiteral("Create in&voice"));

    addWindowMenu();

    mnuHelp = addMenu("mnuHelp", QStringLiteral("&Help"));
    mnuIndex = addMenuItem(mnuHelp, "mnuIndex", QStringLiteral("&Index")); // has no command
    mnuTips = addMenuItem(mnuHelp, "mnuTips", QStringLiteral("&Show Tip of the Day"), this,
                          &frmTip::showModal);
    mnuWeb = addMenuItem(mnuHelp, "mnuWeb", QStringLiteral("&Get help from the internet"), this,
                         &frmBrowser::showModal);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnujunk"));
    mnuAbout = addMenuItem(mnuHelp, "mnuAbout", QStringLiteral("&About this program"), this,
                           &frmAboutwtimer::showModeless);

    for (int i = 0; i < int(mnuFileName.size()); ++i)
        connect(mnuFileName[i], &QAction::triggered, this, [this, i] { mnuFileName_Click(i); });

    // The windows of the subsystems that build on this one, enabled when they are there.
    using SubsystemCommands::Command;
    SubsystemCommands::bind(mnuThingsToDo, Command::ThingsToDo, this);
    SubsystemCommands::bind(mnuActiveClients, Command::ContactDatabase, this);
    SubsystemCommands::bind(mnuInactiveClients, Command::InactiveClients, this);
    // The payments window opens on the client in hand, trimmed as a completed log stores it.
    SubsystemCommands::bind(mnuDisbursements, Command::PaymentsDisbursements, this,
                            [this] { gstrClient = vbTrim(Combo1->currentText()); });
    SubsystemCommands::bind(mnuLetterhead, Command::Letterhead, this);
    SubsystemCommands::bind(mnuCreateInvoice, Command::CreateInvoice, this);

    const std::pair<QAction*, ProgramFont> fonts[] = {
        {mnuDisplayfont, ProgramFont::Display},       {mnuDataentryfont, ProgramFont::Entry},
        {mnuLetterheadfont, ProgramFont::Letterhead}, {mnuReportfont, ProgramFont::Report},
        {mnuVellagonfont, ProgramFont::Vellagon},     {mnuPrintFont, ProgramFont::Print}};
    for (const auto& [item, font] : fonts)
        connect(item, &QAction::triggered, this, [font = font] { chooseFont(font); });
}

void frmEntryWithFrames::Form_Load() {
    const QDateTime now = Clock::now();
    setPickerTime(*DTPicker1, now);
    setPickerTime(*DTPicker2, now);

    setPath(gstrDatabasePath);

    applyFontSetting({Text1, Combo1, Combo2, Combo3, Combo4, List1, RichTextBox1},
                     gstrEntryFontName, gstrEntryFontSize);

    const MainLists& lists = mainLists();
    fillSorted(Combo1, lists.List1[MainLists::Clients].items());
    fillSorted(Combo2, lists.List1[MainLists::Employees].items());
    fillSorted(Combo3, lists.List1[MainLists::Projects].items());
    fillSorted(Combo4, lists.List1[MainLists::Rates].items());
    fillSorted(List1, lists.List1[MainLists::Activities].items());

    if (lists.List2.isEmpty()) {
        mnuSeparator->setVisible(false);
        mnuSeparator->setEnabled(false);
    } else {
        for (int i = 0; i < int(mnuFileName.size()); ++i) {
            const QString file = lists.List2.value(i);
            if (file.isEmpty())
                break;
            // "&" in a path would mark an access key; the path itself travels as the item's data.
            mnuFileName[i]->setText(QString(file).replace(QLatin1Char('&'), QStringLiteral("&&")));
            mnuFileName[i]->setData(file);
            mnuFileName[i]->setEnabled(true);
            mnuFileName[i]->setVisible(true);
        }
    }

    Frame1->setTitle(gstrFrame1Caption);
    Frame2->setTitle(gstrFrame2Caption);
    Frame3->setTitle(gstrFrame3Caption);
    Frame5->setTitle(gstrFrame5Caption);

    mnuInactiveClients->setText(QStringLiteral("Inactive ") + gstrFrame1Caption +
                                QStringLiteral("s"));
    mnuCClient->setText(QStringLiteral("Add a ") + gstrFrame1Caption);
    mnuEmployees->setText(gstrFrame2Caption + QStringLiteral("s"));
    mnuProject->setText(gstrFrame3Caption + QStringLiteral("s"));

    setComboText(Combo2, gstrDefaultEmployee);
    setComboText(Combo1, QString());

    gblnEntryActive = true;
    gblnDisplayActive = false;
}

void frmEntryWithFrames::Form_Resize() {
    m_fields.layOut(size());

    Label1->setText(QStringLiteral("  ") + Label2->text() + QStringLiteral("  "));

    // The client field takes the focus, but only in the active window: a window that is being
    // tiled or cascaded must not take the activation from another.
    const bool active = childWindowArea() && childWindowArea()->isAncestorOf(this)
                            ? activeChildWindow() == this
                            : isActiveWindow();
    if (isVisible() && active) {
        Combo2->setFocus();
        Combo1->setFocus();
    }
}

void frmEntryWithFrames::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    Form_Resize();
}

void frmEntryWithFrames::Timer1_Timer() {
    setPickerTime(*DTPicker2, Clock::now());
}

void frmEntryWithFrames::DTPicker2_Change() {
    Timer1->stop();
}

bool frmEntryWithFrames::endingTimeFollowsClock() const {
    return Timer1->isActive();
}

void frmEntryWithFrames::mnuLogcompleted_Click() {
    if (!DTPicker1->commitTyping() || !DTPicker2->commitTyping())
        return;
    LogCompletion::Entry entry;
    entry.client = Combo1->currentText();
    entry.employee = Combo2->currentText();
    entry.project = Combo3->currentText();
    entry.rate = Combo4->currentText();
    entry.summary = Text1->text();
    entry.notesText = RichText::plainText(*RichTextBox1->document());
    entry.notesHtml = RichText::toStoredHtml(*RichTextBox1->document());
    // The minutes the pickers show are the times stored and billed.
    entry.beginning = shownDateTime(*DTPicker1);
    entry.ending = shownDateTime(*DTPicker2);

    // The log goes to this window's own file, whatever window ran the last command.
    const LogCompletion::Outcome outcome = LogCompletion::complete(path(), entry);
    if (!outcome.saved) {
        // The last save's confirmation must not stand beside a refused entry.
        Label1->setText(QStringLiteral("Vellagon not saved"));
        Dialogs::msgBox(outcome.message);
        using Field = LogCompletion::Field;
        const std::map<Field, QWidget*> boxes{
            {Field::Client, Combo1}, {Field::Employee, Combo2}, {Field::Project, Combo3},
            {Field::Rate, Combo4},   {Field::Summary, Text1},   {Field::EndingTime, DTPicker2}};
        if (const auto box = boxes.find(outcome.field); box != boxes.end())
            box->second->setFocus();
        return;
    }

    gstrRate = outcome.log.rate;
    gstrDuration = outcome.log.duration;
    gvarFee =
        outcome.log.rate.isEmpty() ? QVariant(QString()) : QVariant::fromValue(outcome.log.fee);
    Label1->setText(QStringLiteral("Vellagon saved"));
    clearForNextLog();
}

void frmEntryWithFrames::clearForNextLog() {
    setComboText(Combo1, QString());
    setComboText(Combo2, gstrDefaultEmployee);
    setComboText(Combo3, QString());
    setComboText(Combo4, QString());
    RichTextBox1->clear();
    RichTextBox1->setCurrentCharFormat(QTextCharFormat());
    Text1->clear();
    const QDateTime now = Clock::now();
    setPickerTime(*DTPicker1, now);
    setPickerTime(*DTPicker2, now);
    // The next entry follows the clock again, even if the user stopped it for this one.
    Timer1->start();
}

void frmEntryWithFrames::mnuSelectAll_Click() {
    EditCommands::selectAll(RichTextBox1);
}

void frmEntryWithFrames::mnuEnterDisplay_Click() {
    BusyCursor busy;
    // On this window's file: the last command may have left another one in hand.
    gstrDatabasePath = path();
    NewDisplayForm();
    if (ChildWindow* shown = gfrmDisplays.value(glngDisplayUBound))
        shown->parentWidget()->raise();
}

void frmEntryWithFrames::mnuNewEntry_Click() {
    runPrologue();
    NewDataEntryForm();
}

void frmEntryWithFrames::mnuFileName_Click(int index) {
    gstrDatabasePath = mnuFileName[index]->data().toString();
    BusyCursor busy;
    try {
        OpenDatabaseAndFillLists();
        NewDisplayForm();
        NewDataEntryForm();
    } catch (const AppError& e) {
        // A recent file that cannot be opened is reported; the program goes on.
        busy.release();
        Dialogs::msgBox(e.description());
    }
}

void frmEntryWithFrames::setStatusText(const QString& text) {
    Label1->setText(text);
}

void frmEntryWithFrames::mnuExit_Click() {
    ExitProgram();
}

void frmEntryWithFrames::Toolbar1_ButtonClick(const QString& key) {
    WindowNavigation::runToolbarButton(this, key, [&] {
        if (key == QLatin1String("New"))
            mnuNewEntry_Click(); // on this window's file, as New Entry
        else if (key == QLatin1String("Find"))
            mnuSearch_Click();
    });
}

void frmEntryWithFrames::mnuSearch_Click() {
    gstrClient.clear();
    gstrProject.clear();
    runPrologue();
    // Any text is a criterion, blanks alone too. It is sought trimmed, as a completed log
    // stores it, so that a typed name finds its logs; blanks alone are sought as they stand
    // and find nothing.
    const auto sought = [](const QString& text) {
        const QString trimmed = vbTrim(text);
        return trimmed.isEmpty() ? text : trimmed;
    };
    gstrClient = sought(Combo1->currentText());
    gstrProject = sought(Combo3->currentText());

    if (gstrClient.isEmpty() && gstrProject.isEmpty()) {
        frmSearch* search = frmSearch::instance();
        search->mnuReport->setVisible(false);
        search->offerCurrentClient(false);
        gblnDisplayActive = false;
        gblnEntryActive = true;
        search->show();
        Forms::setFocus(search);
        return;
    }
    try {
        SearchRoutine(SearchStatements::ClientOrProject, SearchStatements::AllTime, false);
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
        return;
    }
    // The result's window, when the search made one; none is made for the user here.
    if (ChildWindow* result = currentDisplayWindow())
        Forms::setFocus(result);
}

void frmEntryWithFrames::mnuCClient_Click() {
    openList<frmClient>(this);
}

void frmEntryWithFrames::mnuActivity_Click() {
    openList<frmActivity>(this);
}

void frmEntryWithFrames::mnuEmployees_Click() {
    openList<frmEmployee>(this);
}

void frmEntryWithFrames::mnuProject_Click() {
    openList<frmProject>(this);
}

void frmEntryWithFrames::mnuRates_Click() {
    openList<frmRate>(this);
}

void frmEntryWithFrames::Toolbar2_ButtonClick(const QString& key) {
    if (key == QLatin1String("Properties"))
        mnuCClient_Click();
    else if (key == QLatin1String("View Details"))
        mnuActiveClients->trigger();
    else if (key == QLatin1String("Small Caps"))
        renameField(Frame1, FieldCaptions::Client);
}

void frmEntryWithFrames::Toolbar3_ButtonClick(const QString& key) {
    if (key == QLatin1String("Properties"))
        mnuEmployees_Click();
    else if (key == QLatin1String("Small Caps"))
        renameField(Frame2, FieldCaptions::Employee);
}

void frmEntryWithFrames::Toolbar4_ButtonClick(const QString& key) {
    if (key == QLatin1String("Properties"))
        mnuProject_Click();
    else if (key == QLatin1String("Small Caps"))
        renameField(Frame3, FieldCaptions::Project);
}

void frmEntryWithFrames::Toolbar5_ButtonClick(const QString& key) {
    if (key == QLatin1String("Small Caps"))
        renameField(Frame5, FieldCaptions::Summary);
}

void frmEntryWithFrames::renameField(QGroupBox* frame, FieldCaptions::Field field) {
    if (const std::optional<QString> caption = EntryAids::renameField(field))
        frame->setTitle(*caption);
}

void frmEntryWithFrames::Toolbar6_ButtonClick(const QString& key) {
    if (key == QLatin1String("Properties"))
        mnuRates_Click();
}

void frmEntryWithFrames::Text1_GotFocus() {
    gblnSummaryFocus = true;
}

void frmEntryWithFrames::RichTextBox1_GotFocus() {
    gblnSummaryFocus = false;
}

bool frmEntryWithFrames::RichTextBox1_KeyDown(int KeyCode) {
    if (KeyCode == Qt::Key_F8) {
        Text1->setText(EntryAids::summaryWithSelection(Text1->text(),
                                                       RichTextBox1->textCursor().selectedText()));
        return true;
    }
    if (KeyCode == Qt::Key_F9) {
        showPickList();
        return true;
    }
    return false;
}

bool frmEntryWithFrames::Text1_KeyDown(int KeyCode) {
    if (KeyCode != Qt::Key_F9)
        return false;
    showPickList();
    return true;
}

void frmEntryWithFrames::showPickList() {
    m_summarySelectionStart =
        Text1->hasSelectedText() ? Text1->selectionStart() : Text1->cursorPosition();
    m_summarySelectionLength = Text1->selectionLength();
    List1->show();
    List1->raise();
    List1->setFocus();
}

bool frmEntryWithFrames::List1_KeyPress(int KeyAscii) {
    gstrScratch = EntryAids::pickListText(selectedItemsOf(List1));
    if (KeyAscii == 13) {
        // The text replaces the field's selection, or goes in at its caret.
        closePickList();
        if (gblnSummaryFocus)
            Text1->insert(gstrScratch);
        else
            RichTextBox1->insertPlainText(gstrScratch);
        return true;
    }
    if (KeyAscii == 27) {
        closePickList();
        return true;
    }
    return false;
}

void frmEntryWithFrames::closePickList() {
    List1->hide();
    if (gblnSummaryFocus) {
        Text1->setFocus();
        Text1->setSelection(m_summarySelectionStart, m_summarySelectionLength);
    } else {
        RichTextBox1->setFocus();
    }
}

void frmEntryWithFrames::trackHints() {
    QList<QWidget*> elements{Frame1, Frame2, Frame3, Frame4, Frame5,
                             Frame6, Frame7, Frame8, Label1};
    // A toolbar's buttons show the toolbar's hint, as the toolbar itself does.
    for (QToolBar* bar : {Toolbar1, Toolbar2, Toolbar3, Toolbar4, Toolbar5, Toolbar6}) {
        elements << bar;
        for (QAction* button : bar->actions())
            if (QWidget* widget = bar->widgetForAction(button))
                elements << widget;
    }
    for (QWidget* element : elements) {
        element->setMouseTracking(true);
        element->installEventFilter(this);
    }
}

std::optional<QString> frmEntryWithFrames::hintFor(QObject* element) const {
    const auto listHint = [](const char* key, const QString& caption) {
        return QStringLiteral("  Use [%1] to change your list for ").arg(QLatin1String(key)) +
               caption + QStringLiteral("  ");
    };
    if (element == Frame1)
        return listHint("F2", gstrFrame1Caption);
    if (element == Frame2)
        return listHint("F4", gstrFrame2Caption);
    if (element == Frame3)
        return listHint("F5", gstrFrame3Caption);
    if (element == Frame4)
        return QStringLiteral("  Use [F6] to change your list for hourly rates  ");
    if (element == Frame5)
        return QStringLiteral("  Use [F3] and [F9] to access your Activities list  ");
    if (element == Frame6)
        return QStringLiteral("  Use [F7] to access your To Do list  ");
    if (element == Frame7)
        return QStringLiteral("  You can edit your Beginning Time here  ");
    if (element == Frame8)
        return QStringLiteral("  You can edit your Ending Time here  ");

    // A button stands for its toolbar.
    if (auto* widget = qobject_cast<QWidget*>(element);
        widget && qobject_cast<QToolBar*>(widget->parentWidget()))
        element = widget->parentWidget();
    if (element == Toolbar2)
        return QStringLiteral("Maintain ") + gstrFrame1Caption +
               QStringLiteral(" list, Contact Database or reset this field's caption");
    if (element == Toolbar3)
        return QStringLiteral("Maintain ") + gstrFrame2Caption +
               QStringLiteral(" list, or reset this field's caption");
    if (element == Toolbar4)
        return QStringLiteral("Maintain ") + gstrFrame3Caption +
               QStringLiteral(" list, or reset this field's caption");
    if (element == Toolbar5)
        return QStringLiteral("Reset this field's caption");
    if (element == Toolbar6)
        return QStringLiteral("Maintain the Rates list");
    if (element == Toolbar1 || element == Label1)
        return Label2->text();
    return std::nullopt;
}

bool frmEntryWithFrames::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        if (watched == Text1)
            Text1_GotFocus();
        else if (watched == RichTextBox1)
            RichTextBox1_GotFocus();
        break;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (watched == RichTextBox1 && RichTextBox1_KeyDown(key->key()))
            return true;
        if (watched == Text1 && Text1_KeyDown(key->key()))
            return true;
        if (watched == List1 && !key->text().isEmpty() &&
            List1_KeyPress(key->text().front().unicode()))
            return true;
        break;
    }
    case QEvent::MouseMove:
        if (const std::optional<QString> hint = hintFor(watched)) {
            Label1->setText(*hint);
            // The frame around a field's toolbar would put its own hint in its place.
            const bool toolbarPart = !qobject_cast<QGroupBox*>(watched) && watched != Label1;
            return toolbarPart && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton;
        }
        break;
    default:
        break;
    }
    return ChildWindow::eventFilter(watched, event);
}

void frmEntryWithFrames::refillList(int list, const QStringList& items, BoxText text) {
    if (list == MainLists::Activities) {
        fillSorted(List1, items);
        return;
    }
    const std::map<int, QComboBox*> boxes{{MainLists::Clients, Combo1},
                                          {MainLists::Employees, Combo2},
                                          {MainLists::Projects, Combo3},
                                          {MainLists::Rates, Combo4}};
    const auto box = boxes.find(list);
    if (box == boxes.end())
        return;
    const QString shown = box->second->currentText();
    fillSorted(box->second, items);
    if (text == BoxText::Kept)
        setComboText(box->second, shown);
}

#include "frmDisplay.h"

#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/ControlFonts.h"
#include "core/windows/frmMain.h"
#include "platform/data/ConnectionString.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbString.h"
#include "platform/widgets/BoundField.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/DataNavigator.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WhenDrawn.h"
#include "platform/widgets/WindowParts.h"
#include "timelog/logic/DisplayRules.h"

#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <utility>

namespace {

const QString RecordSourceAll = QStringLiteral("Select * from Vellagons order by [Beginning Time]");

// The smallest size (twips) at which the layout of Form_Resize keeps every box apart.
constexpr double MinimumWidth = 5400;
constexpr double MinimumHeight = 4000;

// The statement of frmDisplay::OpeningSource ("" for every log).
QString g_openingSource;

using BoxTable::Full;
using BoxTable::next;
using BoxTable::rect;
using BoxTable::Shape;

// Half the window's width between the boxes' margins, and the width of a time box.
constexpr BoxTable::Length Half = (Full - 150) / 2;
constexpr BoxTable::Length TimeWidth = (Full - 1100) / 2;

// The boxes and the log's fields they show, each at its place in twips for the window's width
// and height: the two views of the log's text share theirs, and the fee is never shown. The
// slider ends where the navigator begins. The window makes the slider, the navigator and the
// toolbar after the boxes.
constexpr BoxTable::Part Boxes[] = {
    {1, nullptr, nullptr, "Text1", Shape::Line, rect(50, 480, Half, 300), "Client"},
    {1, nullptr, nullptr, "Text2", Shape::Line, rect(Half + 100, 480, Half, 300), "Employee"},
    {1, nullptr, nullptr, "Text3", Shape::Line, rect(50, 920, Half, 300), "Project"},
    {1, nullptr, nullptr, "Text4", Shape::Line, rect(Half + 100, 920, Half, 300), "Rate"},
    {1, nullptr, nullptr, "Text5", Shape::Line, rect(50, 1370, Full - 100, 300), "Log Summary"},
    {1, nullptr, nullptr, "Text6", Shape::Line, next(), "Fee", nullptr, BoundField::Money},
    {1, nullptr, nullptr, "Text7", Shape::Line, rect(50, Full - 1100, TimeWidth, 300),
     "Beginning Time", nullptr, BoundField::Date},
    {1, nullptr, nullptr, "Text8", Shape::Line, rect(TimeWidth + 100, Full - 1100, 900, 300),
     "Duration", nullptr, BoundField::Number},
    {1, nullptr, nullptr, "Text9", Shape::Line, rect(TimeWidth + 1050, Full - 1100, TimeWidth, 300),
     "Ending Time", nullptr, BoundField::Date},
    {1, nullptr, nullptr, "RichTextBox1", Shape::RichText, rect(50, 1820, Full - 100, Full - 2970),
     "VellaGraphic"},
    {1, nullptr, nullptr, "RichTextBox2", Shape::PlainText, rect(50, 1820, Full - 100, Full - 2970),
     "Vellagon", nullptr, BoundField::Memo},
    {1, nullptr, nullptr, "Label1", Shape::Label, rect(3300, 30, Full - 3300, 410)},
    {1, nullptr, nullptr, "Slider1", Shape::Placed, rect(0, Full - 650, Full, 300)},
    {1, nullptr, nullptr, "Adodc1Navigator", Shape::Placed, rect(0, Full - 350, Full, 350)},
    {1, nullptr, nullptr, "Toolbar1", Shape::Placed, rect(0, 0, 3300, 440)},
};

} // namespace

frmDisplay::frmDisplay(QWidget* parent) : ChildWindow(Kind::Display, parent) {
    buildControls();
    bindBoxes();
    Form_Load();
}

frmDisplay::~frmDisplay() = default;

frmDisplay::OpeningSource::OpeningSource(const QString& statement) : m_previous(g_openingSource) {
    g_openingSource = statement;
}

frmDisplay::OpeningSource::~OpeningSource() {
    g_openingSource = m_previous;
}

void frmDisplay::buildControls() {
    setMouseTracking(true);
    Twips::setMinimumSize(this, MinimumWidth, MinimumHeight);
    m_boxes = BoxTable::build(Boxes, {this});
    Text1 = m_boxes.box<QLineEdit>("Text1");
    Text2 = m_boxes.box<QLineEdit>("Text2");
    Text3 = m_boxes.box<QLineEdit>("Text3");
    Text4 = m_boxes.box<QLineEdit>("Text4");
    Text5 = m_boxes.box<QLineEdit>("Text5");
    Text6 = m_boxes.box<QLineEdit>("Text6");
    Text7 = m_boxes.box<QLineEdit>("Text7");
    Text8 = m_boxes.box<QLineEdit>("Text8");
    Text9 = m_boxes.box<QLineEdit>("Text9");
    RichTextBox1 = m_boxes.box<QTextEdit>("RichTextBox1");
    RichTextBox2 = m_boxes.box<QTextEdit>("RichTextBox2");
    Label1 = m_boxes.box<QLabel>("Label1");
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9}) {
        box->setMouseTracking(true);
        box->installEventFilter(this);
    }
    Text6->hide();
    for (QTextEdit* box : {RichTextBox1, RichTextBox2}) {
        box->viewport()->setMouseTracking(true);
        box->viewport()->installEventFilter(this);
    }
    Label1->setTextFormat(Qt::PlainText);
    Label1->setMouseTracking(true);

    Slider1 = new QSlider(Qt::Horizontal, this);
    Slider1->setObjectName(QStringLiteral("Slider1"));
    Slider1->setRange(0, 100);
    Slider1->setSingleStep(1);
    Slider1->setPageStep(5);
    Slider1->setTickPosition(QSlider::TicksBelow);
    Slider1->setTickInterval(5);
    Slider1->setMouseTracking(true);
    Slider1->installEventFilter(this);

    Adodc1 = new DataControl(this);
    Adodc1->setObjectName(QStringLiteral("Adodc1"));
    Adodc1Navigator = new DataNavigator(Adodc1, this);
    Adodc1Navigator->setObjectName(QStringLiteral("Adodc1Navigator"));
    Adodc1Navigator->setToolTip(QStringLiteral("Use this Data Navigator to access adjoining "
                                               "records or to go to the first or last record"));
    connect(Adodc1, &DataControl::moveComplete, this, &frmDisplay::Adodc1_MoveComplete);
    connect(Adodc1, &DataControl::error, this, &frmDisplay::showDataError);
    Adodc1->setBeforeCommit(DisplayRules::feeFollowsRateAndDuration);
    Adodc1->setRecordName(DisplayRules::logName);

    Toolbar1 = newToolbar(this, "Toolbar1");
    Toolbar1->setMouseTracking(true);
    Toolbar1->installEventFilter(this);

    buildCommands();

    RichTextBox1->hide();
    resize(Twips::toPixels(12000), Twips::toPixels(8000));
}

void frmDisplay::bindBoxes() {
    m_boxes.bind(Adodc1);
}

void frmDisplay::applyFont() {
    applyFontSetting({Text1, Text2, Text3, Text4, Text5, RichTextBox1, RichTextBox2, Text7, Text8,
                      Text9, Adodc1Navigator},
                     gstrDisplayFontName, gstrDisplayFontSize);
}

void frmDisplay::Form_Load() {
    applyFont();
    mnuGraphics->setVisible(true);
    mnuText->setVisible(false);
    setPath(gstrDatabasePath);
    gblnDisplayActive = true;
    gblnEntryActive = false;
    gstrRecordSource = g_openingSource.isEmpty() ? RecordSourceAll : g_openingSource;
    setSqlWhereTag(QString());
    setSqlWhereCaption(gstrRecordSource);
    Adodc1->setConnectionString(ConnectionString::plain(gstrDatabasePath));
    Adodc1->setRecordSource(gstrRecordSource);
    const QMdiArea* area = childWindowArea();
    if (area && (!area->window()->isVisible() || frmMain::isLoading())) {
        // At start-up the window is drawn first and the logs are read right after, so that a
        // large file does not keep the program from appearing (a start-up dialog may have shown
        // the main window already).
        m_recordsPending = true;
        runWhenDrawn(this, this, [this] {
            if (m_recordsPending)
                openRecords();
        });
        return;
    }
    openRecords();
}

void frmDisplay::openRecords() {
    m_recordsPending = false;
    m_loading = true;
    m_loadError.clear();
    const bool loaded = Adodc1->Refresh();
    m_loading = false;
    if (!loaded) {
        m_shownError = m_loadError;
        Dialogs::msgBox(m_loadError + QStringLiteral(" in loading display form."));
        return;
    }
    m_justRead = true;
    QTimer::singleShot(0, this, [this] { m_justRead = false; });
    if (!Adodc1->isEOF()) {
        gvarBeginDate = StoredDate::fromStored(Adodc1->value(QStringLiteral("Beginning Time")));
        Adodc1->MoveLast();
        gvarEndDate = StoredDate::fromStored(Adodc1->value(QStringLiteral("Beginning Time")));
        Slider1->setValue(100);
    }
}

void frmDisplay::Form_Activate() {
    ChildWindow::Form_Activate();
    // Logs completed in another window while this one was in the background show at once.
    if (!std::exchange(m_justRead, false))
        refreshKeepingTheShownLog();
}

void frmDisplay::Form_LostFocus() {
    refreshKeepingTheShownLog();
}

void frmDisplay::refreshKeepingTheShownLog() {
    // Rows added elsewhere (a completed log) appear; a pending edit is written first, and a
    // write that is refused keeps the window as it is, so nothing typed is lost. The window
    // stays on the log it showed; only when that log is gone does it stand on the first row.
    // Logs still to be read are read fresh anyway.
    m_justRead = false;
    if (m_recordsPending)
        return;
    m_refreshing = true;
    if (Adodc1->RefreshKeepingRow())
        m_shownError.clear();
    m_refreshing = false;
}

void frmDisplay::setRecordSource(const QString& connectionString, const QString& recordSource) {
    m_recordsPending = false;
    Adodc1->setConnectionString(connectionString);
    Adodc1->setRecordSource(recordSource);
    Adodc1->Refresh();
}

void frmDisplay::Adodc1_MoveComplete(int adReason) {
    if (adReason == DataControl::adRsnDelete)
        return;
    Slider1->setValue(DisplayRules::sliderValue(Adodc1->isBOF(), Adodc1->isEOF(),
                                                Adodc1->AbsolutePosition(), Adodc1->RecordCount(),
                                                Slider1->maximum()));
}

void frmDisplay::Slider1_MouseUp() {
    const std::optional<int> position = DisplayRules::positionForSlider(
        Slider1->value(), Slider1->maximum(), Adodc1->RecordCount());
    if (!position) {
        Slider1->setValue(0);
        return;
    }
    if (!Adodc1->setAbsolutePosition(*position))
        Adodc1_MoveComplete(DataControl::adRsnMove);
}

void frmDisplay::Text4_LostFocus() {
    gstrRate = vbTrim(Text4->text());
    gstrDuration = vbTrim(Text8->text());
    if (const std::optional<QString> message = DisplayRules::feeMessage(gstrRate, gstrDuration))
        showStatus(*message);
}

bool frmDisplay::isTextView() const {
    return !mnuText->isVisible();
}

void frmDisplay::mnuGraphics_Click() {
    mnuText->setVisible(true);
    mnuGraphics->setVisible(false);
    RichTextBox1->setVisible(true);
    RichTextBox2->setVisible(false);
    RichTextBox1->setFocus();
}

void frmDisplay::mnuText_Click() {
    mnuGraphics->setVisible(true);
    mnuText->setVisible(false);
    RichTextBox2->setVisible(true);
    RichTextBox1->setVisible(false);
    RichTextBox2->setFocus();
}

void frmDisplay::Form_Resize() {
    m_boxes.layOut(size());
    Label1->setText(QStringLiteral("  ") + path() + QStringLiteral("  "));
    RichTextBox1->setFocus();
}

void frmDisplay::resizeEvent(QResizeEvent* event) {
    ChildWindow::resizeEvent(event);
    Form_Resize();
}

void frmDisplay::showStatus(const QString& text) {
    Label1->setText(text);
}

void frmDisplay::showDataError(int, const QString& description) {
    if (m_loading) {
        m_loadError = description;
        return;
    }
    // A file that cannot be read would otherwise report it again at every activation.
    if (m_refreshing && description == m_shownError)
        return;
    m_shownError = description;
    Dialogs::msgBox(description);
}

QString frmDisplay::hintFor(QObject* control) const {
    if (control == RichTextBox1->viewport() || control == RichTextBox2->viewport())
        return QStringLiteral("  Use [View] to toggle between text and graphics modes  ");
    if (control == Slider1)
        return QStringLiteral("  Use this slider to navigate through %1 Vellagon records  ")
            .arg(Adodc1->RecordCount());
    if (control == Text1)
        return gstrFrame1Caption;
    if (control == Text2)
        return gstrFrame2Caption;
    if (control == Text3)
        return gstrFrame3Caption;
    if (control == Text4)
        return QStringLiteral("  Hourly Rate  ");
    if (control == Text5)
        return QStringLiteral("  Summary  ");
    if (control == Text7)
        return QStringLiteral("  Beginning Time  ");
    if (control == Text8)
        return QStringLiteral("  Duration (computed to nearest tenth of an hour) ");
    if (control == Text9)
        return QStringLiteral("  Ending Time  ");
    return QStringLiteral("  ") + path() + QStringLiteral("  ");
}

void frmDisplay::mouseMoveEvent(QMouseEvent* event) {
    // Moves that a control passes on to the window keep that control's hint.
    if (!childAt(event->position().toPoint()))
        showStatus(hintFor(this));
    ChildWindow::mouseMoveEvent(event);
}

bool frmDisplay::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseMove:
        showStatus(hintFor(watched));
        break;
    case QEvent::FocusOut:
        if (watched == Text4)
            Text4_LostFocus();
        break;
    case QEvent::MouseButtonRelease:
        // The slider takes the release first; the window acts on the value it leaves.
        if (watched == Slider1)
            QTimer::singleShot(0, this, &frmDisplay::Slider1_MouseUp);
        break;
    default:
        break;
    }
    return ChildWindow::eventFilter(watched, event);
}

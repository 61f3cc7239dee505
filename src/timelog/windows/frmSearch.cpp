#include "frmSearch.h"

#include "Search.h"
#include "core/logic/SharedState.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"
#include "platform/widgets/WindowTitles.h"
#include "timelog/logic/SearchStatements.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPointer>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QPointer<frmSearch> g_search;

using BoxTable::Shape;

// The two frames of options, side by side, their options from the top.
constexpr BoxTable::Part Options[] = {
    {1, "Frame1", "Type of search:"},
    {1, "Frame1", "Current client", "Option1_0", Shape::Option},
    {1, "Frame1", "Another client", "Option1_1", Shape::Option},
    {1, "Frame1", "All active clients", "Option1_2", Shape::Option},
    {1, "Frame1", "Employee", "Option1_3", Shape::Option},
    {1, "Frame1", "Project", "Option1_4", Shape::Option},
    {1, "Frame1", "Log", "Option1_5", Shape::Option},
    {1, "Frame1", nullptr, nullptr, Shape::Stretch},
    {1, "Frame2", "Time frame for search:"},
    {1, "Frame2", "All", "Option2_0", Shape::Option},
    {1, "Frame2", "Within last month", "Option2_1", Shape::Option},
    {1, "Frame2", "Within last six months", "Option2_2", Shape::Option},
    {1, "Frame2", "Within last year", "Option2_3", Shape::Option},
    {1, "Frame2", "Customized time frame", "Option2_4", Shape::Option},
    {1, "Frame2", nullptr, nullptr, Shape::Stretch},
};

// The frame's options, numbered in their order, in the group.
template <size_t N>
void group(const BoxTable::Built& options, QGroupBox* frame, std::array<QRadioButton*, N>& option,
           QButtonGroup* group) {
    // Only the frame's caption is large; the options keep the usual font.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(13.5);
    frame->setFont(font);
    const QList<QWidget*> made = options.boxesIn(frame);
    for (size_t i = 0; i < N; ++i) {
        option[i] = qobject_cast<QRadioButton*>(made.at(qsizetype(i)));
        QFont usual = QApplication::font(option[i]);
        usual.setFamily(usual.family());
        usual.setPointSizeF(usual.pointSizeF());
        option[i]->setFont(usual);
        group->addButton(option[i], int(i));
    }
}

} // namespace

frmSearch* frmSearch::instance() {
    if (!g_search)
        g_search = new frmSearch(frmMain::instance());
    return g_search;
}

frmSearch* frmSearch::loaded() {
    return g_search;
}

frmSearch::frmSearch(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Search"));
    WindowTitles::fitTitle(*this);

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmSearch::mnuReturn_Click);
    mnuContinue = addMenuItem(menuBar, "mnuContinue", QStringLiteral("&Continue"), this,
                              &frmSearch::mnuContinue_Click);
    mnuReport = addMenuItem(menuBar, "mnuReport", QStringLiteral("&Report"), this,
                            &frmSearch::mnuReport_Click);

    // Everything below the menu bar is drawn white on blue.
    auto* body = new QWidget(this);
    drawWhiteOnBlue(body);

    new QHBoxLayout(body); // the frames side by side
    const BoxTable::Built options = BoxTable::build(Options, {body});
    Frame1 = options.frame("Frame1");
    Frame2 = options.frame("Frame2");
    m_types = new QButtonGroup(this);
    m_timeFrames = new QButtonGroup(this);
    group(options, Frame1, Option1, m_types);
    group(options, Frame2, Option2, m_timeFrames);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(body);

    Forms::add(this);
    Form_Load();
}

frmSearch::~frmSearch() {
    Forms::remove(this);
}

void frmSearch::Form_Load() {
    if (const QWidget* main = parentWidget()) {
        const int offset = Twips::toPixels(600);
        move(main->pos() + QPoint(offset, offset));
    }
    Option1[SearchStatements::CurrentClient]->setChecked(true);
    Option2[SearchStatements::AllTime]->setChecked(true);
    if (gstrClient.isEmpty() && gstrProject.isEmpty()) {
        Option1[SearchStatements::AnotherClient]->setChecked(true);
        if (gblnDisplayActive)
            Option1[SearchStatements::CurrentClient]->setEnabled(false);
    }
}

void frmSearch::offerCurrentClient(bool offered) {
    QRadioButton* current = Option1[SearchStatements::CurrentClient];
    current->setEnabled(offered);
    if (!offered && current->isChecked())
        Option1[SearchStatements::AnotherClient]->setChecked(true);
}

int frmSearch::selectedSearchType() const {
    return qMax(0, m_types->checkedId());
}

int frmSearch::selectedTimeFrame() const {
    return qMax(0, m_timeFrames->checkedId());
}

void frmSearch::mnuContinue_Click() {
    gintSearchType = selectedSearchType();
    gintTimeFrame = selectedTimeFrame();
    SearchRoutine(gintSearchType, gintTimeFrame, gblnDisplayActive);
}

void frmSearch::mnuReport_Click() {
    if (!gstrClient.isEmpty()) {
        ReportRoutine(SearchStatements::CurrentClient, SearchStatements::AllTime);
    } else if (!gstrProject.isEmpty()) {
        ReportRoutine(SearchStatements::ProjectReport, SearchStatements::AllTime);
    } else {
        gintSearchType = selectedSearchType();
        gintTimeFrame = selectedTimeFrame();
        ReportRoutine(gintSearchType, gintTimeFrame);
    }
}

void frmSearch::mnuReturn_Click() {
    close();
}

void frmSearch::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    // A closed search window is gone for Back and Forward and for the next Search command,
    // though Qt deletes it a little later.
    Forms::remove(this);
    if (g_search == this)
        g_search = nullptr;
}

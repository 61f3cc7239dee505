#include "frmSearch.h"

#include "Search.h"
#include "core/logic/SharedState.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
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

template <size_t N>
QGroupBox* optionFrame(QWidget* parent, const char* name, const QString& caption,
                       const char* optionName, const std::array<const char*, N>& captions,
                       std::array<QRadioButton*, N>& options, QButtonGroup* group) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(13.5);
    frame->setFont(font);
    auto* layout = new QVBoxLayout(frame);
    for (size_t i = 0; i < N; ++i) {
        options[i] = new QRadioButton(QString::fromLatin1(captions[i]), frame);
        options[i]->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(optionName)).arg(i));
        // The options keep the usual font; only the frame's caption is large.
        QFont usual = QApplication::font(options[i]);
        usual.setFamily(usual.family());
        usual.setPointSizeF(usual.pointSizeF());
        options[i]->setFont(usual);
        group->addButton(options[i], int(i));
        layout->addWidget(options[i]);
    }
    layout->addStretch();
    return frame;
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

    m_types = new QButtonGroup(this);
    m_timeFrames = new QButtonGroup(this);
    Frame1 = optionFrame<6>(
        body, "Frame1", QStringLiteral("Type of search:"), "Option1",
        {"Current client", "Another client", "All active clients", "Employee", "Project", "Log"},
        Option1, m_types);
    Frame2 = optionFrame<5>(body, "Frame2", QStringLiteral("Time frame for search:"), "Option2",
                            {"All", "Within last month", "Within last six months",
                             "Within last year", "Customized time frame"},
                            Option2, m_timeFrames);
    auto* frames = new QHBoxLayout(body);
    frames->addWidget(Frame1);
    frames->addWidget(Frame2);

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

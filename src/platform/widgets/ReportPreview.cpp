#include "ReportPreview.h"

#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/reporting/Printer.h"
#include "platform/reporting/Report.h"
#include "platform/reporting/ReportRendering.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr int ScreenDpi = 96;
constexpr int FitWidth = -1;
constexpr int FitPage = -2;

QWidget* ownerWindow() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

} // namespace

ReportPreview::ReportPreview(Report& report, QWidget* parent)
    : QDialog(parent ? parent : ownerWindow()), m_report(report) {
    setWindowTitle(report.caption());
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);

    auto* bar = new QToolBar(this);
    bar->addAction(tr("&Print..."), this, &ReportPreview::printReport);
    bar->addAction(tr("Save as P&DF..."), this, &ReportPreview::savePdf);
    bar->addSeparator();
    m_first = bar->addAction(tr("First"), this, [this] { goToPage(0); });
    m_previous = bar->addAction(tr("Previous"), this, [this] { goToPage(m_index - 1); });
    m_previous->setShortcut(QKeySequence::MoveToPreviousPage);
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setMinimum(1);
    m_pageBox->setKeyboardTracking(false);
    bar->addWidget(m_pageBox);
    m_countLabel = new QLabel(bar);
    bar->addWidget(m_countLabel);
    m_next = bar->addAction(tr("Next"), this, [this] { goToPage(m_index + 1); });
    m_next->setShortcut(QKeySequence::MoveToNextPage);
    m_last = bar->addAction(tr("Last"), this, [this] {
        m_report.document().layOutAll();
        goToPage(m_report.document().pagesLaidOut() - 1);
    });
    bar->addSeparator();
    m_zoom = new QComboBox(bar);
    m_zoom->addItem(tr("Page width"), FitWidth);
    m_zoom->addItem(tr("Whole page"), FitPage);
    for (int percent : {50, 75, 100, 125, 150, 200})
        m_zoom->addItem(QStringLiteral("%1%").arg(percent), percent);
    bar->addWidget(m_zoom);
    bar->addSeparator();
    bar->addAction(tr("&Close"), this, &QDialog::accept);

    m_view = new QLabel;
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_scroll, 1);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableSize() : QSize(1024, 768);
    resize(qMin(available.width(), 900), qMin(available.height(), int(available.height() * 0.9)));

    connect(m_pageBox, &QSpinBox::valueChanged, this, [this](int page) { goToPage(page - 1); });
    connect(m_zoom, &QComboBox::currentIndexChanged, this, [this] { render(); });
    connect(&m_layoutTimer, &QTimer::timeout, this, &ReportPreview::layOutMore);
    m_fitTimer.setSingleShot(true);
    connect(&m_fitTimer, &QTimer::timeout, this, &ReportPreview::render);

    // The first page is laid out now (a failure reaches the caller); the rest when idle.
    m_report.document().hasPage(0);
    m_layoutTimer.start(0);
    updateControls();
    render();
}

void ReportPreview::layOutMore() {
    try {
        QElapsedTimer slice;
        slice.start();
        ReportDocument& document = m_report.document();
        while (slice.elapsed() < 30 && document.layOutNextPage()) {
        }
        if (document.isComplete())
            m_layoutTimer.stop();
    } catch (const AppError& e) {
        m_layoutTimer.stop();
        Dialogs::msgBox(e.description());
    }
    updateControls();
}

void ReportPreview::goToPage(int index) {
    ReportDocument& document = m_report.document();
    if (index < 0 || !document.hasPage(index) || index == m_index) {
        updateControls();
        return;
    }
    m_index = index;
    updateControls();
    render();
    m_scroll->verticalScrollBar()->setValue(0);
}

QString ReportPreview::pageText() {
    const ReportDocument& document = m_report.document();
    return tr("Page %1 of %2%3")
        .arg(m_index + 1)
        .arg(document.pagesLaidOut())
        .arg(document.isComplete() ? QString() : QStringLiteral("..."));
}

void ReportPreview::updateControls() {
    ReportDocument& document = m_report.document();
    const int laidOut = document.pagesLaidOut();
    const bool more = !document.isComplete();
    m_countLabel->setText(tr(" of %1%2 ").arg(laidOut).arg(more ? QStringLiteral("...") : ""));
    {
        const QSignalBlocker block(m_pageBox);
        m_pageBox->setMaximum(std::max(1, laidOut));
        m_pageBox->setValue(m_index + 1);
    }
    m_first->setEnabled(m_index > 0);
    m_previous->setEnabled(m_index > 0);
    m_next->setEnabled(more || m_index + 1 < laidOut);
    m_last->setEnabled(more || m_index + 1 < laidOut);
}

int ReportPreview::dotsPerInch() const {
    const int choice = m_zoom->currentData().toInt();
    if (choice > 0)
        return ScreenDpi * choice / 100;
    const QSizeF paper = m_report.document().layout().paperTwips / 1440.0;
    const QSize room = m_scroll->viewport()->size() - QSize(24, 24);
    const double byWidth = room.width() / paper.width();
    const double byHeight = room.height() / paper.height();
    return std::max(24, int(choice == FitPage ? std::min(byWidth, byHeight) : byWidth));
}

void ReportPreview::render() {
    const qreal ratio = devicePixelRatioF();
    m_image = ReportRendering::pageImage(m_report.document(), m_index, int(dotsPerInch() * ratio));
    QPixmap pixmap = QPixmap::fromImage(m_image);
    pixmap.setDevicePixelRatio(ratio);
    m_view->setPixmap(pixmap);
    m_view->adjustSize();
}

void ReportPreview::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // A page fitted to the window follows its size, once the layout has settled.
    if (m_zoom->currentData().toInt() < 0)
        m_fitTimer.start(0);
}

void ReportPreview::printReport() {
    try {
        m_report.printOut();
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
    }
}

void ReportPreview::savePdf() {
    try {
        m_report.saveAsPdf(Printer::askPdfFileName(m_report.caption()));
    } catch (const AppError& e) {
        if (!e.isCancel())
            Dialogs::msgBox(e.description());
    }
}

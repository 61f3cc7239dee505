#include "frmBrowser.h"

#include "Forms.h"
#include "HelpPages.h"
#include "OneAtATime.h"
#include "frmMain.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WebBrowser.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

OneAtATime<frmBrowser> g_browser;

const QString BusyCaption = QStringLiteral("Opening the page ... ");

// An error in a handler ends that handler quietly: the browser shows its page as it stands,
// and nothing leaves the handler to end the program.
template <typename Handler>
void ignoringErrors(const char* handler, Handler&& run) {
    try {
        run();
    } catch (const std::exception& e) {
        qWarning("frmBrowser.%s: %s", handler, e.what());
    }
}

struct Button {
    const char* key;
    QStyle::StandardPixmap icon;
    QKeySequence shortcut;
};

} // namespace

frmBrowser* frmBrowser::loaded() {
    return g_browser.loaded();
}

void frmBrowser::showModal() {
    g_browser.showModal([] { return new frmBrowser(frmMain::instance()); });
}

void frmBrowser::showModeless() {
    // Not owned by the main window, which could then never come to the front over it.
    g_browser.showModeless([] { return new frmBrowser(nullptr); });
}

frmBrowser::frmBrowser(QWidget* parent) : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmBrowser"));
    setSizeGripEnabled(false);
    setMinimumSize(1, 1);

    tbToolBar = new QToolBar(this);
    tbToolBar->setObjectName(QStringLiteral("tbToolBar"));
    tbToolBar->setMovable(false);
    tbToolBar->setFloatable(false);
    tbToolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const Button buttons[] = {
        {"Back", QStyle::SP_ArrowBack, QKeySequence::Back},
        {"Forward", QStyle::SP_ArrowForward, QKeySequence::Forward},
        {"Stop", QStyle::SP_BrowserStop, {}},
        {"Refresh", QStyle::SP_BrowserReload, QKeySequence::Refresh},
        {"Home", QStyle::SP_DirHomeIcon, QKeySequence(Qt::ALT | Qt::Key_Home)},
        {"Search", QStyle::SP_FileDialogContentsView, QKeySequence::Find},
    };
    for (const Button& b : buttons) {
        const QString key = QLatin1String(b.key);
        QAction* button = tbToolBar->addAction(style()->standardIcon(b.icon), key);
        button->setObjectName(key);
        button->setData(key);
        button->setToolTip(key);
        button->setShortcut(b.shortcut);
    }
    connect(tbToolBar, &QToolBar::actionTriggered, this,
            [this](QAction* button) { tbToolBar_ButtonClick(button->data().toString()); });

    picAddress = new QWidget(this);
    picAddress->setObjectName(QStringLiteral("picAddress"));
    lblAddress = new QLabel(QStringLiteral("&Address:"), picAddress);
    lblAddress->setObjectName(QStringLiteral("lblAddress"));
    cboAddress = new QComboBox(picAddress);
    cboAddress->setObjectName(QStringLiteral("cboAddress"));
    cboAddress->setEditable(true);
    cboAddress->setInsertPolicy(QComboBox::NoInsert); // the list holds the start address only
    cboAddress->setCompleter(nullptr);
    lblAddress->setBuddy(cboAddress);
    connect(cboAddress, &QComboBox::activated, this, [this] { cboAddress_Click(); });
    connect(cboAddress->lineEdit(), &QLineEdit::returnPressed, this,
            [this] { cboAddress_KeyPress(13); });

    brwWebBrowser = new WebBrowser(this);
    brwWebBrowser->setObjectName(QStringLiteral("brwWebBrowser"));
    brwWebBrowser->setPages(HelpPages::pages(), HelpPages::StartPage, HelpPages::SearchPage,
                            HelpPages::UnavailablePage);
    connect(brwWebBrowser, &WebBrowser::DownloadComplete, this,
            &frmBrowser::brwWebBrowser_DownloadComplete);

    timTimer = new QTimer(this);
    timTimer->setObjectName(QStringLiteral("timTimer"));
    timTimer->setInterval(5);
    connect(timTimer, &QTimer::timeout, this, &frmBrowser::timTimer_Timer);

    m_replace = new QTimer(this);
    m_replace->setSingleShot(true);
    m_replace->setInterval(0);
    connect(m_replace, &QTimer::timeout, this, &frmBrowser::Form_Resize);

    // The address box lies 50 twips in from the left, 15 twips under its label; the box and
    // the page keep 100 twips of the window's width and height free.
    auto* strip = new QVBoxLayout(picAddress);
    strip->setContentsMargins(Twips::toPixels(50), 0, Twips::toPixels(50), 0);
    strip->setSpacing(Twips::toPixels(15));
    strip->addWidget(lblAddress);
    strip->addWidget(cboAddress);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, Twips::toPixels(50));
    layout->setSpacing(Twips::toPixels(50));
    layout->addWidget(tbToolBar);
    layout->addWidget(picAddress);
    auto* page = new QHBoxLayout;
    page->setContentsMargins(Twips::toPixels(50), 0, Twips::toPixels(50), 0);
    page->addWidget(brwWebBrowser);
    layout->addLayout(page, 1);

    Forms::add(this);
    Form_Load();
}

frmBrowser::~frmBrowser() {
    Forms::remove(this);
}

void frmBrowser::Form_Load() {
    ignoringErrors("Form_Load", [this] {
        tbToolBar->update();
        Form_Resize();
        StartingAddress = HelpPages::pages().address(HelpPages::StartPage).toString();
        if (!StartingAddress.isEmpty()) {
            cboAddress->setEditText(StartingAddress);
            cboAddress->addItem(StartingAddress);
            timTimer->start();
            brwWebBrowser->Navigate(StartingAddress);
        }
        brwWebBrowser->setFocus(); // the keys scroll the page and walk its links
    });
}

void frmBrowser::Form_Resize() {
    ignoringErrors("Form_Resize", [this] {
        // Over the main window, frame over frame; a window manager that will not have it is
        // asked once, not forever.
        const QWidget* main = frmMain::instance();
        if (!main || isMinimized())
            return;
        const QSize frame = frameGeometry().size() - size();
        const QRect target(main->frameGeometry().topLeft(), main->frameGeometry().size() - frame);
        if (const std::optional<QRect> asked = m_placement.request(QRect(pos(), size()), target)) {
            move(asked->topLeft());
            resize(asked->size());
        }
    });
}

void frmBrowser::cboAddress_Click() {
    ignoringErrors("cboAddress_Click", [this] {
        timTimer->start();
        brwWebBrowser->Navigate(cboAddress->currentText());
    });
}

void frmBrowser::cboAddress_KeyPress(int KeyAscii) {
    ignoringErrors("cboAddress_KeyPress", [this, KeyAscii] {
        if (KeyAscii == 13)
            cboAddress_Click();
    });
}

void frmBrowser::timTimer_Timer() {
    ignoringErrors("timTimer_Timer", [this] {
        if (brwWebBrowser->Busy()) {
            setWindowTitle(BusyCaption);
        } else {
            timTimer->stop();
            showTitle();
        }
    });
}

void frmBrowser::tbToolBar_ButtonClick(const QString& key) {
    ignoringErrors("tbToolBar_ButtonClick", [this, &key] {
        timTimer->start();
        if (key == QLatin1String("Back"))
            brwWebBrowser->GoBack();
        else if (key == QLatin1String("Forward"))
            brwWebBrowser->GoForward();
        else if (key == QLatin1String("Refresh"))
            brwWebBrowser->Refresh();
        else if (key == QLatin1String("Home"))
            brwWebBrowser->GoHome();
        else if (key == QLatin1String("Search"))
            brwWebBrowser->GoSearch();
        else if (key == QLatin1String("Stop")) {
            timTimer->stop();
            brwWebBrowser->Stop();
            showTitle();
        }
    });
}

void frmBrowser::brwWebBrowser_DownloadComplete() {
    ignoringErrors("brwWebBrowser_DownloadComplete", [this] {
        showTitle();
        // The box tells where the page shown lies, after a link or Back too.
        cboAddress->setEditText(brwWebBrowser->LocationURL());
    });
}

void frmBrowser::showTitle() {
    setWindowTitle(brwWebBrowser->LocationName());
}

void frmBrowser::moveEvent(QMoveEvent* event) {
    QDialog::moveEvent(event);
    m_replace->start();
}

void frmBrowser::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    m_replace->start();
}

void frmBrowser::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    // Maximised, it would not lie over the main window, and its frame would not be the one
    // the placement counts with.
    if (event->type() == QEvent::WindowStateChange &&
        windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
        setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
        m_replace->start();
    }
}

void frmBrowser::closeEvent(QCloseEvent* event) {
    QDialog::closeEvent(event);
    if (event->isAccepted())
        forget();
}

void frmBrowser::done(int result) {
    // Esc ends the dialog without a close event.
    forget();
    QDialog::done(result);
}

void frmBrowser::forget() {
    Forms::remove(this);
    g_browser.forget(this);
}

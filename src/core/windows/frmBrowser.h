#pragma once

#include "platform/widgets/OverlayPlacement.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QTimer;
class QToolBar;
class WebBrowser;

// The help browser: the program's own help pages, with an address box and a toolbar of Back,
// Forward, Stop, Refresh, Home and Search; its caption is the page's title. It lies over the
// main window. One browser at a time: opening it again brings the open one to the front.
class frmBrowser : public QDialog {
    Q_OBJECT

public:
    // Modal: returns when the browser closes.
    static void showModal();
    // Modeless: returns at once; Exit closes it with the other windows.
    static void showModeless();
    // The open browser, or nullptr.
    static frmBrowser* loaded();

    void Form_Load();
    void Form_Resize();
    void cboAddress_Click();
    void cboAddress_KeyPress(int KeyAscii);
    void timTimer_Timer();
    void tbToolBar_ButtonClick(const QString& key);
    void brwWebBrowser_DownloadComplete();

    QToolBar* tbToolBar;
    QWidget* picAddress;
    QLabel* lblAddress;
    QComboBox* cboAddress;
    WebBrowser* brwWebBrowser;
    QTimer* timTimer;
    QString StartingAddress;

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void done(int result) override;

private:
    explicit frmBrowser(QWidget* parent);
    ~frmBrowser() override;
    void showTitle();
    // Gone for Exit, for Back and Forward and for the next Help command at once, though Qt
    // deletes the window a little later.
    void forget();

    OverlayPlacement m_placement;
    QTimer* m_replace; // one re-placing for a burst of moves and resizes
};

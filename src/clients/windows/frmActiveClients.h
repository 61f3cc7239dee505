#pragma once

#include "ClientBoxes.h"
#include "core/windows/MenuBarWindow.h"

#include <QList>
#include <QString>
#include <QVariantMap>

class DataControl;
class DataNavigator;
class DateBox;
class QGroupBox;
class QTabWidget;
class RecordScrollBar;

// The contact database: the active clients of one file, one at a time, their contact, case,
// to-do, history and letter details on five tabs, with a navigator and a scroll bar. One
// window at a time, a child window of the main window; it keeps the file, the rows and the
// row it was loaded with until it closes.
class frmActiveClients : public MenuBarWindow {
    Q_OBJECT

public:
    // Shows the window on gstrDatabasePath, or brings the open one to the front unchanged.
    static void showModeless();
    // The open window, or nullptr.
    static frmActiveClients* loaded();

    explicit frmActiveClients(QWidget* parent = nullptr);
    ~frmActiveClients() override;

    // Binds the navigator on gstrDatabasePath and stands on the last row; false when the file
    // could not be read (the message has been shown).
    bool Form_Load();
    void Form_Resize();
    void Adodc1_MoveComplete(int adReason);
    void Adodc1_Error(int number, const QString& description);
    void TabStrip1_Click(int tab);
    void mnuSave_Click();
    void mnuReturn_Click();
    void mnuReport_Click();

    // The box bound to a field of `Active Clients`, and the frame around it.
    QWidget* boxOf(const QString& field) const;
    QGroupBox* frameOf(const QString& field) const;
    // The file the window was loaded with.
    QString path() const;

    QTabWidget* TabStrip1;
    DateBox* DTPicker1;
    RecordScrollBar* HScroll1;
    DataControl* Adodc1;
    DataNavigator* Adodc1Navigator;
    QGroupBox* AlternativeTelephone; // Frame1(9), captioned by its width and the window's
    QAction* mnuReturn;
    QAction* mnuSave;
    QAction* mnuReport;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void captionAlternativeTelephone();
    void buildBoxes();

    BoxTable::Built m_bound;
    QList<QWidget*> m_firstBoxOfTab; // the box that takes the focus, by tab
    int m_errors = 0;                // errors the navigator reported so far
};

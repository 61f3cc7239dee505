#pragma once

#include "core/windows/MenuBarWindow.h"

#include <QString>

class DataControl;
class DataNavigator;
class DateBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class RecordScrollBar;

// Disbursements made for clients and payments received from them: entered on tabs 1 and 3,
// browsed on tabs 2 and 4 with a navigator and a scroll bar each. One window at a time, a
// child window of the main window of fixed size and place; it keeps the file it was opened
// on until it closes.
class frmPaymentsDisbursements : public MenuBarWindow {
    Q_OBJECT

public:
    // Shows the window on gstrDatabasePath with gstrClient preselected, or brings the open
    // one to the front unchanged.
    static void showModeless();
    // The open window, or nullptr.
    static frmPaymentsDisbursements* loaded();

    explicit frmPaymentsDisbursements(QWidget* parent = nullptr);
    ~frmPaymentsDisbursements() override;

    // Opens both navigators on their last row and fills the lists; false when the file could
    // not be read (the message has been shown).
    bool Form_Load();
    void Form_Resize();
    void TabStrip1_Click(int tab);
    void Adodc1_MoveComplete(int adReason);
    void Adodc2_MoveComplete(int adReason);
    void mnuReturn_Click();
    void mnuSave_Click();
    void mnuDelete_Click();
    // The search panel in place of the display tab's frames; only Continue is available.
    void mnuSearch_Click();
    // Narrows the kind chosen on the panel to the rows that hold the term within the dates
    // (the full list again when none does) and shows that kind's display tab.
    void mnuContinue_Click();
    // The statement of the tab's kind: disbursements on tab 2, payments on the others.
    void mnuReport_Click();

    // The file the window was opened on.
    QString path() const;
    int currentTab() const { return mintCurrentTab; }

    QTabWidget* TabStrip1;
    // Tab 1: client, payee, description, amount, date.
    QComboBox* Combo1_0;
    QComboBox* Combo1_1;
    QTextEdit* Text1_0;
    QLineEdit* Text1_1;
    DateBox* DTPicker1;
    // Tab 2: client display, payee, description, amount, date.
    QLineEdit* Text2_0;
    QLineEdit* Text2_1;
    QLineEdit* Text2_2;
    QLineEdit* Text2_3;
    DateBox* DTPicker2;
    // Tab 3: client, Fee or Disbursement, amount, date.
    QComboBox* Combo2;
    QRadioButton* Option1_0;
    QRadioButton* Option1_1;
    QLineEdit* Text3;
    DateBox* DTPicker3;
    // Tab 4: client display, description, amount, date.
    QLineEdit* Text4_0;
    QLineEdit* Text4_1;
    QLineEdit* Text4_2;
    DateBox* DTPicker4;

    // The search panel: the kind, the term, the first and last day.
    QWidget* Frame5;
    QRadioButton* Option2_0;
    QRadioButton* Option2_1;
    QLineEdit* Text5;
    DateBox* DTPicker5;
    DateBox* DTPicker6;

    DataControl* Adodc1; // disbursements
    DataControl* Adodc2; // payments
    DataNavigator* Adodc1Navigator;
    DataNavigator* Adodc2Navigator;
    RecordScrollBar* HScroll1;
    RecordScrollBar* HScroll2;

    QAction* mnuReturn;
    QAction* mnuSave;
    QAction* mnuDelete;
    QAction* mnuSearch;
    QAction* mnuContinue;
    QAction* mnuReport;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTabs();
    // Shows the display frames of both tabs again, without the search panel.
    void closeSearchPanel();
    void applyTabState(int tab);
    void showClient(DataControl* control, const QString& prefix, QLineEdit* display);
    void moved(DataControl* control, const QString& noRecords);
    void saveDisbursement();
    void savePayment();
    // Shows a message of the window's; the window stays in front with its menus after it.
    void tell(const QString& message);
    void toFront();

    int mintCurrentTab = 1;
    // The display frames of tabs 2 and 4, which the search panel replaces.
    QList<QGroupBox*> m_frames2;
    QList<QGroupBox*> m_frames4;
    int m_searchTab = 0;      // the tab the search panel is open on, 0 when it is closed
    bool m_searching = false; // a search's own empty result is not an empty table
};

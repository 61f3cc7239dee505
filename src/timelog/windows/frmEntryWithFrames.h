#pragma once

#include "core/logic/FieldCaptions.h"
#include "core/windows/ChildWindow.h"
#include "platform/widgets/BoxTable.h"

#include <QDateTime>
#include <array>
#include <optional>

class DateBox;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QTimer;
class QToolBar;
class RichTextBox;

// A Data entry window: eight framed fields where a time log is typed in and completed. The
// ending time follows the clock until the user edits it.
class frmEntryWithFrames : public ChildWindow {
    Q_OBJECT

public:
    explicit frmEntryWithFrames(QWidget* parent = nullptr);

    void Form_Load();
    // Places the frames and fields (in twips) for the window's inner size.
    void Form_Resize();
    void Timer1_Timer();
    // The user changed the ending time: it stays until the log is completed.
    void DTPicker2_Change();

    void mnuLogcompleted_Click();
    void mnuExit_Click();
    void mnuSelectAll_Click();
    // A new Display window, on this window's file.
    void mnuEnterDisplay_Click();
    void mnuNewEntry_Click();
    // The logs of the client in hand, else of the project in hand, in a new Display window;
    // with neither, the search window.
    void mnuSearch_Click();
    void mnuFileName_Click(int index);
    void setStatusText(const QString& text) override;
    void Toolbar1_ButtonClick(const QString& key);
    // The list windows, after the window-command prologue.
    void mnuCClient_Click();
    void mnuActivity_Click();
    void mnuEmployees_Click();
    void mnuProject_Click();
    void mnuRates_Click();
    // The field toolbars: "Properties" opens the field's list window, "Small Caps" renames the
    // field.
    void Toolbar2_ButtonClick(const QString& key);
    void Toolbar3_ButtonClick(const QString& key);
    void Toolbar4_ButtonClick(const QString& key);
    void Toolbar5_ButtonClick(const QString& key);
    void Toolbar6_ButtonClick(const QString& key);
    // The summary line or the notes took the focus: insertions go there (gblnSummaryFocus).
    void Text1_GotFocus();
    void RichTextBox1_GotFocus();
    // Keys of the notes (F8 copies the selection onto the summary line, F9 opens the pick
    // list), of the summary line (F9) and of the pick list (Enter inserts, Esc closes).
    // Whether the key was theirs.
    bool RichTextBox1_KeyDown(int KeyCode);
    bool Text1_KeyDown(int KeyCode);
    bool List1_KeyPress(int KeyAscii);

    // Replaces the items of the box that shows a lookup list (MainLists), as a list window's
    // Done does; a combo box's typed text goes with them.
    void refillList(int list, const QStringList& items, BoxText text) override;

    // Whether the ending time follows the clock.
    bool endingTimeFollowsClock() const;

    QGroupBox* Frame1; // client
    QGroupBox* Frame2; // employee
    QGroupBox* Frame3; // project
    QGroupBox* Frame4; // rate
    QGroupBox* Frame5; // summary line
    QGroupBox* Frame6; // notes
    QGroupBox* Frame7; // beginning time
    QGroupBox* Frame8; // ending time
    QComboBox* Combo1;
    QComboBox* Combo2;
    QComboBox* Combo3;
    QComboBox* Combo4;
    QLineEdit* Text1;
    RichTextBox* RichTextBox1;
    DateBox* DTPicker1;
    DateBox* DTPicker2;
    QToolBar* Toolbar1;
    QToolBar* Toolbar2;
    QToolBar* Toolbar3;
    QToolBar* Toolbar4;
    QToolBar* Toolbar5;
    QToolBar* Toolbar6;
    QLabel* Label1;     // the status line
    QListWidget* List1; // the activities pick list, hidden until called
    QTimer* Timer1;     // keeps the ending time at the present

    QMenu* mnuFile;
    std::array<QAction*, 5> mnuFileName;
    QAction* mnuSeparator;
    QAction* mnuExit;
    QMenu* mnuEdit;
    QAction* mnuCopy;
    QAction* mnuCut;
    QAction* mnuEPaste;
    QAction* mnuDelete;
    QMenu* mnuFonts;
    QAction* mnuDisplayfont;
    QAction* mnuDataentryfont;
    QMenu* mnuInvoiceFont;
    QAction* mnuLetterheadfont;
    QAction* mnuReportfont;
    QAction* mnuVellagonfont;
    QAction* mnuPrintFont;
    QAction* mnuSelectAll;
    QAction* mnuLogcompleted;
    QAction* mnuEnterDisplay;
    QAction* mnuSearch;
    QAction* mnuNewEntry;
    QMenu* mnuLists;
    QAction* mnuActivity;
    QAction* mnuEmployees;
    QAction* mnuProject;
    QAction* mnuRates;
    QAction* mnuThingsToDo;
    QMenu* mnuClients;
    QAction* mnuCClient;
    QAction* mnuActiveClients;
    QAction* mnuInactiveClients;
    QAction* mnuDisbursements;
    QMenu* mnuClientInvoice;
    QAction* mnuLetterhead;
    QAction* mnuCreateInvoice;
    QMenu* mnuHelp;
    QAction* mnuIndex;
    QAction* mnuTips;
    QAction* mnuWeb;
    QAction* mnuAbout;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createFields();
    void createToolbars();
    void createMenus();
    // The status line's hints: over the frames, the toolbars and the status line itself.
    void trackHints();
    std::optional<QString> hintFor(QObject* element) const;
    void showPickList();
    // Hides the pick list; the field that had the focus last gets it back.
    void closePickList();
    // Asks for the field's new caption; the frame shows it at once.
    void renameField(QGroupBox* frame, FieldCaptions::Field field);
    void clearForNextLog();

    BoxTable::Built m_fields;
    // The summary line's selection while the pick list has the focus (a line edit drops its
    // selection when it loses the focus): its start and length.
    int m_summarySelectionStart = 0;
    int m_summarySelectionLength = 0;
};

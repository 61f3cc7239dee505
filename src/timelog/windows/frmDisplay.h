#pragma once

#include "core/windows/ChildWindow.h"
#include "platform/widgets/BoxTable.h"

class DataControl;
class DataNavigator;
class QLabel;
class QLineEdit;
class QMenu;
class QSlider;
class QTextEdit;
class QToolBar;

// A Display window: browses and edits the logs of one database file, one log at a time, in
// boxes bound to its data control, with a slider to jump through the records.
class frmDisplay : public ChildWindow {
    Q_OBJECT

public:
    explicit frmDisplay(QWidget* parent = nullptr);
    ~frmDisplay() override;

    // While one lives, a Display window that loads opens on this statement instead of on every
    // log: a search's new window would otherwise read the whole list before its own.
    class OpeningSource {
    public:
        explicit OpeningSource(const QString& statement);
        ~OpeningSource();
        OpeningSource(const OpeningSource&) = delete;
        OpeningSource& operator=(const OpeningSource&) = delete;

    private:
        QString m_previous;
    };

    void Form_Load();
    void Form_Activate() override;
    void Form_LostFocus() override;
    void Form_Resize();
    void Adodc1_MoveComplete(int adReason);
    void Slider1_MouseUp();
    void Text4_LostFocus();
    void mnuText_Click();
    void mnuGraphics_Click();

    // Commands of the menus and the toolbar.
    void Toolbar1_ButtonClick(const QString& key);
    void mnuOpenFile_Click();
    void mnuNewFile_Click();
    void mnuCompactData_Click();
    void mnuReport_Click();
    void mnuPrintVellagon_Click();
    void mnuSaveChanges_Click();
    void mnuDeleteLog_Click();
    void mnuDEnter_Click();
    void mnuSearch_Click();
    void mnuAbout_Click();
    void setStatusText(const QString& text) override;

    DataControl* dataControl() override { return Adodc1; }
    // Puts the window on another record source of a file and runs it.
    void setRecordSource(const QString& connectionString, const QString& recordSource) override;

    // Whether the text view (the log text) is shown rather than the graphics view.
    bool isTextView() const;

    // The bound boxes and controls, named as the window's layout names them.
    QLineEdit* Text1;        // Client
    QLineEdit* Text2;        // Employee
    QLineEdit* Text3;        // Project
    QLineEdit* Text4;        // Rate
    QLineEdit* Text5;        // Log Summary
    QLineEdit* Text6;        // Fee (hidden)
    QLineEdit* Text7;        // Beginning Time
    QLineEdit* Text8;        // Duration
    QLineEdit* Text9;        // Ending Time
    QTextEdit* RichTextBox1; // VellaGraphic, the graphics view
    QTextEdit* RichTextBox2; // Vellagon, the text view
    QLabel* Label1;          // status line
    QSlider* Slider1;
    DataControl* Adodc1;
    DataNavigator* Adodc1Navigator;
    QToolBar* Toolbar1;
    QMenu* mnuFile;
    QAction* mnuSaveFileAs;
    QAction* mnuOpenFile;
    QAction* mnuNewFile;
    QAction* mnuImportVellagons;
    QAction* mnuExportVellagons;
    QAction* mnuImportDatabase;
    QAction* mnuExportActiveClients;
    QAction* mnuCompactData;
    QAction* mnuReport;
    QAction* mnuPrintVellagon;
    QMenu* mnuView;
    QAction* mnuText;
    QAction* mnuGraphics;
    QAction* mnuDeleteLog;
    QAction* mnuSearch;
    QAction* mnuActiveClients;
    QAction* mnuDEnter;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildCommands();
    void bindBoxes();
    void applyFont();
    // Form_Load's reading of the logs: the first and the newest, on the newest.
    void openRecords();
    void showStatus(const QString& text);
    void refreshKeepingTheShownLog();
    void showDataError(int number, const QString& description);
    QString hintFor(QObject* control) const;

    BoxTable::Built m_boxes;
    bool m_loading = false;
    bool m_recordsPending = false; // the logs are read once the main window is drawn
    QString m_loadError;
    bool m_refreshing = false; // a refresh on activation or focus loss is running
    // The logs were read by the command still running (the window's opening): the activation
    // that comes with the window being shown would read them again for nothing.
    bool m_justRead = false;
    QString m_shownError; // the last error shown, until a refresh succeeds
};

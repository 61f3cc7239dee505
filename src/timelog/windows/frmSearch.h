#pragma once

#include <QWidget>
#include <array>

class QAction;
class QButtonGroup;
class QGroupBox;
class QRadioButton;

// The search window: a type of search and a time frame; Continue searches, Report prints the
// log report. Free-standing and modeless; one at a time, reused while it is open. The command
// that opens it sets the caption and visibility of its report item and whether "Current
// client" can be chosen.
class frmSearch : public QWidget {
    Q_OBJECT

public:
    // The open search window, made (and loaded) when none is open.
    static frmSearch* instance();
    // The open search window, or nullptr.
    static frmSearch* loaded();

    void Form_Load();
    void mnuContinue_Click();
    void mnuReport_Click();
    void mnuReturn_Click();

    // Whether "Current client" can be chosen; when it cannot, a selection on it moves to
    // "Another client".
    void offerCurrentClient(bool offered);

    // The index of the selected option of each frame.
    int selectedSearchType() const;
    int selectedTimeFrame() const;

    QGroupBox* Frame1; // "Type of search:"
    QGroupBox* Frame2; // "Time frame for search:"
    std::array<QRadioButton*, 6> Option1;
    std::array<QRadioButton*, 5> Option2;
    QAction* mnuReturn;
    QAction* mnuContinue;
    QAction* mnuReport;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    explicit frmSearch(QWidget* parent);
    ~frmSearch() override;

    QButtonGroup* m_types;
    QButtonGroup* m_timeFrames;
};

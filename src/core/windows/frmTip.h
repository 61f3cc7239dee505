#pragma once

#include "OneAtATime.h"

#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

// The tip of the day: one tip at random from the tips file, another at random on Next Tip,
// and a box that turns the tip at start-up off. Every close stores the box's state, so a
// close with the box unticked turns the start-up tip back on. One at a time: opening it again
// brings the open one to the front; Exit closes a modeless one with the other windows.
class frmTip : public OneAtATimeDialog<frmTip> {
    Q_OBJECT

public:
    // Reads the tips of a file and shows one at random; false when the file is unnamed,
    // missing or unreadable (the tip then shows what it showed before).
    bool LoadTips(const QString& fileName);
    // Shows the tip whose number is current; with no tips the text stays as it is.
    void DisplayCurrentTip();

    void Form_Load();
    void cmdNextTip_Click();
    void cmdOK_Click();
    void Form_Unload();

    QLabel* Label1;     // "Did you know..."
    QLabel* Picture1;   // the picture beside the tip
    QLabel* lblTipText; // the tip, or what to do without a tips file
    QPushButton* cmdNextTip;
    QPushButton* cmdOK;
    QCheckBox* chkLoadTipsAtStartup; // ticked: no tip at the next start

    const QStringList& tips() const { return m_tips; }
    // 1 to the number of tips; 0 before a tip is chosen.
    int currentTip() const { return m_currentTip; }

protected:
    void done(int result) override;

private:
    friend class OneAtATimeDialog<frmTip>;
    explicit frmTip(QWidget* parent);
    void ShowRandomTip();

    QStringList m_tips;
    qint32 m_currentTip = 0;
};

#pragma once

#include "OneAtATime.h"
#include "platform/widgets/BoxTable.h"

class QAction;
class QLabel;
class QMenuBar;

// The welcome window of a file without clients or without employees: it says what is missing
// and offers, on its menu bar, to add a client or an employee before the child windows open.
// It opens no list itself: it asks start-up for one through gstrClient or gstrEmployee ("YES")
// and closes.
class frmIntroduction : public OneAtATimeDialog<frmIntroduction> {
    Q_OBJECT

public:
    void Form_Load();
    void Form_Resize();
    void mnuAddClient_Click();
    void mnuAddEmployee_Click();
    void mnuDataEntry_Click();

    QLabel* Image1; // the picture, stretched over the window
    QLabel* Label1; // the welcome text, on the picture's right half
    QMenuBar* menuBar;
    QAction* mnuAddClient;   // shown when the file has no client
    QAction* mnuAddEmployee; // shown when the file has no employee
    QAction* mnuDataEntry;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class OneAtATimeDialog<frmIntroduction>;
    explicit frmIntroduction(QWidget* parent);

    QWidget* m_inside; // the window below its menu bar
    BoxTable::Built m_parts;
};

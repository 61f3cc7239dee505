#pragma once

#include "OneAtATime.h"

#include <QList>
#include <QPixmap>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The about box: the product, its maker and version, and a stopwatch that runs through six
// pictures, one every 130 milliseconds, while the box is open. One at a time: opening it
// again brings the open one to the front; Exit closes a modeless one with the other windows.
class frmAboutwtimer : public OneAtATimeDialog<frmAboutwtimer> {
    Q_OBJECT

public:
    void Form_Load();
    void Timer1_Timer();
    void cmdOK_Click();

    QLabel* lblProductName;
    QLabel* lblCompanyProduct;
    QLabel* lblVersion;
    QLabel* lblPlatform;
    QLabel* Label1; // what the product does, in a line
    QLabel* Label2;
    QLabel* lblContact;
    QLabel* lblCopyright;
    QLabel* lblRights;
    QPushButton* cmdOK;
    QFrame* Frame1;
    QLabel* Image1;
    QList<QPixmap> ImageList1; // the six pictures, numbered 1 to 6
    QTimer* Timer1;

protected:
    void done(int result) override;

private:
    friend class OneAtATimeDialog<frmAboutwtimer>;
    explicit frmAboutwtimer(QWidget* parent);

    // The picture the next tick shows, 1 to 7 (7 starts again at 1). The box's own: the
    // shared scratch numbers change under it whenever another window splits a name.
    int m_frameNumber = 1;
};

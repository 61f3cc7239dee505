#include "frmDatePicker.h"

#include "core/logic/SharedState.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

frmDatePicker::frmDatePicker(QWidget* parent) : QDialog(parent ? parent : frmMain::instance()) {
    setObjectName(QStringLiteral("frmDatePicker"));
    setWindowTitle(QStringLiteral("Pick a date for case closure"));
    DTPicker1 = newDatePicker(this, "DTPicker1", QStringLiteral("Case Closure Date"));

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmDatePicker::mnuReturn_Click);
    mnuDone = addMenuItem(menuBar, "mnuDone", QStringLiteral("&Done"), this,
                          &frmDatePicker::mnuDone_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(DTPicker1);
    setMinimumWidth(Twips::toPixels(5400)); // the caption shows whole
    Form_Load();
}

void frmDatePicker::Form_Load() {
    if (const QWidget* main = parentWidget()) {
        const int offset = Twips::toPixels(500);
        move(main->pos() + QPoint(offset, offset));
    }
    DTPicker1->setDate(Clock::today());
}

void frmDatePicker::mnuDone_Click() {
    if (!DTPicker1->commitTyping())
        return;
    gvarClosureDate = DTPicker1->date().startOfDay();
    accept();
}

void frmDatePicker::mnuReturn_Click() {
    reject();
}

void frmDatePicker::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        mnuDone_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

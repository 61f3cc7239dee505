#include "frmSearchDatePicker.h"

#include "core/logic/SharedState.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

QGroupBox* dateFrame(QWidget* parent, const char* name, const QString& caption, DateBox*& picker,
                     const char* pickerName) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(QLatin1String(name));
    drawWhiteOnBlue(frame);
    picker = newDatePicker(frame, pickerName, caption);
    // The picker keeps the usual colours inside its blue frame.
    const QPalette usual = QApplication::palette(picker);
    QPalette own = picker->palette();
    own.setColor(QPalette::Window, usual.color(QPalette::Window));
    own.setColor(QPalette::WindowText, usual.color(QPalette::WindowText));
    picker->setPalette(own);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(picker);
    return frame;
}

} // namespace

frmSearchDatePicker::frmSearchDatePicker(QWidget* parent)
    : QDialog(parent ? parent : frmMain::instance()) {
    setWindowTitle(QStringLiteral("Select beginning and ending dates"));
    Frame1 = dateFrame(this, "Frame1", QStringLiteral("Start date"), DTPicker1, "DTPicker1");
    Frame2 = dateFrame(this, "Frame2", QStringLiteral("End date"), DTPicker2, "DTPicker2");

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmSearchDatePicker::mnuReturn_Click);
    mnuContinue = addMenuItem(menuBar, "mnuContinue", QStringLiteral("&Continue"), this,
                              &frmSearchDatePicker::mnuContinue_Click);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    Form_Load();
}

void frmSearchDatePicker::Form_Load() {
    // From the main window's corner, whichever window it stands over.
    if (const QWidget* main = frmMain::instance()) {
        const int offset = Twips::toPixels(500);
        move(main->pos() + QPoint(offset, offset));
    }
    const QDate today = Clock::today();
    DTPicker1->setDate(today.addDays(-138));
    DTPicker2->setDate(today);
}

void frmSearchDatePicker::mnuContinue_Click() {
    if (!DTPicker1->commitTyping() || !DTPicker2->commitTyping())
        return;
    // A range of one day is a range; only an end before the start is refused, and a refused
    // range is not kept.
    if (DTPicker2->date() >= DTPicker1->date()) {
        gvarBeginDate = DTPicker1->date().startOfDay();
        gvarEndDate = DTPicker2->date().startOfDay();
        accept();
        return;
    }
    Dialogs::msgBox(QStringLiteral(
        "The beginning time must be earlier than the ending time.  Please try again."));
    const QDate today = Clock::today();
    DTPicker1->setDate(today.addDays(-183));
    DTPicker2->setDate(today);
}

void frmSearchDatePicker::mnuReturn_Click() {
    reject();
}

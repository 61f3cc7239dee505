#include "frmSearchDatePicker.h"

#include "core/logic/SharedState.h"
#include "core/windows/frmMain.h"
#include "platform/data/Clock.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/DateBox.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QVBoxLayout>

namespace {

using BoxTable::next;
using BoxTable::Shape;

constexpr BoxTable::Part Frames[] = {
    {1, "Frame1", "Start date", "DTPicker1", Shape::PickerAlways, next(), nullptr, "M/d/yyyy"},
    {1, "Frame2", "End date", "DTPicker2", Shape::PickerAlways, next(), nullptr, "M/d/yyyy"},
};

} // namespace

frmSearchDatePicker::frmSearchDatePicker(QWidget* parent)
    : QDialog(parent ? parent : frmMain::instance()) {
    setWindowTitle(QStringLiteral("Select beginning and ending dates"));
    auto* layout = new QVBoxLayout(this);
    const BoxTable::Built frames = BoxTable::build(Frames, {this});
    Frame1 = frames.frame("Frame1");
    Frame2 = frames.frame("Frame2");
    DTPicker1 = frames.box<DateBox>("DTPicker1");
    DTPicker2 = frames.box<DateBox>("DTPicker2");
    for (QGroupBox* frame : {Frame1, Frame2})
        drawWhiteOnBlue(frame);
    // The pickers keep the usual colours inside their blue frames.
    for (DateBox* picker : {DTPicker1, DTPicker2}) {
        const QPalette usual = QApplication::palette(picker);
        QPalette own = picker->palette();
        own.setColor(QPalette::Window, usual.color(QPalette::Window));
        own.setColor(QPalette::WindowText, usual.color(QPalette::WindowText));
        picker->setPalette(own);
    }

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmSearchDatePicker::mnuReturn_Click);
    mnuContinue = addMenuItem(menuBar, "mnuContinue", QStringLiteral("&Continue"), this,
                              &frmSearchDatePicker::mnuContinue_Click);

    layout->setMenuBar(menuBar);
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

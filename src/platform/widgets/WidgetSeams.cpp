#include "WidgetSeams.h"

#include "DialogBoxes.h"
#include "ModalWindows.h"
#include "PrinterDialog.h"
#include "ReportPreview.h"
#include "platform/data/BusyCursor.h"
#include "platform/reporting/Report.h"

#include <QCursor>
#include <QGuiApplication>

namespace WidgetSeams {

void install() {
    static DialogBoxes dialogs;
    Dialogs::setUserInterface(&dialogs);
    static PrinterDialog printers;
    Printer::setChooser(&printers);
    // Only an application with a screen has a pointer to change.
    BusyCursor::setPointer([](bool busy) {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            return;
        if (busy)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QGuiApplication::restoreOverrideCursor();
    });
    Report::setPreview([](Report& report) {
        ReportPreview preview(report);
        ModalWindows::exec(preview);
    });
}

} // namespace WidgetSeams

#include "InvoiceCommands.h"

#include "billing/logic/Invoice.h"
#include "billing/logic/LetterHeading.h"
#include "billing/logic/Letterhead.h"
#include "core/logic/SharedState.h"
#include "frmLetterhead.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/data/VbFormat.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/ModalWindows.h"
#include "reports/DataReport3.h"
#include "timelog/windows/frmSearchDatePicker.h"
#include "timelog/windows/frmSearchList.h"

void showBillingError(const AppError& e) {
    Dialogs::msgBox(QStringLiteral("Error:  ") + QString::number(e.number()) +
                    QStringLiteral("  ") + e.description());
}

namespace {

// The client picked from the clients list; false when the list was closed without a pick.
bool pickClient() {
    gintSearchType = 1;
    frmSearchList list;
    list.setWindowTitle(QStringLiteral("Select Client"));
    return ModalWindows::exec(list) == QDialog::Accepted && !gstrClient.isEmpty();
}

// The range of days: the one chosen now, or, when the dialog is left with Return, the one
// chosen last. False when there is none.
bool pickRange(QDate& begin, QDate& end) {
    frmSearchDatePicker picker;
    ModalWindows::exec(picker);
    begin = gvarBeginDate.toDate();
    end = gvarEndDate.toDate();
    return begin.isValid() && end.isValid();
}

QString dayText(const QDate& day) {
    return VbFormat::format(QVariant(day.startOfDay()), QStringLiteral("M/d/yyyy"));
}

} // namespace

void mnuLetterhead_Click(ChildWindow*) {
    frmLetterhead window;
    ModalWindows::exec(window);
}

void mnuCreateInvoice_Click(ChildWindow* from) {
    using namespace LetterHeading;
    try {
        Database db = Database::open(gstrDatabasePath);
        const std::optional<QString> letterhead = Letterhead::read(db);
        if (!letterhead) {
            if (Dialogs::msgBox(QStringLiteral("There is no letterhead set for this invoice, "
                                               "would you like to create a letterhead for your "
                                               "invoice?"),
                                Dialogs::vbYesNo) == Dialogs::vbYes)
                mnuLetterhead_Click(from);
            return;
        }
        gstrLetterhead = letterheadPart(*letterhead);

        if (!pickClient()) {
            Dialogs::msgBox(
                QStringLiteral("Please make a selection from the pull-down list and try again."));
            return;
        }
        const QString client = gstrClient;
        const ClientName name = splitName(client);
        gstrLastName = name.last;
        gstrFirstName = name.first;
        const Parts parts = compose(name, findClient(db, name), Letter::Invoice);

        QDate begin;
        QDate end;
        if (!pickRange(begin, end))
            return;

        DataReport3 report;
        {
            BusyCursor busy;
            report.setDataSource(Invoice::records(db, client, begin, end));
        }
        if (report.dataSource()->rowCount() == 0) {
            Dialogs::msgBox(QStringLiteral("There are no logs of %1 from %2 to %3 to invoice.")
                                .arg(client, dayText(begin), dayText(end)));
            return;
        }
        setCaptions(report, gstrLetterhead, parts, Clock::today());
        applyFonts(report, Fonts::current(), Letter::Invoice);
        db.close();
        report.show();
    } catch (const AppError& e) {
        showBillingError(e);
    }
}

#include "StatementCommands.h"

#include "InvoiceCommands.h"
#include "billing/logic/LetterHeading.h"
#include "billing/logic/Letterhead.h"
#include "billing/logic/PaymentStatements.h"
#include "core/logic/SharedState.h"
#include "frmLetterhead.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Clock.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/reporting/ReportData.h"
#include "platform/widgets/ModalWindows.h"
#include "reports/DataReport4.h"
#include "reports/DataReport5.h"
#include "timelog/windows/frmSearchList.h"

#include <memory>

namespace {

using namespace PaymentStatements;

// The client picked from the clients list; false when the list was closed without a pick
// (a client left in the shared state by another command is not the user's choice).
bool pickClient() {
    gintSearchType = 1;
    frmSearchList list;
    list.setWindowTitle(pickCaption());
    return ModalWindows::exec(list) == QDialog::Accepted && !gstrClient.isEmpty();
}

// The letterhead of the file, created now when the user agrees to; nothing when the file
// still has none (the user has been told).
std::optional<QString> letterheadOf(const Database& db) {
    if (std::optional<QString> letterhead = Letterhead::read(db))
        return letterhead;
    if (Dialogs::msgBox(noLetterheadQuestion(), Dialogs::vbYesNo) == Dialogs::vbYes) {
        frmLetterhead window;
        ModalWindows::exec(window);
        if (std::optional<QString> letterhead = Letterhead::read(db))
            return letterhead;
    }
    Dialogs::msgBox(noLetterheadMessage());
    return std::nullopt;
}

std::unique_ptr<Report> layoutOf(Kind kind) {
    if (kind == Kind::Disbursements)
        return std::make_unique<DataReport4>();
    return std::make_unique<DataReport5>();
}

QString nothingToList(Kind kind, const QString& client) {
    return (kind == Kind::Disbursements
                ? QStringLiteral("There are no disbursements of %1 to list.")
                : QStringLiteral("There are no payments of %1 to list."))
        .arg(client);
}

} // namespace

void showPaymentStatement(const QString& path, int tab) {
    using namespace LetterHeading;
    const Kind kind = kindOfTab(tab);
    try {
        // The window's own file, whichever file another window made current meanwhile: the
        // letterhead window works on it too.
        gstrDatabasePath = path;
        const bool picked = pickClient();
        Database db = Database::open(path);
        const std::optional<QString> letterhead = letterheadOf(db);
        if (!letterhead)
            return;
        gstrLetterhead = letterheadPart(*letterhead);
        if (!picked) {
            Dialogs::msgBox(noClientMessage());
            return;
        }
        const QString client = gstrClient;
        const ClientName name = splitName(client);
        gstrLastName = name.last;
        gstrFirstName = name.first;
        const Parts parts = compose(name, findClient(db, name), letterOf(kind));

        const std::unique_ptr<Report> report = layoutOf(kind);
        {
            BusyCursor busy;
            report->setDataSource(records(db, kind, name));
        }
        if (report->dataSource()->rowCount() == 0) {
            Dialogs::msgBox(nothingToList(kind, client));
            return;
        }
        setCaptions(*report, gstrLetterhead, parts, Clock::today());
        applyFonts(*report, Fonts::current(), letterOf(kind));
        db.close();
        report->show();
    } catch (const AppError& e) {
        showBillingError(e);
    }
}

#include "billing/Billing.h"
#include "clients/Clients.h"
#include "core/DesktopIdentity.h"
#include "core/StartupWindows.h"
#include "core/frmMain.h"
#include "thingstodo/ThingsToDo.h"
#include "timelog/TimeLogging.h"
#include "transfer/Transfer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    DesktopIdentity::apply();

    registerStartupWindows();
    registerTimeLogging();
    registerClients();
    registerTransfer();
    registerBilling();
    registerThingsToDo();

    auto* main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->MDIForm_Load();
    main->show();
    return QApplication::exec();
}

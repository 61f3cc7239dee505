#include "billing/windows/Billing.h"
#include "clients/windows/Clients.h"
#include "core/windows/DesktopIdentity.h"
#include "core/windows/StartupWindows.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/WidgetSeams.h"
#include "thingstodo/windows/ThingsToDo.h"
#include "timelog/windows/TimeLogging.h"
#include "transfer/windows/Transfer.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    WidgetSeams::install();
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

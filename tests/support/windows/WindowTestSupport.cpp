#include "WindowTestSupport.h"

#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/WidgetSeams.h"

namespace TestSupport {

void initWindows() {
    WidgetSeams::install();
    alsoForget([] {
        resetChildWindows();
        Forms::reset();
    });
}

void showActive(QWidget* window) {
    window->show();
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window))
        qWarning("%s did not become active", window->metaObject()->className());
}

frmMain* showMainWindow() {
    auto* main = new frmMain;
    main->resize(1000, 800);
    showActive(main);
    return main;
}

void closeMainWindow(frmMain* main) {
    delete main;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace TestSupport

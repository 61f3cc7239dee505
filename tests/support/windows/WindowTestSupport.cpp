#include "WindowTestSupport.h"

#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/widgets/WidgetSeams.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTextEdit>

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

void typeOver(QWidget* box, const QString& text) {
    for (QWidget* page = box; page && page->parentWidget(); page = page->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(page->parentWidget()->parentWidget());
            tabs && tabs->indexOf(page) >= 0) {
            tabs->setCurrentWidget(page);
            break;
        }
    box->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->selectAll();
    if (auto* edit = qobject_cast<QTextEdit*>(box))
        edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

} // namespace TestSupport

#include "TestSupport.h"

#include "core/ChildWindows.h"
#include "core/Forms.h"
#include "core/LookupLists.h"
#include "core/ProgramFolder.h"
#include "core/SharedState.h"
#include "core/frmMain.h"
#include "platform/Clock.h"
#include "platform/Settings.h"

#include <QDir>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <cstdlib>
#include <memory>

namespace TestSupport {

namespace {
std::unique_ptr<QTemporaryDir>& home() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
int folderCounter = 0;
} // namespace

void prepareEnvironment() {
    home() =
        std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/vellagon-test-XXXXXX"));
    const QByteArray path = QFile::encodeName(home()->path());
    qputenv("HOME", path);
    qputenv("XDG_CONFIG_HOME", path + "/.config");
    qputenv("XDG_DATA_HOME", path + "/.local/share");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::atexit([] { home().reset(); });
}

void initApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Vellagon"));
    QCoreApplication::setOrganizationName(QStringLiteral("Vellagon"));
    QStandardPaths::setTestModeEnabled(true);
    QDir().mkpath(homeFolder() + QStringLiteral("/settings"));
    Settings::useFile(homeFolder() + QStringLiteral("/settings/Vellagon.ini"));
}

QString homeFolder() {
    return home()->path();
}

QString newFolder() {
    const QString path = homeFolder() + QStringLiteral("/work-%1").arg(++folderCounter);
    QDir().mkpath(path);
    return path;
}

void freshProgram() {
    resetSharedState();
    mainLists() = MainLists();
    resetChildWindows();
    Forms::reset();
    QFile::remove(Settings::fileName());
    Settings::useFile(Settings::fileName());
    QDir folder(ProgramFolder::path());
    folder.removeRecursively();
    QDir().mkpath(ProgramFolder::path());
    Clock::reset();
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

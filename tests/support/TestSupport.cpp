#include "TestSupport.h"

#include "core/logic/LookupLists.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "platform/data/Clock.h"
#include "platform/data/Settings.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace TestSupport {

namespace {
std::unique_ptr<QTemporaryDir>& home() {
    static std::unique_ptr<QTemporaryDir> dir;
    return dir;
}
int folderCounter = 0;
std::function<void()>& windowsForgotten() {
    static std::function<void()> forget;
    return forget;
}
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
    if (windowsForgotten())
        windowsForgotten()();
    QFile::remove(Settings::fileName());
    Settings::useFile(Settings::fileName());
    QDir folder(ProgramFolder::path());
    folder.removeRecursively();
    QDir().mkpath(ProgramFolder::path());
    Clock::reset();
}

void alsoForget(std::function<void()> forget) {
    windowsForgotten() = std::move(forget);
}

} // namespace TestSupport

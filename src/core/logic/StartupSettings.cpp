#include "StartupSettings.h"

#include "FieldCaptions.h"
#include "FontSetting.h"
#include "ProgramFolder.h"
#include "SharedState.h"
#include "platform/data/Settings.h"

#include <cmath>

namespace {
const QString DefaultLogFile = QStringLiteral("DefaultLogFile");
const QString DefaultLogFileKey = QStringLiteral("Default Log File");
const QString Preferences = QStringLiteral("Preferences");
const QString ShowTipsKey = QStringLiteral("Show Tips at Startup");
} // namespace

namespace StartupSettings {

QStringList recentFiles() {
    QStringList files;
    for (const char* key : {"First", "Second", "Third", "Fourth", "Fifth", "Sixth"}) {
        const QString path =
            Settings::value(QStringLiteral("MostRecentDatabases"), QString::fromLatin1(key));
        if (!path.isEmpty())
            files << path;
    }
    return files;
}

QString databasePath() {
    const QString defaultPath = ProgramFolder::defaultDatabasePath();
    const QString path = Settings::value(DefaultLogFile, DefaultLogFileKey, defaultPath);
    return path.isEmpty() ? defaultPath : path;
}

bool tipsWanted() {
    bool ok = false;
    const double flag =
        Settings::value(Preferences, ShowTipsKey, QStringLiteral("0")).trimmed().toDouble(&ok);
    return !ok || std::nearbyint(flag) == 0;
}

void saveTipsDeactivated(bool deactivated) {
    Settings::setValue(Preferences, ShowTipsKey,
                       deactivated ? QStringLiteral("1") : QStringLiteral("0"));
}

void readFontsCaptionsAndEmployee() {
    readFontSettings();
    gstrDefaultEmployee =
        Settings::value(QStringLiteral("DefaultEmployee"), QStringLiteral("Default Employee"));
    FieldCaptions::read();
}

void saveDatabasePath(const QString& path) {
    // An empty path would make the next start open the default file instead of the user's.
    if (!path.isEmpty())
        Settings::setValue(DefaultLogFile, DefaultLogFileKey, path);
}

} // namespace StartupSettings

StartupDialogs& startupDialogs() {
    static StartupDialogs dialogs;
    return dialogs;
}

#include "StartupSettings.h"

#include "ProgramFolder.h"
#include "SharedState.h"
#include "platform/Settings.h"

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
    struct Entry {
        QString* variable;
        const char* section;
        const char* key;
        const char* defaultValue;
    };
    const Entry entries[] = {
        {&gstrDefaultFontName, "DefaultFontName", "Default Font Name", "Times New Roman"},
        {&gstrDisplayFontName, "DefaultDisplayFontName", "Default Display Font Name",
         "MS Sans Serif"},
        {&gstrEntryFontName, "DefaultEntryFontName", "Default Entry Font Name", "MS Sans Serif"},
        {&gstrToDoFontName, "DefaultToDoFontName", "Default To Do Font Name", "MS Sans Serif"},
        {&gstrLetterheadFontName, "DefaultLetterheadFontName", "Default Letterhead Font Name",
         "Times New Roman"},
        {&gstrReportFontName, "DefaultReportFontName", "Default Report Font Name",
         "Times New Roman"},
        {&gstrVellagonFontName, "DefaultVellagonFontName", "Default Vellagon Font Name",
         "Times New Roman"},
        {&gstrPrintFontName, "DefaultPrintFontName", "Default Print Font Name", "Times New Roman"},
        {&gstrDefaultFontSize, "DefaultFontSize", "Default Font Size", "12"},
        {&gstrDisplayFontSize, "DefaultDisplayFontSize", "Default Display Font Size", "12"},
        {&gstrEntryFontSize, "DefaultEntryFontSize", "Default Entry Font Size", "12"},
        {&gstrToDoFontSize, "DefaultToDoFontSize", "Default To Do Font Size", "12"},
        {&gstrLetterheadFontSize, "DefaultLetterheadFontSize", "Default Letterhead Font Size",
         "12"},
        {&gstrReportFontSize, "DefaultReportFontSize", "Default Report Font Size", "12"},
        {&gstrVellagonFontSize, "DefaultVellagonFontSize", "Default Vellagon Font Size", "12"},
        {&gstrPrintFontSize, "DefaultPrintFontSize", "Default Print Font Size", "12"},
        {&gstrDefaultEmployee, "DefaultEmployee", "Default Employee", ""},
        {&gstrFrame1Caption, "Frame1Caption", "Default Frame1 Caption", "Client"},
        {&gstrFrame2Caption, "Frame2Caption", "Default Frame2 Caption", "Employee (or user)"},
        {&gstrFrame3Caption, "Frame3Caption", "Default Frame3 Caption", "Project"},
        {&gstrFrame5Caption, "Frame5Caption", "Default Frame5 Caption", "Invoice summary line"},
    };
    for (const Entry& e : entries)
        *e.variable = Settings::value(QString::fromLatin1(e.section), QString::fromLatin1(e.key),
                                      QString::fromUtf8(e.defaultValue));
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

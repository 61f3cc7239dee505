// Start-up with a practice file as the default file: the main window with its first Display
// and Data entry windows, timed to the first drawing of the main window and to the moment the
// Display window has read its logs. Raw SQLite does the reading of start-up on a connection of
// its own: the file opened, its indexes looked up, the five lookup lists, the ordered list of
// every log, its first and its newest row. Once with the cached practice file of 1,000,000
// logs, once with a new empty file.
//   bench_startup [practice.mdb]
// Settings and the program's folder go to a temporary home. QT_QPA_PLATFORM chooses the
// platform (offscreen unless set).
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/DataControl.h"
#include "platform/data/Settings.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

// Notes the time of the first paint of the window it watches.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const QElapsedTimer& clock) : m_clock(clock) {}
    double at = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at < 0)
            at = m_clock.nsecsElapsed() / 1e6;
        return false;
    }

private:
    const QElapsedTimer& m_clock;
};

struct Times {
    double drawn = 0; // the main window first drawn
    double read = 0;  // the Display window's logs read
};

Times startProgram() {
    QElapsedTimer clock;
    clock.start();
    FirstPaint paint(clock);
    auto* main = new frmMain;
    main->installEventFilter(&paint);
    main->MDIForm_Load();
    main->show();
    auto* display = qobject_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "1"));
    if (!display)
        qFatal("start-up made no Display window");
    while (paint.at < 0 || !display->Adodc1->database().isValid())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const Times times{paint.at, clock.nsecsElapsed() / 1e6};
    main->removeEventFilter(&paint);
    main->close();
    delete main;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetChildWindows();
    Forms::reset();
    mainLists() = MainLists();
    return times;
}

// The reading of start-up; without the list, only what comes before the first drawing.
void rawStartup(const QString& path, bool withList) {
    const RawSqlite raw(path);
    const auto texts = [&](const char* sql) {
        RawStatement statement(raw, sql);
        std::vector<std::string> values;
        while (statement.next())
            for (int i = 0; i < statement.columns(); ++i)
                if (const auto* text =
                        reinterpret_cast<const char*>(sqlite3_column_text(statement.handle(), i)))
                    values.emplace_back(text);
    };
    texts("SELECT count(*) FROM sqlite_master");
    texts("SELECT name FROM sqlite_master WHERE type = 'index'");
    texts("SELECT [Client Last Name], [Client First Name] FROM [Active Clients] ORDER BY rowid");
    texts("SELECT [Employee Last Name], [Employee First Name] FROM [Employees] ORDER BY rowid");
    texts("SELECT [Projects] FROM [Projects] ORDER BY rowid");
    texts("SELECT [Rates] FROM [Rates] ORDER BY rowid");
    texts("SELECT [Activities] FROM [Activities] ORDER BY rowid");
    if (!withList)
        return;
    const RawIds ids =
        raw.ids(QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid"));
    if (!ids.empty()) {
        RawRow row(raw, QStringLiteral("Vellagons"));
        row.read(ids.front());
        row.read(ids.back());
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    offscreenUnlessSet();
    QApplication app(argc, argv);
    WidgetSeams::install();
    QApplication::setApplicationName(QStringLiteral("Vellagon"));
    QApplication::setOrganizationName(QStringLiteral("Vellagon"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vellagon"));
    registerTimeLogging();

    const QString large = practiceFile(argc, argv);
    const QString empty = home.path() + QStringLiteral("/empty.mdb");
    createDatabaseFile(empty);
    bool met = true;
    for (const QString& path : {large, empty}) {
        Settings::setValue(QStringLiteral("DefaultLogFile"), QStringLiteral("Default Log File"),
                           path);
        Rounds drawn;
        Rounds read;
        startProgram(); // warm
        rawStartup(path, true);
        for (int round = 0; round < 7; ++round) {
            const Times times = startProgram();
            drawn.program << times.drawn;
            read.program << times.read;
            drawn.raw << milliseconds([&] { rawStartup(path, false); });
            read.raw << milliseconds([&] { rawStartup(path, true); });
        }
        const bool isLarge = path == large;
        std::printf("%s (%s)\n", qPrintable(path), isLarge ? "the large file" : "a new empty file");
        report(QStringLiteral("start-up: main window first drawn (raw: lists)"), Cache::Warm, drawn,
               0);
        const bool ok = report(QStringLiteral("start-up: the Display window's logs read"),
                               Cache::Warm, read, 0, isLarge ? 150 : 0);
        const bool drawnFirst = median(drawn.program) < median(read.program);
        std::printf("  drawn before the logs were read: %s\n", drawnFirst ? "yes" : "NO");
        if (isLarge)
            met = met && ok && drawnFirst;
    }
    return targets(met);
}

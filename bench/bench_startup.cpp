// Start-up with a practice file as the default file: the main window with its first Display
// and Data entry windows, timed to the first drawing of the main window and to the moment the
// Display window has read its logs, in this process and from the start of a process of its own
// (this benchmark started again as the program starts: the same windows registered, the
// libraries loaded, the application made). Raw SQLite does the reading of start-up on a
// connection of its own: the file opened, its indexes looked up, the five lookup lists, the
// ordered list of every log, its first and its newest row. Once with the cached practice file of
// 1,000,000 logs, once with a new empty file. Then, on the large file, a second Display window
// opened from the menu, timed until it has been shown and drawn.
//   bench_startup [practice.mdb]
// Settings and the program's folder go to a temporary home. QT_QPA_PLATFORM chooses the
// platform (offscreen unless set): the drawing is only real on a window system (xcb, under a
// window manager).
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "billing/windows/Billing.h"
#include "clients/windows/Clients.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/DesktopIdentity.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/DataControl.h"
#include "platform/data/Settings.h"
#include "platform/widgets/WidgetSeams.h"
#include "thingstodo/windows/ThingsToDo.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "transfer/windows/Transfer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

// The monotonic clock in milliseconds, the same in every process of the machine.
double monotonicMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// Notes the time of the first paint of the window it watches.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(const std::function<double()>& clock) : m_clock(clock) {}
    double at = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && at < 0)
            at = m_clock();
        return false;
    }

private:
    std::function<double()> m_clock;
};

struct Times {
    double drawn = 0; // the main window first drawn
    double read = 0;  // the Display window's logs read
};

// What the program's main() does before its main window, but for the start-up dialogs (the
// tip of the day, the introduction), which would wait for the user.
void prepareProgram() {
    WidgetSeams::install();
    DesktopIdentity::apply();
    registerTimeLogging();
    registerClients();
    registerTransfer();
    registerBilling();
    registerThingsToDo();
}

// The main window made, loaded and shown as main() does, and the times (on the clock given)
// when it is first drawn and when its Display window has read its logs.
frmMain* startMain(const std::function<double()>& clock, Times& times) {
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
    times = {paint.at, clock()};
    main->removeEventFilter(&paint);
    return main;
}

void closeMain(frmMain* main) {
    main->close();
    delete main;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetChildWindows();
    Forms::reset();
    mainLists() = MainLists();
}

Times startProgram() {
    QElapsedTimer clock;
    clock.start();
    Times times;
    closeMain(startMain([&] { return clock.nsecsElapsed() / 1e6; }, times));
    return times;
}

// The reading of start-up; without the list, only what comes before the first drawing.
void rawStartup(const QString& path, bool withList) {
    const RawSqlite raw(path, RawSqlite::Access::ReadOnly);
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

// The modes in which the benchmark starts itself: the program's start-up, and raw SQLite's
// reading of it. Each prints the clock when the main window is first drawn (raw: the lists
// read) and when the logs are read.
const QString ProgramChild = QStringLiteral("--program-child");
const QString RawChild = QStringLiteral("--raw-child");

int runChild(int argc, char* argv[]) {
    const QString mode = QString::fromLocal8Bit(argv[1]);
    if (mode == RawChild) {
        const QString path = QString::fromLocal8Bit(argv[2]);
        rawStartup(path, false);
        const double drawn = monotonicMilliseconds();
        rawStartup(path, true);
        std::printf("%.3f %.3f\n", drawn, monotonicMilliseconds());
        return 0;
    }
    QApplication app(argc, argv);
    prepareProgram();
    Times times;
    startMain(monotonicMilliseconds, times);
    std::printf("%.3f %.3f\n", times.drawn, times.read);
    std::fflush(stdout);
    // What comes after the measure (closing, freeing) is of no interest here.
    std::_Exit(0);
}

// Starts this benchmark again in a child mode, and returns its times counted from the moment
// the process was started.
Times startChild(const QString& mode, const QString& path) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const double start = monotonicMilliseconds();
    child.start(QCoreApplication::applicationFilePath(), {mode, path});
    if (!child.waitForFinished(120000) || child.exitCode() != 0)
        qFatal("the child process (%s) failed", qPrintable(mode));
    const QStringList clocks = QString::fromLatin1(child.readAllStandardOutput()).split(' ');
    if (clocks.size() != 2)
        qFatal("the child process (%s) gave no times", qPrintable(mode));
    return {clocks[0].toDouble() - start, clocks[1].toDouble() - start};
}

// A second Display window opened beside the first, as the menu opens it (on the file of the
// first), timed until it has been drawn: it is shown in the main window's area and the window
// system has its first picture. It shares the first window's list of logs, so raw SQLite reads
// what it reads besides, on its connection: the first row and the newest.
bool secondDisplayWindow(const QString& path) {
    Times started;
    frmMain* main = startMain([] { return 0.0; }, started);
    const RawSqlite raw(path, RawSqlite::Access::ReadOnly);
    RawRow row(raw, QStringLiteral("Vellagons"));
    const RawIds ids =
        raw.ids(QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid"));
    Rounds rounds;
    alternateSides(
        40, Cache::Warm, path,
        [&](bool measured) {
            FirstPaint paint([] { return 1.0; });
            ChildWindow* window = nullptr;
            timed(rounds.program, measured, [&] {
                NewDisplayForm();
                window = gfrmDisplays.last();
                window->installEventFilter(&paint);
                // The paint comes from the event loop; once the loop has handled it, the window
                // and every box in it are drawn and handed to the window system.
                while (paint.at < 0)
                    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
            });
            window->removeEventFilter(&paint);
            window->parentWidget()->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        },
        [&](bool measured) {
            timed(rounds.raw, measured, [&] {
                row.read(ids.front());
                row.read(ids.back());
            });
        });
    closeMain(main);
    std::printf("%s (the large file, platform %s)\n", qPrintable(path),
                qPrintable(QGuiApplication::platformName()));
    return report(QStringLiteral("a second Display window, shown and drawn (raw: its two rows)"),
                  Cache::Warm, rounds, 0, 16);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc > 2 && (argv[1] == ProgramChild || argv[1] == RawChild))
        return runChild(argc, argv);
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path() + QStringLiteral("/config")));
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path() + QStringLiteral("/data")));
    offscreenUnlessSet();
    QApplication app(argc, argv);
    prepareProgram();

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
        // The same from the start of a process: the program's, and one that reads as raw
        // SQLite does (it loads the same libraries, and makes no application and no window).
        Rounds processDrawn;
        Rounds processRead;
        alternateSides(
            7, Cache::Warm, path,
            [&](bool measured) {
                const Times times = startChild(ProgramChild, path);
                if (measured) {
                    processDrawn.program << times.drawn;
                    processRead.program << times.read;
                }
            },
            [&](bool measured) {
                const Times times = startChild(RawChild, path);
                if (measured) {
                    processDrawn.raw << times.drawn;
                    processRead.raw << times.read;
                }
            });
        const bool isLarge = path == large;
        std::printf("%s (%s)\n", qPrintable(path), isLarge ? "the large file" : "a new empty file");
        report(QStringLiteral("start-up: main window first drawn (raw: lists)"), Cache::Warm, drawn,
               0);
        const bool ok = report(QStringLiteral("start-up: the Display window's logs read"),
                               Cache::Warm, read, 0, isLarge ? 150 : 0);
        report(QStringLiteral("process start to main window drawn (raw: lists, no window)"),
               Cache::Warm, processDrawn, 0);
        report(QStringLiteral("process start to the logs read (raw: no window)"), Cache::Warm,
               processRead, 0);
        const bool drawnFirst = median(drawn.program) < median(read.program);
        std::printf("  drawn before the logs were read: %s\n", drawnFirst ? "yes" : "NO");
        if (isLarge)
            met = met && ok && drawnFirst;
    }
    Settings::setValue(QStringLiteral("DefaultLogFile"), QStringLiteral("Default Log File"), large);
    met &= secondDisplayWindow(large);
    return targets(met);
}

// The transfers on the practice file of 1,000,000 logs, each a command of a Display window
// (offscreen) with its dialog answered: Save File As of a window that shows every log, the
// export of a search's 100,000 logs into a new file, and the import of those 100,000 logs into
// a writable copy of the practice file. Raw SQLite does the same copy on a connection of its own in
// the same process: the same tables, the same logs in the same order (its ids read beforehand, as
// the window holds them), the durations computed in its statement. VACUUM INTO of the whole
// file is shown beside Save File As for scale.
//   bench_transfer [practice.mdb]
// Without an argument it reads the cached practice file. The import goes into the file's
// writable copy beside it (the logs it adds are deleted again); every other file it writes lies
// in the build tree and is removed at the end.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/Database.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "transfer/windows/Transfer.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <sqlite3.h>

using namespace BenchTools;

namespace {

const QString Fields = QStringLiteral(
    "[Client], [Project], [Employee], [Rate], [Vellagon], [VellaGraphic], [Log Summary], [Fee], "
    "[Beginning Time], [Ending Time], [Duration]");

// A Display window of the program on a file, showing a statement (all logs for "").
frmDisplay* openWindow(const QString& path, const QString& statement = {}) {
    gstrDatabasePath = path;
    std::optional<frmDisplay::OpeningSource> source;
    if (!statement.isEmpty())
        source.emplace(statement);
    NewDisplayForm();
    return static_cast<frmDisplay*>(currentDisplayWindow());
}

// Answers the commands' dialogs as a user who picks one file and reads every message.
class Answers : public Dialogs::Answerer {
public:
    QString file;
    QStringList messages;
    int msgBox(const QString& prompt, int, const QString&) override {
        messages << prompt;
        return Dialogs::vbOK;
    }
    std::optional<QString> inputBox(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> fileDialog(const Dialogs::FileRequest&) override { return file; }
    std::optional<Dialogs::FontChoice> fontDialog(const Dialogs::FontRequest&) override {
        return std::nullopt;
    }
};

// Runs a command of the window, its dialog answered with the file; stops on anything but its
// success message.
void runCommand(frmDisplay* window, QAction* item, const QString& file) {
    Answers answers;
    answers.file = file;
    Dialogs::setAnswerer(&answers);
    window->runPrologue();
    item->trigger();
    Dialogs::setAnswerer(nullptr);
    if (!answers.messages.value(0).contains(QStringLiteral("successfully")))
        qFatal("%s", qPrintable(answers.messages.join(QLatin1Char('\n'))));
}

void removeDatabaseFile(const QString& path) {
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

// A new, empty file for raw SQLite, which it then opens as the program opens its files.
void createEmptyFile(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        qFatal("raw sqlite: cannot create %s", qPrintable(path));
    sqlite3_close(db);
}

// Raw SQLite's way to hand the logs' ids to one statement: a table of them, in their order.
void fillIds(const RawSqlite& raw, const RawIds& ids) {
    raw.exec(QStringLiteral("CREATE TEMP TABLE shown (id INTEGER)"));
    RawStatement insert(raw, "INSERT INTO temp.shown (id) VALUES (?)");
    for (qint64 id : ids) {
        insert.bind(1, id);
        insert.run();
    }
}

void insertShownLogs(const RawSqlite& raw) {
    raw.exec(QStringLiteral("INSERT INTO main.Vellagons (%1) SELECT %2 FROM temp.shown AS s "
                            "CROSS JOIN source.Vellagons AS v ON v.rowid = s.id ORDER BY s.rowid")
                 .arg(Fields, QString(Fields).replace(QStringLiteral("["), QStringLiteral("v.["))));
}

// A new file built raw as the program builds one: filled in one transaction with the source
// attached, then renamed into place.
void buildRawFile(const QString& source, const QString& target,
                  const std::function<void(const RawSqlite&)>& fill) {
    const QString built = target + QStringLiteral(".raw-building");
    createEmptyFile(built);
    {
        const RawSqlite raw(built);
        raw.exec(QStringLiteral("ATTACH %1 AS source").arg(sqlLiteral(source)));
        raw.exec(QStringLiteral("BEGIN"));
        fill(raw);
        raw.exec(QStringLiteral("COMMIT"));
    }
    QFile::rename(built, target);
}

// Save File As done raw: the source's tables, their rows but the logs, the shown logs in order,
// then the indexes.
void rawSaveAs(const QString& source, const RawIds& ids, const QString& target) {
    buildRawFile(source, target, [&](const RawSqlite& raw) {
        QStringList tables;
        QStringList indexes;
        RawStatement items(raw, "SELECT type, name, sql FROM source.sqlite_master WHERE sql IS "
                                "NOT NULL AND name NOT LIKE 'sqlite%' ORDER BY rowid");
        while (items.next()) {
            if (items.text(0) == QLatin1String("table")) {
                raw.exec(items.text(2));
                tables << items.text(1);
            } else {
                indexes << items.text(2);
            }
        }
        fillIds(raw, ids);
        for (const QString& table : tables)
            if (table == QLatin1String("Vellagons"))
                insertShownLogs(raw);
            else
                raw.exec(
                    QStringLiteral("INSERT INTO main.[%1] SELECT * FROM source.[%1]").arg(table));
        for (const QString& sql : indexes)
            raw.exec(sql);
    });
}

// The export done raw: a new file of the program's schema and default rows with the shown logs.
void rawExport(const QString& source, const RawIds& ids, const QString& target) {
    buildRawFile(source, target, [&](const RawSqlite& raw) {
        for (const Schema::Table& table : Schema::tables())
            raw.exec(Schema::createTableSql(table));
        for (const Schema::Index& index : Schema::indexes())
            raw.exec(Schema::createIndexSql(index));
        const auto fill = [&](const QString& table, const QStringList& rows) {
            for (const QString& row : rows)
                raw.exec(
                    QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(table, sqlLiteral(row)));
        };
        fill(QStringLiteral("Activities"), Schema::defaultActivities());
        fill(QStringLiteral("Projects"), Schema::defaultProjects());
        fill(QStringLiteral("Rates"), Schema::defaultRates());
        fillIds(raw, ids);
        insertShownLogs(raw);
    });
}

// The import done raw: every log of the source, its times when it has both, the duration in
// tenths of the real hours between them, no fee; then the list of logs read again, as the
// window that imported lists them afresh.
void rawImport(const RawSqlite& target, const QString& source) {
    target.exec(QStringLiteral("ATTACH %1 AS source").arg(sqlLiteral(source)));
    target.exec(QStringLiteral(
        "INSERT INTO main.Vellagons (Client, Project, Employee, Rate, Vellagon, VellaGraphic, "
        "[Log Summary], [Beginning Time], [Ending Time], Duration) SELECT Client, Project, "
        "Employee, Rate, Vellagon, VellaGraphic, [Log Summary], CASE WHEN [Ending Time] IS NOT "
        "NULL THEN [Beginning Time] END, CASE WHEN [Beginning Time] IS NOT NULL THEN [Ending "
        "Time] END, round((julianday([Ending Time], 'utc') - julianday([Beginning Time], "
        "'utc')) * 24, 1) FROM source.Vellagons ORDER BY rowid"));
    target.exec(QStringLiteral("DETACH source"));
    target.ids(QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid"));
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    const QString work = workFolder(QStringLiteral("transfer-bench"));
    QApplication app(argc, argv);
    WidgetSeams::install();
    nameApplication();
    registerTimeLogging();
    registerTransfer();
    const QString path = practiceFile(argc, argv);
    std::printf("%s: %.0f MB\n", qPrintable(path), QFileInfo(path).size() / 1e6);
    const RawSqlite reader(path);
    bool met = true;

    // Save File As of a window that shows every log.
    {
        frmDisplay* window = openWindow(path);
        const RawIds ids = reader.ids(
            QStringLiteral("SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid"));
        const QString saved = work + QStringLiteral("/saved.mdb");
        Rounds rounds;
        Rounds vacuum;
        alternateSides(
            3, Cache::Warm, path,
            [&](bool measured) {
                const double ms = timed(rounds.program, measured, [&] {
                    runCommand(window, window->mnuSaveFileAs, saved);
                    // The new window's file is let go before the file is removed.
                    delete currentDisplayWindow();
                });
                if (measured)
                    vacuum.program << ms;
                removeDatabaseFile(saved);
            },
            [&](bool measured) {
                timed(rounds.raw, measured, [&] { rawSaveAs(path, ids, saved); });
                removeDatabaseFile(saved);
                timed(vacuum.raw, measured, [&] {
                    reader.exec(QStringLiteral("VACUUM INTO %1").arg(sqlLiteral(saved)));
                });
                removeDatabaseFile(saved);
            });
        met &= report(QStringLiteral("save as, every log"), Cache::Warm, rounds, 2.0);
        report(QStringLiteral("  the same against VACUUM INTO (for scale)"), Cache::Warm, vacuum,
               0);
        delete window;
    }

    // The export of a search's 100,000 logs: those of the last days of the file.
    const QString from = reader.text(QStringLiteral(
        "SELECT substr([Beginning Time], 1, 10) FROM Vellagons ORDER BY [Beginning Time] DESC "
        "LIMIT 1 OFFSET 99999"));
    const QDate day = QDate::fromString(from, Qt::ISODate);
    const QString search = QStringLiteral("Select * from Vellagons WHERE [Beginning Time] >= #%1# "
                                          "ORDER BY [Beginning Time]")
                               .arg(day.toString(QStringLiteral("M/d/yyyy")));
    const QString exported = work + QStringLiteral("/exported.mdb");
    {
        frmDisplay* window = openWindow(path, search);
        const RawIds ids =
            reader.ids(QStringLiteral("SELECT rowid FROM Vellagons WHERE [Beginning Time] >= '%1 "
                                      "00:00:00' ORDER BY [Beginning Time], rowid")
                           .arg(from));
        std::printf("a search of %lld logs, from %s\n", static_cast<long long>(ids.size()),
                    qPrintable(from));
        // The last export stays for the import.
        Rounds rounds;
        alternateSides(
            5, Cache::Warm, path,
            [&](bool measured) {
                removeDatabaseFile(exported);
                timed(rounds.program, measured,
                      [&] { runCommand(window, window->mnuExportVellagons, exported); });
            },
            [&](bool measured) {
                removeDatabaseFile(exported);
                timed(rounds.raw, measured, [&] { rawExport(path, ids, exported); });
            });
        met &= report(QStringLiteral("export of a search's logs"), Cache::Warm, rounds, 2.0);
        delete window;
    }

    // The import of those logs into the writable copy of the practice file; the imported logs
    // are deleted again after each run, unmeasured.
    {
        const QString target = writableCopy(path);
        frmDisplay* window = openWindow(target);
        const RawSqlite raw(target);
        const QString kept = raw.text(QStringLiteral("SELECT max(rowid) FROM Vellagons"));
        const auto undo = [&] {
            raw.exec(QStringLiteral("DELETE FROM Vellagons WHERE rowid > %1").arg(kept));
        };
        Rounds rounds;
        alternateSides(
            5, Cache::Warm, path,
            [&](bool measured) {
                timed(rounds.program, measured,
                      [&] { runCommand(window, window->mnuImportVellagons, exported); });
                undo();
            },
            [&](bool measured) {
                timed(rounds.raw, measured, [&] { rawImport(raw, exported); });
                undo();
            });
        met &= report(QStringLiteral("import of 100,000 logs"), Cache::Warm, rounds, 1.2);
        delete window;
    }

    QDir(work).removeRecursively();
    return targets(met);
}

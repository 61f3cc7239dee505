// The transfers on the practice file of 1,000,000 logs, each a command of a Display window
// (offscreen) with its dialog answered: Save File As of a window that shows every log, the
// export of a search's 100,000 logs into a new file, and the import of those 100,000 logs into
// a copy of the practice file. Raw SQLite does the same copy on a connection of its own in the
// same process: the same tables, the same logs in the same order (its ids read beforehand, as
// the window holds them), the durations computed in its statement. VACUUM INTO of the whole
// file is shown beside Save File As for scale.
//   bench_transfer [practice.mdb]
// Without an argument it reads the cached practice file; every file it writes lies in the
// build tree and is removed at the end.
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/ChildWindows.h"
#include "core/DatabaseSchema.h"
#include "core/SharedState.h"
#include "platform/Database.h"
#include "platform/Dialogs.h"
#include "timelog/TimeLogging.h"
#include "timelog/frmDisplay.h"
#include "transfer/Transfer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

using RawIds = std::vector<qint64>;

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

double minimum(const QList<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// The timings of alternating rounds: program, raw, program, raw ...
struct Rounds {
    QList<double> program;
    QList<double> raw;
};

// One line of figures: minimum and median of each side, their ratios, the cache state, and
// whether the program's median is within maxRatio of raw SQLite's (no target for 0).
bool report(const char* job, const Rounds& rounds, double maxRatio) {
    const double program = BenchTools::median(rounds.program);
    const double raw = BenchTools::median(rounds.raw);
    const bool met = maxRatio <= 0 || program <= maxRatio * raw;
    std::printf("%-42s warm  program %9.1f / %9.1f ms  raw %9.1f / %9.1f ms  ratio %5.2f / %5.2f"
                "  (min / median, %d rounds)  %s\n",
                job, minimum(rounds.program), program, minimum(rounds.raw), raw,
                minimum(rounds.program) / minimum(rounds.raw), program / raw,
                int(rounds.program.size()),
                maxRatio <= 0 ? "no target" : (met ? "<= 2x met" : "<= 2x MISSED"));
    std::fflush(stdout);
    return met;
}

// Raw SQLite: a connection of its own through the C API, opened as the program opens its
// files (rollback journal, full sync, busy timeout).
class RawSqlite {
public:
    explicit RawSqlite(const QString& path) {
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db,
                            SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK)
            qFatal("raw sqlite: cannot open %s", qPrintable(path));
        sqlite3_busy_timeout(m_db, 5000);
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=FULL"));
    }
    ~RawSqlite() { sqlite3_close(m_db); }
    RawSqlite(const RawSqlite&) = delete;
    RawSqlite& operator=(const RawSqlite&) = delete;
    sqlite3* handle() const { return m_db; }
    void exec(const QString& sql) const {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("raw sqlite: %s: %s", qPrintable(sql), error);
    }
    // The first column of every row, as 64-bit integers.
    RawIds ids(const QString& sql) const {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.toUtf8().constData(), -1, &statement, nullptr) !=
            SQLITE_OK)
            qFatal("raw sqlite: %s: %s", qPrintable(sql), sqlite3_errmsg(m_db));
        RawIds ids;
        while (sqlite3_step(statement) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int64(statement, 0));
        sqlite3_finalize(statement);
        return ids;
    }

private:
    sqlite3* m_db = nullptr;
};

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

// The first column of a statement's first row, as text.
QString firstText(const RawSqlite& raw, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(raw.handle(), sql, -1, &statement, nullptr);
    QString text;
    if (sqlite3_step(statement) == SQLITE_ROW)
        text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)));
    sqlite3_finalize(statement);
    return text;
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

QString literal(const QString& text) {
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QStringLiteral("''")) +
           QLatin1Char('\'');
}

// Raw SQLite's way to hand the logs' ids to one statement: a table of them, in their order.
void fillIds(const RawSqlite& raw, const RawIds& ids) {
    raw.exec(QStringLiteral("CREATE TEMP TABLE shown (id INTEGER)"));
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(raw.handle(), "INSERT INTO temp.shown (id) VALUES (?)", -1, &insert,
                       nullptr);
    for (qint64 id : ids) {
        sqlite3_bind_int64(insert, 1, id);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
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
        raw.exec(QStringLiteral("ATTACH %1 AS source").arg(literal(source)));
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
        sqlite3_stmt* items = nullptr;
        sqlite3_prepare_v2(raw.handle(),
                           "SELECT type, name, sql FROM source.sqlite_master WHERE sql IS NOT "
                           "NULL AND name NOT LIKE 'sqlite%' ORDER BY rowid",
                           -1, &items, nullptr);
        while (sqlite3_step(items) == SQLITE_ROW) {
            const QString sql =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(items, 2)));
            if (qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(items, 0)), "table") ==
                0) {
                raw.exec(sql);
                tables << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(items, 1)));
            } else {
                indexes << sql;
            }
        }
        sqlite3_finalize(items);
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
                raw.exec(QStringLiteral("INSERT INTO [%1] VALUES (%2)").arg(table, literal(row)));
        };
        fill(QStringLiteral("Activities"), Schema::defaultActivities());
        fill(QStringLiteral("Projects"), Schema::defaultProjects());
        fill(QStringLiteral("Rates"), Schema::defaultRates());
        fillIds(raw, ids);
        insertShownLogs(raw);
    });
}

// The import done raw: every log of the source, its times when it has both, the duration in
// tenths of the real hours between them, no fee.
void rawImport(const RawSqlite& target, const QString& source) {
    target.exec(QStringLiteral("ATTACH %1 AS source").arg(literal(source)));
    target.exec(QStringLiteral(
        "INSERT INTO main.Vellagons (Client, Project, Employee, Rate, Vellagon, VellaGraphic, "
        "[Log Summary], [Beginning Time], [Ending Time], Duration) SELECT Client, Project, "
        "Employee, Rate, Vellagon, VellaGraphic, [Log Summary], CASE WHEN [Ending Time] IS NOT "
        "NULL THEN [Beginning Time] END, CASE WHEN [Beginning Time] IS NOT NULL THEN [Ending "
        "Time] END, round((julianday([Ending Time], 'utc') - julianday([Beginning Time], "
        "'utc')) * 24, 1) FROM source.Vellagons ORDER BY rowid"));
    target.exec(QStringLiteral("DETACH source"));
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString work = QStringLiteral(BENCH_WORK_FOLDER "/transfer-bench");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("/data")));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellagon"));
    QApplication::setOrganizationName(QStringLiteral("Vellagon"));
    registerTimeLogging();
    registerTransfer();
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : PracticeGenerator::cachedPracticeFile(1000000);
    std::printf("%s: %.0f MB, warm cache (each side runs once unmeasured)\n", qPrintable(path),
                QFileInfo(path).size() / 1e6);
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
        for (int round = -1; round < 3; ++round) {
            const double program = milliseconds([&] {
                runCommand(window, window->mnuSaveFileAs, saved);
                // The new window's file is let go before the file is removed.
                delete currentDisplayWindow();
            });
            removeDatabaseFile(saved);
            const double raw = milliseconds([&] { rawSaveAs(path, ids, saved); });
            removeDatabaseFile(saved);
            const double whole = milliseconds(
                [&] { reader.exec(QStringLiteral("VACUUM INTO %1").arg(literal(saved))); });
            removeDatabaseFile(saved);
            if (round >= 0) {
                rounds.program << program;
                rounds.raw << raw;
                vacuum.program << program;
                vacuum.raw << whole;
            }
        }
        met &= report("save as, every log", rounds, 2.0);
        report("  the same against VACUUM INTO (for scale)", vacuum, 0);
        delete window;
    }

    // The export of a search's 100,000 logs: those of the last days of the file.
    const QString from = firstText(reader, "SELECT substr([Beginning Time], 1, 10) FROM Vellagons "
                                           "ORDER BY [Beginning Time] DESC LIMIT 1 OFFSET 99999");
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
        Rounds rounds;
        for (int round = -1; round < 5; ++round) {
            removeDatabaseFile(exported);
            const double program =
                milliseconds([&] { runCommand(window, window->mnuExportVellagons, exported); });
            removeDatabaseFile(exported);
            const double raw = milliseconds([&] { rawExport(path, ids, exported); });
            if (round >= 0) {
                rounds.program << program;
                rounds.raw << raw;
            }
        }
        met &= report("export of a search's logs", rounds, 2.0);
        delete window;
    }

    // The import of those logs into a copy of the practice file; the imported logs are deleted
    // again after each run, unmeasured.
    {
        const QString target = work + QStringLiteral("/target.mdb");
        std::printf("copying the practice file to import into ...\n");
        std::fflush(stdout);
        reader.exec(QStringLiteral("VACUUM INTO %1").arg(literal(target)));
        frmDisplay* window = openWindow(target);
        const RawSqlite raw(target);
        const QString kept = firstText(raw, "SELECT max(rowid) FROM Vellagons");
        const auto undo = [&] {
            raw.exec(QStringLiteral("DELETE FROM Vellagons WHERE rowid > %1").arg(kept));
        };
        Rounds rounds;
        for (int round = -1; round < 5; ++round) {
            const double program =
                milliseconds([&] { runCommand(window, window->mnuImportVellagons, exported); });
            undo();
            const double rawTime = milliseconds([&] { rawImport(raw, exported); });
            undo();
            if (round >= 0) {
                rounds.program << program;
                rounds.raw << rawTime;
            }
        }
        met &= report("import of 100,000 logs", rounds, 2.0);
        delete window;
    }

    QDir(work).removeRecursively();
    std::printf("targets: %s\n", met ? "all met" : "MISSED");
    return met ? 0 : 1;
}

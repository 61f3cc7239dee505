// The to-do list on a practice of 3,000 clients and 1,000 items: opening the window (every item
// read in table order and listed; the reading alone is measured too) and Done (the table rewritten
// from the list and every client's to-do text rebuilt, in one transaction). Against a routine over
// the sqlite3 C API in the same process that reads the same rows, and writes the same rows and
// texts with the same statements in one transaction. Alternating rounds on a file generated in the
// build tree (the cache is warm: it was just written).
//   bench_to_do [items]
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/SharedState.h"
#include "platform/Database.h"
#include "thingstodo/ToDoItems.h"
#include "thingstodo/frmToDo.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int Rounds = 7;

const char* const ReadStatement =
    "SELECT rowid, [TTD Client Last Name], [TTD Client First Name], [TTD Project], "
    "[TTD Priority], [ThingToDo], [Thing To Do Start Date], [Thing To Do Deadline] FROM "
    "[Things To Do] ORDER BY rowid";
const char* const InsertStatement =
    "INSERT INTO [Things To Do] ([ThingToDo], [TTD Client First Name], [TTD Client Last Name], "
    "[TTD Project], [TTD Priority], [Thing To Do Start Date], [Thing To Do Deadline]) VALUES (?, "
    "?, ?, ?, ?, ?, ?)";
const char* const ClientStatement =
    "UPDATE [Active Clients] SET [Active Client Things To Do] = ? WHERE [Client Last Name] = ? "
    "AND [Client First Name] = ? AND [Client Last Name] = ? COLLATE BINARY AND [Client First "
    "Name] = ? COLLATE BINARY";

sqlite3* openRaw(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("raw open: %s", sqlite3_errmsg(db));
    return db;
}

sqlite3_stmt* prepare(sqlite3* db, const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    return statement;
}

void exec(sqlite3* db, const char* sql) {
    if (sqlite3_exec(db, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
}

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// Every row as the list holds it: its row, names, priority and text, and the two dates; the
// number of rows.
int rawRead(sqlite3* db) {
    sqlite3_stmt* statement = prepare(db, ReadStatement);
    QList<ToDoItem> items;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        ToDoItem item;
        item.rowId = sqlite3_column_int64(statement, 0);
        item.lastName = text(statement, 1);
        item.firstName = text(statement, 2);
        item.project = text(statement, 3);
        item.priority = text(statement, 4);
        item.thingToDo = text(statement, 5);
        item.startDate = QDate::fromString(text(statement, 6).left(10), Qt::ISODate);
        item.deadline = QDate::fromString(text(statement, 7).left(10), Qt::ISODate);
        items << item;
    }
    sqlite3_finalize(statement);
    return int(items.size());
}

void bindText(sqlite3_stmt* statement, int i, const QVariant& value) {
    if (value.isNull()) {
        sqlite3_bind_null(statement, i);
        return;
    }
    const QByteArray utf8 = value.toString().toUtf8();
    sqlite3_bind_text(statement, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

QVariant dateOrNull(const QDate& date) {
    return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd 00:00:00")))
                          : QVariant();
}

void step(sqlite3* db, sqlite3_stmt* statement) {
    if (sqlite3_step(statement) != SQLITE_DONE)
        qFatal("%s", sqlite3_errmsg(db));
    sqlite3_reset(statement);
}

void rawSave(sqlite3* db, const QList<ToDoItem>& items) {
    exec(db, "BEGIN");
    exec(db, "DELETE FROM [Things To Do]");
    sqlite3_stmt* insert = prepare(db, InsertStatement);
    for (const ToDoItem& item : items) {
        bindText(insert, 1, item.thingToDo);
        bindText(insert, 2, item.isClient() ? QVariant(item.firstName) : QVariant());
        bindText(insert, 3, item.isClient() ? QVariant(item.lastName) : QVariant());
        bindText(insert, 4, item.isClient() ? QVariant() : QVariant(item.project));
        bindText(insert, 5, item.priority);
        bindText(insert, 6, dateOrNull(item.startDate));
        bindText(insert, 7, dateOrNull(item.deadline));
        step(db, insert);
    }
    sqlite3_finalize(insert);
    exec(db, "UPDATE [Active Clients] SET [Active Client Things To Do] = '' WHERE [Active Client "
             "Things To Do] IS NOT ''");
    sqlite3_stmt* client = prepare(db, ClientStatement);
    const auto texts = ToDoItems::clientTexts(items);
    for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
        bindText(client, 1, it.value());
        bindText(client, 2, it.key().first);
        bindText(client, 3, it.key().second);
        bindText(client, 4, it.key().first);
        bindText(client, 5, it.key().second);
        step(db, client);
    }
    sqlite3_finalize(client);
    exec(db, "COMMIT");
}

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char* job, const QList<double>& program, const QList<double>& raw) {
    const double pMin = *std::min_element(program.begin(), program.end());
    const double rMin = *std::min_element(raw.begin(), raw.end());
    const double pMedian = BenchTools::median(program);
    const double rMedian = BenchTools::median(raw);
    std::printf("%-34s %10.1f %10.1f %10.1f %10.1f %8.2f %8.2f\n", job, pMin, rMin, pMedian,
                rMedian, pMin / rMin, pMedian / rMedian);
}

// What a save left: the rows and every client's text.
QString contents(const QString& path) {
    const Database db = Database::open(path);
    return db
        .scalar(QStringLiteral(
            "SELECT (SELECT group_concat(ifnull([ThingToDo], '') || ifnull([TTD Client Last "
            "Name], '') || ifnull([Thing To Do Deadline], ''), '|') FROM (SELECT * FROM [Things "
            "To Do] ORDER BY rowid)) || '#' || (SELECT group_concat([Active Client Things To "
            "Do], '|') FROM (SELECT * FROM [Active Clients] ORDER BY rowid))"))
        .toString();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString work = QStringLiteral(BENCH_WORK_FOLDER "/to-do-bench");
    QDir().mkpath(work);
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("/data")));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(work + QStringLiteral("/config")));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellagon"));
    QApplication::setOrganizationName(QStringLiteral("Vellagon"));

    PracticeGenerator::Options options;
    options.logs = 1000;
    options.clients = 3000;
    options.toDoItems = argc > 1 ? QByteArray(argv[1]).toInt() : 1000;
    const QString file = work + QStringLiteral("/practice.mdb");
    QFile::remove(file);
    PracticeGenerator::writeDatabase(file, options);
    gstrDatabasePath = file;
    // The window's own file handle is its Data entry window's, held open meanwhile.
    const Database entryWindow = Database::open(file);

    // The list Done writes: the items re-ranked, the first with the last and so on.
    QList<ToDoItem> items = ToDoItems::load(entryWindow);
    for (qsizetype i = 0; i < items.size() / 2; ++i) {
        std::swap(items[i], items[items.size() - 1 - i]);
        std::swap(items[i].priority, items[items.size() - 1 - i].priority);
    }

    QList<double> times[6];
    QString programResult;
    QString rawResult;
    sqlite3* raw = openRaw(file);
    for (int round = 0; round < Rounds; ++round) {
        times[0] << milliseconds([&] {
            frmToDo window;
            window.show();
            QApplication::processEvents();
            if (window.ListView1->topLevelItemCount() != options.toDoItems)
                qFatal("the window lists %d items", window.ListView1->topLevelItemCount());
        });
        times[1] << milliseconds([&] {
            if (rawRead(raw) != options.toDoItems)
                qFatal("raw read fewer items");
        });
        times[4] << milliseconds([&] {
            if (ToDoItems::load(entryWindow).size() != options.toDoItems)
                qFatal("the program read fewer items");
        });
        times[5] << milliseconds([&] { rawRead(raw); });
        times[2] << milliseconds([&] { ToDoItems::save(entryWindow, items); });
        programResult = contents(file);
        times[3] << milliseconds([&] { rawSave(raw, items); });
        rawResult = contents(file);
        if (programResult != rawResult)
            qFatal("the saves differ");
    }
    sqlite3_close(raw);

    std::printf("to-do list of %d items on %d clients (%s); warm cache (the file was just "
                "written), %d alternating rounds\n",
                options.toDoItems, options.clients, qPrintable(file), Rounds);
    std::printf("%-34s %10s %10s %10s %10s %8s %8s\n", "", "program", "raw", "program", "raw",
                "ratio", "ratio");
    std::printf("%-34s %10s %10s %10s %10s %8s %8s\n", "", "min ms", "min ms", "median", "median",
                "min", "median");
    report("open the window: read and list", times[0], times[1]);
    report("of which reading the items", times[4], times[5]);
    report("Done: rewrite and client texts", times[2], times[3]);
    QDir(work).removeRecursively();
    return 0;
}

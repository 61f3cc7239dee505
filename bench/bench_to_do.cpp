// The to-do list on a practice of 3,000 clients and 1,000 items: opening the window (every item
// read in table order and listed; the reading alone is measured too) and Done (the table rewritten
// from the list and every client's to-do text rebuilt, in one transaction). Against a routine over
// the sqlite3 C API in the same process that reads the same rows, and writes the same rows and
// texts with the same statements in one transaction. Alternating rounds on a file generated in the
// build tree (the cache is warm: it was just written).
//   bench_to_do [items]
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/logic/SharedState.h"
#include "platform/data/Database.h"
#include "platform/widgets/WidgetSeams.h"
#include "thingstodo/logic/ToDoItems.h"
#include "thingstodo/windows/frmToDo.h"

#include <QApplication>
#include <QDir>
#include <QTreeWidget>
#include <cstdio>
#include <sqlite3.h>
#include <utility>

using namespace BenchTools;

namespace {

constexpr int RoundCount = 7;

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

// Every row as the list holds it: its row, names, priority and text, and the two dates; the
// number of rows.
int rawRead(const RawSqlite& raw) {
    RawStatement statement(raw, ReadStatement);
    QList<ToDoItem> items;
    while (statement.next()) {
        ToDoItem item;
        item.rowId = sqlite3_column_int64(statement.handle(), 0);
        item.lastName = statement.text(1);
        item.firstName = statement.text(2);
        item.project = statement.text(3);
        item.priority = statement.text(4);
        item.thingToDo = statement.text(5);
        item.startDate = QDate::fromString(statement.text(6).left(10), Qt::ISODate);
        item.deadline = QDate::fromString(statement.text(7).left(10), Qt::ISODate);
        items << item;
    }
    return int(items.size());
}

QVariant dateOrNull(const QDate& date) {
    return date.isValid() ? QVariant(date.toString(QStringLiteral("yyyy-MM-dd 00:00:00")))
                          : QVariant();
}

void rawSave(const RawSqlite& raw, const QList<ToDoItem>& items) {
    raw.exec(QStringLiteral("BEGIN"));
    raw.exec(QStringLiteral("DELETE FROM [Things To Do]"));
    {
        RawStatement insert(raw, InsertStatement);
        for (const ToDoItem& item : items) {
            insert.bind(1, item.thingToDo);
            insert.bind(2, item.isClient() ? QVariant(item.firstName) : QVariant());
            insert.bind(3, item.isClient() ? QVariant(item.lastName) : QVariant());
            insert.bind(4, item.isClient() ? QVariant() : QVariant(item.project));
            insert.bind(5, item.priority);
            insert.bind(6, dateOrNull(item.startDate));
            insert.bind(7, dateOrNull(item.deadline));
            insert.run();
        }
    }
    raw.exec(QStringLiteral("UPDATE [Active Clients] SET [Active Client Things To Do] = '' WHERE "
                            "[Active Client Things To Do] IS NOT ''"));
    {
        RawStatement client(raw, ClientStatement);
        const auto texts = ToDoItems::clientTexts(items);
        for (auto it = texts.constBegin(); it != texts.constEnd(); ++it) {
            client.bind(1, it.value());
            client.bind(2, it.key().first);
            client.bind(3, it.key().second);
            client.bind(4, it.key().first);
            client.bind(5, it.key().second);
            client.run();
        }
    }
    raw.exec(QStringLiteral("COMMIT"));
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
    offscreenUnlessSet();
    const QString work = workFolder(QStringLiteral("to-do-bench"));
    QApplication app(argc, argv);
    WidgetSeams::install();
    nameApplication();

    PracticeGenerator::Options options;
    options.logs = 1000;
    options.clients = 3000;
    options.toDoItems = countArgument(argc, argv, 1000);
    const QString file = work + QStringLiteral("/practice.mdb");
    PracticeGenerator::writeDatabase(file, options);
    gstrDatabasePath = file;
    // The window's own file handle is its Data entry window's, held open meanwhile.
    const Database entryWindow = Database::open(file);
    const RawSqlite raw(file);

    // The list Done writes: the items re-ranked, the first with the last and so on.
    QList<ToDoItem> items = ToDoItems::load(entryWindow);
    for (qsizetype i = 0; i < items.size() / 2; ++i) {
        std::swap(items[i], items[items.size() - 1 - i]);
        std::swap(items[i].priority, items[items.size() - 1 - i].priority);
    }
    // Both sides read every item, and their saves leave the same rows and texts.
    if (rawRead(raw) != options.toDoItems)
        qFatal("raw read fewer items");
    // The window's list is the list as saved from then on: every round writes the same rows.
    QList<ToDoItem> shown = ToDoItems::save(entryWindow, items, {}).items;
    const QString programResult = contents(file);
    rawSave(raw, items);
    if (contents(file) != programResult)
        qFatal("the saves differ");

    std::printf("to-do list of %d items on %d clients (%s); the file was just written\n",
                options.toDoItems, options.clients, qPrintable(file));
    report(QStringLiteral("open the window: read and list"), Cache::Warm,
           alternate(
               RoundCount, Cache::Warm, file,
               [&] {
                   frmToDo window;
                   window.show();
                   QApplication::processEvents();
                   if (window.ListView1->topLevelItemCount() != options.toDoItems)
                       qFatal("the window lists %d items", window.ListView1->topLevelItemCount());
               },
               [&] { rawRead(raw); }),
           0);
    report(QStringLiteral("  of which reading the items"), Cache::Warm,
           alternate(
               RoundCount, Cache::Warm, file,
               [&] {
                   if (ToDoItems::load(entryWindow).size() != options.toDoItems)
                       qFatal("the program read fewer items");
               },
               [&] { rawRead(raw); }),
           0);
    report(QStringLiteral("Done: rewrite and client texts (raw: no checks, no rows read)"),
           Cache::Warm,
           alternate(
               RoundCount, Cache::Warm, file,
               [&] {
                   const ToDoItems::Saved saved = ToDoItems::save(entryWindow, shown, {});
                   if (saved.kept != 0)
                       qFatal("the program kept %d rows it did not know", int(saved.kept));
                   shown = saved.items;
               },
               [&] { rawSave(raw, items); }),
           0);
    QDir(work).removeRecursively();
    return 0;
}

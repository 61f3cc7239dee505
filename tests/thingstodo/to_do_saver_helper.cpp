// Saves to-do lists into one file as the to-do window's Done does, and prints "saved A" or
// "saved B" once a save has been written. The kill test starts it, kills it and checks what
// the file holds.
//   to_do_saver_helper <file> A|B|loop
// A and B are two lists of 1,000 items; loop saves them in turn until killed.
#include "HelperProgram.h"
#include "platform/data/Database.h"
#include "thingstodo/logic/ToDoItems.h"

#include <QCoreApplication>

namespace {

QList<ToDoItem> list(char which) {
    QList<ToDoItem> items;
    for (int i = 0; i < 1000; ++i) {
        ToDoItem item;
        const int n = which == 'A' ? i : 999 - i;
        if (n % 4 == 3) {
            item.project = QStringLiteral("Project %1").arg(n % 9);
        } else {
            item.kind = ToDoItem::Kind::Client;
            item.lastName =
                QStringLiteral("Client %1").arg(n * 7 % 3000 + 1, 4, 10, QLatin1Char('0'));
            item.firstName = QStringLiteral("Ann");
        }
        item.priority = QString::number(n % 5 + 1);
        item.thingToDo = QStringLiteral("%1 thing %2 to do").arg(QLatin1Char(which)).arg(n);
        item.startDate = QDate(2025, 1, 1).addDays(n);
        item.deadline = QDate(2026, 1, 1).addDays(n);
        items << item;
    }
    return items;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const std::optional<QStringList> args = HelperProgram::start(2);
    if (!args)
        return 2;
    const Database db = Database::open(args->at(1));
    const QString mode = args->at(2);
    const QList<ToDoItem> a = list('A');
    const QList<ToDoItem> b = list('B');
    // Each list takes the place of every item the window holds: those it read, then those it
    // saved.
    QList<ToDoItem> shown = ToDoItems::load(db);
    for (int round = 0;; ++round) {
        const bool first =
            mode == QLatin1String("A") || (mode == QLatin1String("loop") && round % 2 == 0);
        shown = ToDoItems::save(db, first ? a : b, shown).items;
        HelperProgram::report(first ? QStringLiteral("saved A") : QStringLiteral("saved B"));
        if (mode != QLatin1String("loop"))
            return 0;
    }
}

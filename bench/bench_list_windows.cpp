// The clients window on a practice with many clients: opening it (every client read in table
// order and listed, sorted without regard to case) and deleting 500 selected clients in one
// transaction, each the first row that matches both names exactly. Against a routine over the
// sqlite3 C API in the same process that reads the same rows and sorts them the same way, and
// deletes the same rows with the same statement in one transaction. Both find the file open
// (in the program a Display window has it). Alternating rounds on a practice file generated in
// the build tree (the cache is warm: it was just written).
//   bench_list_windows [clients]
#include "BenchTools.h"
#include "PracticeGenerator.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "platform/data/Database.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/WidgetSeams.h"
#include "timelog/windows/frmClient.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <algorithm>
#include <cstdio>

using namespace BenchTools;

namespace {

constexpr int Selected = 500;
constexpr int RoundCount = 5;

const char* const ReadStatement =
    "SELECT [Client Last Name], [Client First Name] FROM [Active Clients] ORDER BY rowid";
// The statement the window runs for each item (see ListEditing::remove).
const char* const DeleteStatement =
    "DELETE FROM [Active Clients] WHERE rowid = (SELECT rowid FROM [Active Clients] WHERE "
    "[Client Last Name] = ? AND [Client First Name] = ? AND [Client Last Name] = ? COLLATE "
    "BINARY AND [Client First Name] = ? COLLATE BINARY ORDER BY rowid LIMIT 1)";

struct Name {
    QString last;
    QString first;
    QString text;
};

// The names as the window lists them.
QList<Name> rawList(const RawSqlite& raw) {
    RawStatement statement(raw, ReadStatement);
    QList<Name> names;
    while (statement.next()) {
        Name name{statement.text(0), statement.text(1), {}};
        name.text = name.last + QStringLiteral(", ") + name.first;
        names << name;
    }
    std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
        return textLessIgnoringCase(a.text, b.text);
    });
    return names;
}

void rawDelete(const RawSqlite& raw, const QList<Name>& names) {
    raw.exec(QStringLiteral("BEGIN"));
    {
        RawStatement statement(raw, DeleteStatement);
        for (const Name& name : names) {
            for (int i : {1, 3})
                statement.bind(i, name.last);
            for (int i : {2, 4})
                statement.bind(i, name.first);
            statement.run();
        }
    }
    raw.exec(QStringLiteral("COMMIT"));
}

qint64 clientsLeft(const QString& file) {
    return Database::open(file)
        .scalar(QStringLiteral("SELECT count(*) FROM [Active Clients]"))
        .toLongLong();
}

} // namespace

int main(int argc, char* argv[]) {
    offscreenUnlessSet();
    const QString work = workFolder(QStringLiteral("list-windows-bench"));
    QApplication app(argc, argv);
    WidgetSeams::install();
    nameApplication();
    const int clients = countArgument(argc, argv, 3000);

    PracticeGenerator::Options options;
    options.logs = 1000;
    options.clients = clients;
    const QString practice = work + QStringLiteral("/practice.mdb");
    const QString file = work + QStringLiteral("/copy.mdb");
    PracticeGenerator::writeDatabase(practice, options);
    gstrFrame1Caption = QStringLiteral("Client");

    // The same list both ways.
    QList<Name> listed;
    {
        copyFile(practice, file);
        gstrDatabasePath = file;
        frmClient window;
        window.Form_Load();
        listed = rawList(RawSqlite(file));
        if (itemsOf(window.List1).size() != listed.size())
            qFatal("the lists differ");
        for (int i = 0; i < listed.size(); ++i)
            if (window.List1->item(i)->text() != listed[i].text)
                qFatal("the lists differ at %d", i);
    }
    QList<Name> chosen;
    for (int i = 0; i < listed.size() && chosen.size() < Selected; i += listed.size() / Selected)
        chosen << listed[i];
    const qint64 left = listed.size() - chosen.size();

    // Each side deletes from a fresh copy, and leaves the same rows.
    Rounds opening;
    Rounds deleting;
    alternateSides(
        RoundCount, Cache::Warm, file,
        [&](bool measured) {
            copyFile(practice, file);
            {
                // In the program a Display window holds the file open, as raw holds its
                // connection.
                const Database displayWindow = Database::open(file);
                frmClient window;
                timed(opening.program, measured, [&] { window.Form_Load(); });
                for (const Name& name : chosen)
                    window.List1->findItems(name.text, Qt::MatchExactly).first()->setSelected(true);
                timed(deleting.program, measured, [&] { window.mnuDelete_Click(); });
                if (window.List1->count() != left)
                    qFatal("the window deleted %lld", listed.size() - window.List1->count());
            }
            if (clientsLeft(file) != left)
                qFatal("the program's deletion left another number of clients");
        },
        [&](bool measured) {
            copyFile(practice, file);
            {
                const RawSqlite raw(file);
                timed(opening.raw, measured, [&] { rawList(raw); });
                timed(deleting.raw, measured, [&] { rawDelete(raw, chosen); });
            }
            if (clientsLeft(file) != left)
                qFatal("raw SQLite's deletion left another number of clients");
        });

    std::printf("clients window on %d clients (%s), %d of them deleted; the file was just "
                "written\n",
                clients, qPrintable(practice), int(chosen.size()));
    report(QStringLiteral("open: read and list sorted"), Cache::Warm, opening, 0);
    report(QStringLiteral("delete 500 in one transaction"), Cache::Warm, deleting, 0);
    QDir(work).removeRecursively();
    return 0;
}

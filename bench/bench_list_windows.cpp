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
#include "core/LookupLists.h"
#include "core/SharedState.h"
#include "platform/Database.h"
#include "platform/SortedItems.h"
#include "timelog/frmClient.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <algorithm>
#include <cstdio>
#include <sqlite3.h>

namespace {

constexpr int Selected = 500;
constexpr int Rounds = 5;

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

sqlite3* openRaw(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("raw open: %s", sqlite3_errmsg(db));
    return db;
}

QString text(sqlite3_stmt* statement, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(statement, column)),
                             sqlite3_column_bytes(statement, column));
}

// The names as the window lists them.
QList<Name> rawList(sqlite3* db) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, ReadStatement, -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    QList<Name> names;
    while (sqlite3_step(statement) == SQLITE_ROW) {
        Name name{text(statement, 0), text(statement, 1), {}};
        name.text = name.last + QStringLiteral(", ") + name.first;
        names << name;
    }
    sqlite3_finalize(statement);
    std::stable_sort(names.begin(), names.end(), [](const Name& a, const Name& b) {
        return textLessIgnoringCase(a.text, b.text);
    });
    return names;
}

void rawDelete(sqlite3* db, const QList<Name>& names) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK ||
        sqlite3_prepare_v2(db, DeleteStatement, -1, &statement, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
    for (const Name& name : names) {
        const QByteArray last = name.last.toUtf8();
        const QByteArray first = name.first.toUtf8();
        for (int i : {1, 3})
            sqlite3_bind_text(statement, i, last.constData(), int(last.size()), SQLITE_TRANSIENT);
        for (int i : {2, 4})
            sqlite3_bind_text(statement, i, first.constData(), int(first.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(statement) != SQLITE_DONE)
            qFatal("%s", sqlite3_errmsg(db));
        sqlite3_reset(statement);
    }
    sqlite3_finalize(statement);
    if (sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db));
}

double milliseconds(const std::function<void()>& fn) {
    QElapsedTimer timer;
    timer.start();
    fn();
    return timer.nsecsElapsed() / 1e6;
}

void copyOver(const QString& from, const QString& to) {
    QFile::remove(to);
    if (!QFile::copy(from, to))
        qFatal("cannot copy %s", qPrintable(from));
}

void report(const char* job, const QList<double>& program, const QList<double>& raw) {
    const double pMin = *std::min_element(program.begin(), program.end());
    const double rMin = *std::min_element(raw.begin(), raw.end());
    const double pMedian = BenchTools::median(program);
    const double rMedian = BenchTools::median(raw);
    std::printf("%-34s %10.1f %10.1f %10.1f %10.1f %8.2f %8.2f\n", job, pMin, rMin, pMedian,
                rMedian, pMin / rMin, pMedian / rMedian);
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString work = QStringLiteral(BENCH_WORK_FOLDER "/list-windows-bench");
    QDir().mkpath(work);
    qputenv("XDG_DATA_HOME", QFile::encodeName(work + QStringLiteral("/data")));
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vellagon"));
    QApplication::setOrganizationName(QStringLiteral("Vellagon"));
    const int clients = argc > 1 ? QByteArray(argv[1]).toInt() : 3000;

    PracticeGenerator::Options options;
    options.logs = 1000;
    options.clients = clients;
    const QString practice = work + QStringLiteral("/practice.mdb");
    const QString file = work + QStringLiteral("/copy.mdb");
    QFile::remove(practice);
    PracticeGenerator::writeDatabase(practice, options);
    gstrFrame1Caption = QStringLiteral("Client");

    // The same list both ways, and the same rows left after the same deletion.
    QList<Name> listed;
    {
        copyOver(practice, file);
        gstrDatabasePath = file;
        frmClient window;
        window.Form_Load();
        sqlite3* db = openRaw(file);
        listed = rawList(db);
        sqlite3_close(db);
        if (itemsOf(window.List1).size() != listed.size())
            qFatal("the lists differ");
        for (int i = 0; i < listed.size(); ++i)
            if (window.List1->item(i)->text() != listed[i].text)
                qFatal("the lists differ at %d", i);
    }
    QList<Name> chosen;
    for (int i = 0; i < listed.size() && chosen.size() < Selected; i += listed.size() / Selected)
        chosen << listed[i];

    QList<double> times[4];
    for (int round = 0; round < Rounds; ++round) {
        copyOver(practice, file);
        gstrDatabasePath = file;
        {
            // In the program a Display window holds the file open, as raw holds its connection.
            const Database displayWindow = Database::open(file);
            frmClient window;
            times[0] << milliseconds([&] { window.Form_Load(); });
            for (const Name& name : chosen)
                window.List1->findItems(name.text, Qt::MatchExactly).first()->setSelected(true);
            times[2] << milliseconds([&] { window.mnuDelete_Click(); });
            if (window.List1->count() != listed.size() - chosen.size())
                qFatal("the window deleted %lld", listed.size() - window.List1->count());
        }
        const qint64 left = Database::open(file)
                                .scalar(QStringLiteral("SELECT count(*) FROM [Active Clients]"))
                                .toLongLong();

        copyOver(practice, file);
        sqlite3* db = openRaw(file);
        times[1] << milliseconds([&] { rawList(db); });
        times[3] << milliseconds([&] { rawDelete(db, chosen); });
        sqlite3_close(db);
        if (Database::open(file)
                .scalar(QStringLiteral("SELECT count(*) FROM [Active Clients]"))
                .toLongLong() != left)
            qFatal("the deletions differ");
    }

    std::printf("clients window on %d clients (%s), %d of them deleted; warm cache (the file "
                "was just written), %d alternating rounds\n",
                clients, qPrintable(practice), int(chosen.size()), Rounds);
    std::printf("%-34s %10s %10s %10s %10s %8s %8s\n", "", "program", "raw", "program", "raw",
                "ratio", "ratio");
    std::printf("%-34s %10s %10s %10s %10s %8s %8s\n", "", "min ms", "min ms", "median", "median",
                "min", "median");
    report("open: read and list sorted", times[0], times[1]);
    report("delete 500 in one transaction", times[2], times[3]);
    QDir(work).removeRecursively();
    return 0;
}

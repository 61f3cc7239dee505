// The log report over 10,000 logs: reading its records, as the search's report reads them
// (a statement) and as the Display window's Report reads them (the rows of its data control),
// against raw SQLite reading the same columns of the same rows on a connection of its own;
// then laying out the first page and all pages.
//   bench_log_report [database file]
// Without a file, one is made in a temporary folder with notes of 0 to 2,000 characters
// (fixed seed).

#include "BenchTools.h"
#include "core/logic/DatabaseSchema.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/reporting/DataControlRecords.h"
#include "platform/reporting/ReportData.h"
#include "platform/reporting/ReportDocument.h"
#include "reports/DataReport1.h"

#include <QApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>
#include <string>
#include <variant>

using namespace BenchTools;

namespace {

constexpr int Logs = 10000;

QString makeNotes(QRandomGenerator& random) {
    static const QStringList words = {QStringLiteral("Telephone"),
                                      QStringLiteral("conference"),
                                      QStringLiteral("with"),
                                      QStringLiteral("client"),
                                      QStringLiteral("regarding"),
                                      QStringLiteral("the"),
                                      QStringLiteral("deposition"),
                                      QStringLiteral("schedule;"),
                                      QStringLiteral("reviewed"),
                                      QStringLiteral("opposing"),
                                      QStringLiteral("counsel's"),
                                      QStringLiteral("motion"),
                                      QStringLiteral("and"),
                                      QStringLiteral("drafted"),
                                      QStringLiteral("a"),
                                      QStringLiteral("response."),
                                      QStringLiteral("Legal"),
                                      QStringLiteral("research"),
                                      QStringLiteral("on"),
                                      QStringLiteral("statute"),
                                      QStringLiteral("of"),
                                      QStringLiteral("limitations"),
                                      QStringLiteral("(Court appearance re: hearing)")};
    const int length = random.bounded(2001);
    QString notes;
    while (notes.size() < length) {
        if (random.bounded(3) == 0) { // names, numbers and rarer words: a large vocabulary
            const int letters = 2 + random.bounded(9);
            for (int i = 0; i < letters; ++i)
                notes += QChar(u'a' + random.bounded(26));
        } else {
            notes += words[random.bounded(int(words.size()))];
        }
        notes += random.bounded(25) == 0 ? QStringLiteral("\r\n") : QStringLiteral(" ");
    }
    notes.truncate(length);
    return notes;
}

void makeLogs(const QString& path) {
    createDatabaseFile(path);
    Database db = Database::open(path);
    QRandomGenerator random(20050824);
    QDateTime begins(QDate(2005, 1, 3), QTime(9, 0));
    db.transaction([&] {
        for (int i = 0; i < Logs; ++i) {
            const int tenths = 1 + random.bounded(80);
            const QDateTime ends = begins.addSecs(tenths * 360);
            db.exec(QStringLiteral("INSERT INTO Vellagons (Client, Project, Employee, Rate, "
                                   "Vellagon, [Log Summary], [Beginning Time], [Ending Time], "
                                   "Duration, Fee) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {QStringLiteral("Client %1, Pat").arg(random.bounded(300)),
                     QStringLiteral("MARKETING"), QStringLiteral("Doe, Jane"),
                     QStringLiteral("150"), makeNotes(random),
                     QStringLiteral("Court appearance re"),
                     begins.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                     ends.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")), tenths / 10.0,
                     tenths * 15.0});
            begins = ends.addSecs(600);
        }
    });
}

// Raw SQLite reading the columns the report shows, every row, into values of its own.
void rawRead(const RawSqlite& raw, const QStringList& columns) {
    QStringList names;
    for (const QString& c : columns)
        names << QLatin1Char('[') + c + QLatin1Char(']');
    const QByteArray sql = (QStringLiteral("SELECT ") + names.join(QStringLiteral(", ")) +
                            QStringLiteral(" FROM Vellagons ORDER BY [Beginning Time], rowid"))
                               .toUtf8();
    RawStatement query(raw, sql);
    sqlite3_stmt* statement = query.handle();
    std::vector<std::variant<std::monostate, double, std::string>> values;
    while (query.next()) {
        for (int i = 0; i < query.columns(); ++i) {
            switch (sqlite3_column_type(statement, i)) {
            case SQLITE_NULL:
                values.emplace_back();
                break;
            case SQLITE_INTEGER:
            case SQLITE_FLOAT:
                values.emplace_back(sqlite3_column_double(statement, i));
                break;
            default:
                values.emplace_back(
                    std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, i)),
                                sqlite3_column_bytes(statement, i)));
            }
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    offscreenUnlessSet();
    QApplication app(argc, argv);

    QTemporaryDir folder;
    QString path;
    if (argc > 1) {
        path = QString::fromLocal8Bit(argv[1]);
    } else {
        path = folder.filePath(QStringLiteral("bench.mdb"));
        makeLogs(path);
        std::printf("made %d logs\n", Logs);
    }

    const QString statement = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");
    const Database db = Database::open(path);
    const RawSqlite raw(path);
    const QStringList columns = DataReport1::makeLayout().boundColumns();
    std::printf("columns the report shows: %s\n", qPrintable(columns.join(QStringLiteral(", "))));
    bool met = true;
    std::shared_ptr<SqlRecordSource> source;
    met &= report(QStringLiteral("read the records of a statement"), Cache::Warm,
                  alternate(
                      7, Cache::Warm, path,
                      [&] {
                          source = std::make_shared<SqlRecordSource>(db, statement, QVariantList(),
                                                                     columns);
                      },
                      [&] { rawRead(raw, columns); }),
                  1.2);
    DataControl control;
    control.setDatabasePath(path);
    control.setRecordSource(statement);
    control.Refresh();
    met &= report(QStringLiteral("read the records of a data control"), Cache::Warm,
                  alternate(
                      7, Cache::Warm, path, [&] { DataControlRecords records(control, columns); },
                      [&] { rawRead(raw, columns); }),
                  1.2);

    // The layout has no counterpart in the engine: its times are the program's alone.
    ReportDocument document(DataReport1::makeLayout(), source);
    const double firstPage = milliseconds([&] { document.page(0); });
    int pages = 0;
    const double allPages = milliseconds([&] { pages = document.pageCount(); });
    std::printf("records: %d\n", source->rowCount());
    std::printf("layout: first page %.0f ms; all %d pages %.0f ms more (target 2000 ms) %s\n",
                firstPage, pages, allPages, firstPage + allPages < 2000 ? "met" : "MISSED");
    met = met && firstPage + allPages < 2000;
    return targets(met);
}

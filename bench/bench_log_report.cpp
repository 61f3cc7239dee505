// Lays out the log report over 10,000 logs and prints how long the first page and all pages
// take. Usage: bench_log_report [database file]; without a file, one is made in a temporary
// folder with notes of 0 to 2,000 characters (fixed seed).

#include "core/DatabaseSchema.h"
#include "platform/Database.h"
#include "platform/ReportData.h"
#include "platform/ReportDocument.h"
#include "reports/DataReport1.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir folder;
    QString path;
    if (argc > 1) {
        path = QString::fromLocal8Bit(argv[1]);
    } else {
        path = folder.filePath(QStringLiteral("bench.mdb"));
        QElapsedTimer making;
        making.start();
        makeLogs(path);
        std::printf("made %d logs in %lld ms\n", Logs, making.elapsed());
    }

    QElapsedTimer timer;
    timer.start();
    Database db = Database::open(path);
    auto source = std::make_shared<SqlRecordSource>(
        db, QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]"));
    const qint64 loaded = timer.elapsed();

    ReportDocument document(DataReport1::makeLayout(), source);
    document.page(0);
    const qint64 firstPage = timer.elapsed();
    const int pages = document.pageCount();
    const qint64 allPages = timer.elapsed();

    std::printf("records: %d\n", source->rowCount());
    std::printf("read records: %lld ms\n", loaded);
    std::printf("first page: %lld ms (after reading)\n", firstPage - loaded);
    std::printf("all %d pages: %lld ms (after reading; target 2000 ms)\n", pages,
                allPages - loaded);
    return 0;
}

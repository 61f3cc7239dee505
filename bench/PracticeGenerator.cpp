#include "PracticeGenerator.h"

#include "core/logic/DatabaseSchema.h"
#include "core/logic/SqlQuoting.h"
#include "platform/data/Database.h"

#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <functional>
#include <sqlite3.h>

namespace PracticeGenerator {

namespace {

const QStringList LastNames = {
    QStringLiteral("Smith"),    QStringLiteral("Johnson"),  QStringLiteral("Williams"),
    QStringLiteral("Brown"),    QStringLiteral("Jones"),    QStringLiteral("Garcia"),
    QStringLiteral("Miller"),   QStringLiteral("Davis"),    QStringLiteral("Wilson"),
    QStringLiteral("Anderson"), QStringLiteral("Thomas"),   QStringLiteral("Taylor"),
    QStringLiteral("Moore"),    QStringLiteral("Jackson"),  QStringLiteral("Martin"),
    QStringLiteral("Lee"),      QStringLiteral("Perez"),    QStringLiteral("Thompson"),
    QStringLiteral("White"),    QStringLiteral("Harris"),   QStringLiteral("Sanchez"),
    QStringLiteral("Clark"),    QStringLiteral("Ramirez"),  QStringLiteral("Lewis"),
    QStringLiteral("Robinson"), QStringLiteral("Walker"),   QStringLiteral("Young"),
    QStringLiteral("Allen"),    QStringLiteral("King"),     QStringLiteral("Wright"),
    QStringLiteral("Scott"),    QStringLiteral("Torres"),   QStringLiteral("Nguyen"),
    QStringLiteral("Hill"),     QStringLiteral("Flores"),   QStringLiteral("Green"),
    QStringLiteral("Adams"),    QStringLiteral("Nelson"),   QStringLiteral("Baker"),
    QStringLiteral("Hall"),     QStringLiteral("Rivera"),   QStringLiteral("Campbell"),
    QStringLiteral("Mitchell"), QStringLiteral("Carter"),   QStringLiteral("Roberts"),
    QStringLiteral("O'Neil"),   QStringLiteral("D'Angelo"), QStringLiteral("Müller"),
    QStringLiteral("Øster"),    QStringLiteral("Nakamura"), QStringLiteral("Kowalski"),
    QStringLiteral("Dubois")};

const QStringList FirstNames = {
    QStringLiteral("James"),     QStringLiteral("Mary"),    QStringLiteral("Robert"),
    QStringLiteral("Patricia"),  QStringLiteral("John"),    QStringLiteral("Jennifer"),
    QStringLiteral("Michael"),   QStringLiteral("Linda"),   QStringLiteral("David"),
    QStringLiteral("Elizabeth"), QStringLiteral("William"), QStringLiteral("Barbara"),
    QStringLiteral("Richard"),   QStringLiteral("Susan"),   QStringLiteral("Joseph"),
    QStringLiteral("Jessica"),   QStringLiteral("Thomas"),  QStringLiteral("Sarah"),
    QStringLiteral("Charles"),   QStringLiteral("Karen"),   QStringLiteral("Pat"),
    QStringLiteral("Jo"),        QStringLiteral("Lee"),     QStringLiteral("Renée"),
    QStringLiteral("José"),      QStringLiteral("Zoë"),     QStringLiteral("Chen"),
    QStringLiteral("Aisha"),     QStringLiteral("Omar"),    QStringLiteral("Ingrid"),
    QStringLiteral("Tomás"),     QStringLiteral("Yuki"),    QStringLiteral("Fatima"),
    QStringLiteral("Liam"),      QStringLiteral("Noah"),    QStringLiteral("Emma"),
    QStringLiteral("Olivia"),    QStringLiteral("Ava"),     QStringLiteral("Sophia"),
    QStringLiteral("Mia")};

const QStringList Words = {
    QStringLiteral("conference"), QStringLiteral("client"),      QStringLiteral("regarding"),
    QStringLiteral("settlement"), QStringLiteral("discovery"),   QStringLiteral("motion"),
    QStringLiteral("hearing"),    QStringLiteral("court"),       QStringLiteral("review"),
    QStringLiteral("documents"),  QStringLiteral("deposition"),  QStringLiteral("witness"),
    QStringLiteral("letter"),     QStringLiteral("opposing"),    QStringLiteral("counsel"),
    QStringLiteral("draft"),      QStringLiteral("brief"),       QStringLiteral("research"),
    QStringLiteral("statute"),    QStringLiteral("limitations"), QStringLiteral("the"),
    QStringLiteral("and"),        QStringLiteral("of"),          QStringLiteral("to"),
    QStringLiteral("with"),       QStringLiteral("for"),         QStringLiteral("on"),
    QStringLiteral("claim"),      QStringLiteral("insurance"),   QStringLiteral("adjuster"),
    QStringLiteral("medical"),    QStringLiteral("records"),     QStringLiteral("invoice"),
    QStringLiteral("retainer"),   QStringLiteral("agreement"),   QStringLiteral("contract"),
    QStringLiteral("telephone"),  QStringLiteral("call"),        QStringLiteral("email"),
    QStringLiteral("filed"),      QStringLiteral("served"),      QStringLiteral("summons"),
    QStringLiteral("complaint"),  QStringLiteral("answer"),      QStringLiteral("judgment"),
    QStringLiteral("appeal"),     QStringLiteral("mediation"),   QStringLiteral("trial")};

const QStringList Activities = Schema::defaultActivities();

QString words(QRandomGenerator& rng, int length) {
    QString text;
    text.reserve(length + 16);
    while (text.size() < length) {
        if (!text.isEmpty())
            text += rng.bounded(12) == 0 ? QStringLiteral(".\n") : QStringLiteral(" ");
        text += Words.at(rng.bounded(int(Words.size())));
    }
    text.truncate(length);
    return text;
}

QString digits(QRandomGenerator& rng, int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QChar(u'0' + rng.bounded(10));
    return text;
}

QString stored(const QDateTime& t) {
    return t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// Notes as the rich-text box keeps them: Qt's HTML around the text.
QString richText(const QString& notes) {
    QString body = notes.toHtmlEscaped();
    body.replace(QLatin1Char('\n'), QStringLiteral("<br />"));
    return QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                          "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n<html><head><meta "
                          "name=\"qrichtext\" "
                          "content=\"1\" /></head><body style=\" font-family:'MS Sans Serif'; "
                          "font-size:12pt;\">\n"
                          "<p style=\" margin-top:0px; margin-bottom:0px;\">") +
           body + QStringLiteral("</p></body></html>");
}

struct Person {
    QString first;
    QString last;
    QString display() const { return last + QStringLiteral(", ") + first; }
};

QList<Person> people(QRandomGenerator& rng, int count) {
    QList<Person> result;
    QSet<QString> seen;
    while (result.size() < count) {
        Person p{FirstNames.at(rng.bounded(int(FirstNames.size()))),
                 LastNames.at(rng.bounded(int(LastNames.size())))};
        if (seen.contains(p.display()))
            p.first += QStringLiteral(" ") + QChar(u'A' + rng.bounded(26)) + QLatin1Char('.');
        if (seen.contains(p.display()))
            continue;
        seen.insert(p.display());
        result << p;
    }
    return result;
}

} // namespace

QStringList columnsOf(const QString& table) {
    QStringList columns;
    if (const Schema::Table* t = Schema::table(table))
        for (const Schema::Field& f : t->fields)
            if (f.type != Schema::FieldType::LongAuto)
                columns << f.name;
    return columns;
}

void generateRows(const Options& options, const RowSink& sink) {
    QRandomGenerator rng(options.seed);
    const QList<Person> clients = people(rng, options.clients);
    const QList<Person> employees = people(rng, options.employees);
    QStringList projects = Schema::defaultProjects();
    for (int i = 0; i < options.extraProjects; ++i)
        projects << QStringLiteral("%1 v. %2")
                        .arg(LastNames.at(rng.bounded(int(LastNames.size()))),
                             LastNames.at(rng.bounded(int(LastNames.size()))));
    const QStringList rates = Schema::defaultRates();
    const QDateTime end(QDate(2026, 12, 1), QTime(18, 0));
    const QDateTime start = end.addYears(-20);
    const qint64 span = start.secsTo(end);

    for (const Person& c : clients) {
        QVariantList v;
        v << c.first << c.last
          << QStringLiteral("%1 %2 Street").arg(rng.bounded(1, 9999)).arg(Words.at(rng.bounded(20)))
          << (rng.bounded(3) == 0 ? QVariant(QStringLiteral("Suite %1").arg(rng.bounded(100, 999)))
                                  : QVariant())
          << QVariant() << QStringLiteral("Springfield") << QStringLiteral("IL") << digits(rng, 5)
          << digits(rng, 10) << digits(rng, 10) << digits(rng, 10) << QVariant()
          << (c.first + QStringLiteral("@example.com")).toLower() << words(rng, rng.bounded(0, 400))
          << stored(start.addSecs(rng.bounded(span))) << QStringLiteral("Hourly, $250 retainer")
          << QStringLiteral("Referred by %1").arg(LastNames.at(rng.bounded(20)))
          << QStringLiteral("Personal injury") << QStringLiteral("Circuit Court") << digits(rng, 8)
          << QStringLiteral("%1 Insurance Co.").arg(LastNames.at(rng.bounded(20)))
          << QStringLiteral("%1, Esq.").arg(LastNames.at(rng.bounded(20))) << digits(rng, 10)
          << words(rng, rng.bounded(0, 800)) << words(rng, rng.bounded(0, 200))
          << QStringLiteral("Re: your claim") << QStringLiteral("Dear %1:").arg(c.first)
          << QStringLiteral("Sincerely,");
        sink(QStringLiteral("Active Clients"), v);
    }
    for (const Person& e : employees)
        sink(QStringLiteral("Employees"), {e.first, e.last});
    for (int i = Schema::defaultProjects().size(); i < projects.size(); ++i)
        sink(QStringLiteral("Projects"), {projects.at(i)});

    for (qint64 i = 0; i < options.logs; ++i) {
        const Person& client = clients.at(rng.bounded(int(clients.size())));
        const Person& employee = employees.at(rng.bounded(int(employees.size())));
        const QDateTime begin =
            start.addSecs(span * i / qMax<qint64>(1, options.logs) + rng.bounded(0, 3600));
        const int minutes = rng.bounded(1, 240);
        const QDateTime finish = begin.addSecs(minutes * 60);
        const int tenths = qMax(1, (minutes * 60 + 359) / 360);
        const QString rate = rates.at(rng.bounded(4, int(rates.size())));
        const QString notes = words(rng, rng.bounded(0, 2001));
        const QString activity = Activities.at(rng.bounded(int(Activities.size())));
        const QString summary = activity + QLatin1Char(' ') + client.display();
        QVariantList v;
        v << client.display() << projects.at(rng.bounded(int(projects.size())))
          << employee.display() << rate << notes << richText(notes) << summary.left(100)
          << stored(begin) << stored(finish) << tenths / 10.0 << rate.toInt() * tenths / 10.0;
        sink(QStringLiteral("Vellagons"), v);
    }

    for (int i = 0; i < options.payments; ++i) {
        const Person& c = clients.at(rng.bounded(int(clients.size())));
        sink(QStringLiteral("Payments"),
             {rng.bounded(2) ? QStringLiteral("Legal fee") : QStringLiteral("Disbursement"),
              c.first, c.last, stored(start.addSecs(rng.bounded(span))),
              rng.bounded(1, 500000) / 100.0});
    }
    for (int i = 0; i < options.disbursements; ++i) {
        const Person& c = clients.at(rng.bounded(int(clients.size())));
        sink(QStringLiteral("Disbursements"),
             {QStringLiteral("Filing fee, ") + words(rng, 30), c.first, c.last,
              stored(start.addSecs(rng.bounded(span))), rng.bounded(1, 100000) / 100.0,
              QStringLiteral("Clerk of Court")});
    }
    for (int i = 0; i < options.toDoItems; ++i) {
        const Person& c = clients.at(rng.bounded(int(clients.size())));
        const QDateTime s = end.addDays(-rng.bounded(60));
        sink(QStringLiteral("Things To Do"),
             {words(rng, rng.bounded(10, 100)), c.first, c.last,
              projects.at(rng.bounded(int(projects.size()))), QString::number(rng.bounded(1, 10)),
              stored(s), stored(s.addDays(7))});
    }
}

namespace {

// Rows written per transaction, on both sides.
constexpr int RowsPerCommit = 20000;

QString insertSql(const QString& table) {
    const QStringList columns = columnsOf(table);
    QStringList names;
    QStringList marks;
    for (const QString& c : columns) {
        names << QLatin1Char('[') + c + QLatin1Char(']');
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO [%1] (%2) VALUES (%3)")
        .arg(table, names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

} // namespace

double writeDatabase(const QString& path, const Options& options) {
    createDatabaseFile(path);
    Database db = Database::open(path);
    QHash<QString, QString> statements;
    int pending = 0;
    QElapsedTimer writing;
    qint64 nanoseconds = 0;
    const auto timed = [&](const std::function<void()>& write) {
        writing.start();
        write();
        nanoseconds += writing.nsecsElapsed();
    };
    timed([&] { db.exec(QStringLiteral("BEGIN")); });
    generateRows(options, [&](const QString& table, const QVariantList& values) {
        auto it = statements.find(table);
        if (it == statements.end())
            it = statements.insert(table, insertSql(table));
        timed([&] {
            db.exec(*it, values);
            if (++pending == RowsPerCommit) {
                db.exec(QStringLiteral("COMMIT"));
                db.exec(QStringLiteral("BEGIN"));
                pending = 0;
            }
        });
    });
    timed([&] { db.exec(QStringLiteral("COMMIT")); });
    return nanoseconds / 1e9;
}

double writeRawDatabase(const QString& path, const Options& options) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK)
        qFatal("raw sqlite: cannot create %s", qPrintable(path));
    const auto exec = [&](const QString& sql) {
        char* error = nullptr;
        if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK)
            qFatal("raw sqlite: %s: %s", qPrintable(sql), error);
    };
    // The same tables, indexes and default rows as the program's new file.
    exec(QStringLiteral("PRAGMA journal_mode=DELETE; PRAGMA synchronous=FULL; BEGIN"));
    for (const Schema::Table& t : Schema::tables())
        exec(Schema::createTableSql(t));
    for (const Schema::Index& index : Schema::indexes())
        exec(Schema::createIndexSql(index));
    const auto fill = [&](const QString& table, const QStringList& rows) {
        for (const QString& row : rows)
            exec(QStringLiteral("INSERT INTO [%1] ([%1]) VALUES ('%2')")
                     .arg(table, FixSQLQuotes(row)));
    };
    fill(QStringLiteral("Activities"), Schema::defaultActivities());
    fill(QStringLiteral("Projects"), Schema::defaultProjects());
    fill(QStringLiteral("Rates"), Schema::defaultRates());
    exec(QStringLiteral("COMMIT"));

    QHash<QString, sqlite3_stmt*> statements;
    int pending = 0;
    QElapsedTimer writing;
    qint64 nanoseconds = 0;
    writing.start();
    exec(QStringLiteral("BEGIN"));
    nanoseconds += writing.nsecsElapsed();
    generateRows(options, [&](const QString& table, const QVariantList& values) {
        // The text as the engine takes it: a conversion the program's side makes too.
        writing.start();
        QList<QByteArray> texts;
        for (const QVariant& v : values)
            texts << (v.typeId() == QMetaType::QString ? v.toString().toUtf8() : QByteArray());
        sqlite3_stmt*& statement = statements[table];
        if (!statement)
            sqlite3_prepare_v2(db, insertSql(table).toUtf8().constData(), -1, &statement, nullptr);
        for (int i = 0; i < values.size(); ++i) {
            const QVariant& v = values.at(i);
            if (v.isNull())
                sqlite3_bind_null(statement, i + 1);
            else if (v.typeId() == QMetaType::QString)
                sqlite3_bind_text(statement, i + 1, texts[i].constData(), int(texts[i].size()),
                                  SQLITE_STATIC);
            else
                sqlite3_bind_double(statement, i + 1, v.toDouble());
        }
        if (sqlite3_step(statement) != SQLITE_DONE)
            qFatal("raw sqlite: %s", sqlite3_errmsg(db));
        sqlite3_reset(statement);
        if (++pending == RowsPerCommit) {
            exec(QStringLiteral("COMMIT"));
            exec(QStringLiteral("BEGIN"));
            pending = 0;
        }
        nanoseconds += writing.nsecsElapsed();
    });
    writing.start();
    exec(QStringLiteral("COMMIT"));
    nanoseconds += writing.nsecsElapsed();
    for (sqlite3_stmt* statement : std::as_const(statements))
        sqlite3_finalize(statement);
    sqlite3_close(db);
    return nanoseconds / 1e9;
}

QString cachedPracticeFile(qint64 logs) {
    const QString folder = QStringLiteral(VELLAGON_BENCH_DATA);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QStringLiteral("practice-%1.mdb").arg(logs));
    if (!QFileInfo::exists(path)) {
        Options options;
        options.logs = logs;
        const QString temp = path + QStringLiteral(".building");
        QFile::remove(temp);
        writeDatabase(temp, options);
        QFile::rename(temp, path);
    }
    return path;
}

} // namespace PracticeGenerator

#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/Database.h"
#include "timelog/logic/LogCompletion.h"
#include "timelog/logic/SearchStatements.h"

#include <QSqlQuery>

using namespace SearchStatements;

namespace {

QString searched(int type, const QString& seed, const Sought& sought,
                 const std::optional<DateRange>& range = std::nullopt) {
    const std::optional<Search> s = search(type, seed, sought);
    return s ? finish(*s, type, range) : QStringLiteral("(none)");
}

QString whereOf(int type, const QString& seed, const Sought& sought) {
    const std::optional<Search> s = search(type, seed, sought);
    return s ? s->where : QStringLiteral("(none)");
}

const DateRange August2005{QDate(2005, 7, 24), QDate(2005, 8, 24)};

} // namespace

class TestSearchStatements : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theWorkedSearch() {
        // An employee within the last month on 8/24/2005, from a window without a clause. The
        // range now takes in the whole of its last day.
        const std::optional<DateRange> range = recentRange(LastMonth, QDate(2005, 8, 24));
        QCOMPARE(range, std::optional<DateRange>(August2005));
        Sought sought;
        sought.employee = QStringLiteral("Smith, Jo");
        QCOMPARE(searched(Employee, QString(), sought, range),
                 QStringLiteral("SELECT * FROM Vellagons WHERE Employee Like 'Smith, Jo' AND "
                                "[Beginning Time] BETWEEN #7/24/2005# AND #8/24/2005 11:59:59 PM#  "
                                "ORDER BY [Beginning Time]"));
        QCOMPARE(whereOf(Employee, QString(), sought),
                 QStringLiteral("WHERE Employee Like 'Smith, Jo' "));
    }

    void timeFrames() {
        const QDate today(2024, 3, 1);
        QCOMPARE(recentRange(AllTime, today), std::nullopt);
        QCOMPARE(recentRange(LastSixMonths, today)->begin, today.addDays(-183));
        QCOMPARE(recentRange(LastYear, today)->begin, today.addDays(-366));
        QCOMPARE(recentRange(LastYear, today)->end, today);
        QCOMPARE(recentRange(CustomRange, today), std::nullopt);
    }

    void eachTypeStartsAndRefinesTheClause() {
        Sought s;
        s.client = QStringLiteral("A");
        s.employee = QStringLiteral("E");
        s.project = QStringLiteral("P");
        s.text = QStringLiteral("call");
        QCOMPARE(whereOf(CurrentClient, QString(), s), QStringLiteral("WHERE Client Like 'A' "));
        QCOMPARE(whereOf(AnotherClient, QString(), s), QStringLiteral("WHERE Client Like 'A' "));
        QCOMPARE(whereOf(LogText, QString(), s), QStringLiteral("WHERE Vellagon Like '%call%' "));
        // A window that shows a search result refines it: two blanks before AND.
        const QString seed = QStringLiteral("WHERE Client Like 'A' ");
        QCOMPARE(whereOf(Project, seed, s),
                 QStringLiteral("WHERE Client Like 'A'  AND Project Like 'P' "));
        QCOMPARE(searched(LogText, seed, s),
                 QStringLiteral("SELECT * FROM Vellagons WHERE Client Like 'A'  AND Vellagon Like "
                                "'%call%'  ORDER BY [Beginning Time]"));
        // The quick search takes the client, else the project, else adds nothing.
        QCOMPARE(whereOf(ClientOrProject, QString(), s), QStringLiteral("WHERE Client Like 'A' "));
        s.client.clear();
        QCOMPARE(whereOf(ClientOrProject, QString(), s), QStringLiteral("WHERE Project Like 'P' "));
        s.project.clear();
        QCOMPARE(searched(ClientOrProject, QString(), s),
                 QStringLiteral("SELECT * FROM Vellagons  ORDER BY [Beginning Time]"));
        QCOMPARE(whereOf(ClientOrProject, seed, s), seed);
    }

    void aRangeWithoutAClauseStartsOne() {
        // Nothing sought but a time frame: the range opens the WHERE clause itself.
        QCOMPARE(
            searched(ClientOrProject, QString(), Sought(), August2005),
            QStringLiteral("SELECT * FROM Vellagons WHERE [Beginning Time] BETWEEN #7/24/2005# "
                           "AND #8/24/2005 11:59:59 PM#  ORDER BY [Beginning Time]"));
        QCOMPARE(whereOf(ClientOrProject, QString(), Sought()), QString());
    }

    void valuesAreQuotedAndMatchOnlyThemselves() {
        Sought s;
        s.client = QStringLiteral("O'Neil, Pat");
        QCOMPARE(whereOf(AnotherClient, QString(), s),
                 QStringLiteral("WHERE Client Like 'O''Neil, Pat' "));
        s.project = QStringLiteral("100%_[x]'s");
        QCOMPARE(whereOf(Project, QString(), s),
                 QStringLiteral("WHERE Project Like '100[%][_][[]x]''s' "));
        // The typed text keeps the pattern's own % on both sides.
        s.text = QStringLiteral("50%");
        QCOMPARE(whereOf(LogText, QString(), s), QStringLiteral("WHERE Vellagon Like '%50[%]%' "));
        // A cancelled input box used to give '%%'; the text "" still gives it.
        s.text.clear();
        QCOMPARE(whereOf(LogText, QString(), s), QStringLiteral("WHERE Vellagon Like '%%' "));
    }

    // The quoting drops a NUL from a picked name; a completed log has dropped it too, so the
    // search finds the log.
    void aNameWithANulCharacterIsFound() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/nul.mdb");
        LogCompletion::Log log;
        log.client = QStringLiteral("Nu") + QChar(0) + QStringLiteral("ll, Ann");
        log.beginning = QDateTime(QDate(2025, 3, 3), QTime(9, 0));
        log.ending = log.beginning.addSecs(3600);
        log.duration = QStringLiteral("1.0");
        LogCompletion::append(path, log);
        Sought s;
        s.client = log.client;
        const Database db = Database::open(path);
        QSqlQuery found = db.execJet(searched(AnotherClient, QString(), s));
        QVERIFY(db.next(found));
        QCOMPARE(found.value("Client").toString(), "Null, Ann");
    }

    void allActiveClients() {
        Sought s;
        s.clients = QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QCOMPARE(searched(AllActiveClients, QString(), s),
                 QStringLiteral("SELECT * FROM Vellagons  WHERE (Client Like 'A'  OR Client Like "
                                "'B' )  ORDER BY Client, [Beginning Time]"));
        QCOMPARE(whereOf(AllActiveClients, QString(), s),
                 QStringLiteral("WHERE (Client Like 'A'  OR Client Like 'B' ) "));
        // A refined search keeps its clause and requires one of the clients besides.
        const QString seed = QStringLiteral("WHERE Project Like 'P' ");
        QCOMPARE(
            searched(AllActiveClients, seed, s, August2005),
            QStringLiteral("SELECT * FROM Vellagons WHERE Project Like 'P'  AND (Client Like "
                           "'A'  OR Client Like 'B' ) AND [Beginning Time] BETWEEN #7/24/2005# "
                           "AND #8/24/2005 11:59:59 PM#  ORDER BY Client, [Beginning Time]"));
        // Without any client nothing can match, and no statement is made.
        s.clients.clear();
        QCOMPARE(search(AllActiveClients, QString(), s), std::nullopt);
        QCOMPARE(report(AllActiveClients, s, std::nullopt), std::nullopt);
    }

    void manyClientsStayWithinTheEngineLimits() {
        // The engine refuses an OR chain of a thousand conditions; the list is grouped instead.
        Sought s;
        for (int i = 0; i < 1200; ++i)
            s.clients << QStringLiteral("Client %1").arg(i, 4, 10, QLatin1Char('0'));
        const QString path =
            Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/many.mdb"));
        Fixtures::execRaw(path, {QStringLiteral("INSERT INTO Vellagons (Client) VALUES ('Client "
                                                "1199'), ('Client 0000'), ('Other')")});
        const Database db = Database::open(path);
        const auto count = [&](const QString& statement) {
            QSqlQuery q = db.execJet(statement);
            int rows = 0;
            while (q.next())
                ++rows;
            return rows;
        };
        QCOMPARE(count(searched(AllActiveClients, QStringLiteral("WHERE Client Like '%' "), s)), 2);
        QCOMPARE(count(*report(AllActiveClients, s, August2005)), 0);
        QCOMPARE(count(*report(AllActiveClients, s, std::nullopt)), 2);
    }

    void aPickIsServedByTheIndexOfItsField() {
        // A walk of the whole time index for one client's logs is the slow plan the equality
        // avoids: the index of the field sought gives the rows in time order at once.
        const QString path =
            Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/plans.mdb"));
        const Database db = Database::open(path);
        Sought s;
        s.client = QStringLiteral("O'Neil, Pat");
        s.employee = QStringLiteral("Smith, Jo");
        s.project = QStringLiteral("PAY BILLS");
        const std::pair<int, const char*> picks[] = {
            {AnotherClient, "Client"}, {Employee, "Employee"}, {Project, "Project"}};
        for (const auto& [type, field] : picks) {
            for (const std::optional<DateRange>& range :
                 {std::optional<DateRange>(), std::optional<DateRange>(August2005)}) {
                for (const QString& statement :
                     {searched(type, QString(), s, range), *report(type, s, range)}) {
                    QSqlQuery plan = db.execJet(QStringLiteral("EXPLAIN QUERY PLAN ") + statement);
                    QStringList steps;
                    while (plan.next())
                        steps << plan.value(3).toString();
                    QCOMPARE(steps, QStringList(
                                        QStringLiteral("SEARCH Vellagons USING INDEX "
                                                       "Vellagons by %1 and Time (%1=?%2)")
                                            .arg(QLatin1String(field),
                                                 range ? QStringLiteral(" AND Beginning Time>? AND "
                                                                        "Beginning Time<?")
                                                       : QString())));
                }
            }
        }
    }

    void reports() {
        Sought s;
        s.client = QStringLiteral("O'Neil, Pat");
        s.employee = QStringLiteral("Smith, Jo");
        s.project = QStringLiteral("PAY BILLS");
        s.text = QStringLiteral("a_b");
        s.clients = QStringList{QStringLiteral("A"), QStringLiteral("B")};
        QCOMPARE(*report(ProjectReport, s, std::nullopt),
                 QStringLiteral("SELECT * FROM Vellagons WHERE Project Like 'PAY BILLS' ORDER BY "
                                "[Beginning Time]"));
        QCOMPARE(*report(CurrentClient, s, std::nullopt),
                 QStringLiteral("SELECT * FROM Vellagons WHERE Client Like 'O''Neil, Pat' ORDER BY "
                                "[Beginning Time]"));
        QCOMPARE(*report(Employee, s, August2005),
                 QStringLiteral("SELECT * FROM Vellagons WHERE Employee Like 'Smith, Jo' AND "
                                "[Beginning Time] BETWEEN #7/24/2005# AND #8/24/2005 11:59:59 PM# "
                                "ORDER BY [Beginning Time]"));
        QCOMPARE(
            *report(LogText, s, std::nullopt),
            QStringLiteral(
                "SELECT * FROM Vellagons WHERE Vellagon LIKE '%a[_]b%' ORDER BY [Beginning Time]"));
        QCOMPARE(
            *report(AllActiveClients, s, std::nullopt),
            QStringLiteral("SELECT * FROM Vellagons WHERE (Client Like 'A'  OR Client Like 'B' ) "
                           "ORDER BY Client, [Beginning Time]"));
        QCOMPARE(report(ClientOrProject, s, std::nullopt), std::nullopt);
    }
};

VELLAGON_TEST_MAIN(TestSearchStatements)
#include "test_search_statements.moc"

#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/AppError.h"
#include "platform/ConnectionString.h"
#include "platform/DataControl.h"
#include "platform/Database.h"
#include "platform/RecordSource.h"

#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

const QString ByTime = QStringLiteral("Select * from Vellagons order by [Beginning Time]");

// Another program on the same file: its own connection, and no patience for locks, so that a
// read cursor left open by the control shows at once as "database is locked".
class OtherWriter {
public:
    explicit OtherWriter(const QString& path) : m_name(QStringLiteral("other-%1").arg(++s_count)) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        db.open();
    }
    ~OtherWriter() {
        QSqlDatabase::database(m_name).close();
        QSqlDatabase::removeDatabase(m_name);
    }
    // "" when the statement ran, else the engine's message.
    QString exec(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(m_name));
        return q.exec(sql) ? QString() : q.lastError().text();
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

} // namespace

class TestDataControl : public QObject {
    Q_OBJECT

    QString m_path;

    // Logs named by client, with beginning times one day apart in the given order.
    void addLogs(const QStringList& clients, int firstDay = 1) {
        const Database db = Database::open(m_path);
        db.transaction([&] {
            int day = firstDay;
            for (const QString& client : clients)
                db.exec(
                    QStringLiteral("INSERT INTO Vellagons (Client, Employee, Rate, Duration, "
                                   "[Beginning Time]) VALUES (?, 'Doe, Jane', '100', 1.5, ?)"),
                    {client,
                     QStringLiteral("2005-08-%1 10:05:00").arg(day++, 2, 10, QLatin1Char('0'))});
        });
    }

    QVariant stored(const QString& sql, const QVariantList& params = {}) {
        return Database::open(m_path).scalar(sql, params);
    }

    // The clients of the set in order, walked with the control's own moves.
    static QStringList walk(DataControl& dc) {
        QStringList clients;
        for (dc.MoveFirst(); !dc.isEOF(); dc.MoveNext())
            clients << dc.value(QStringLiteral("Client")).toString();
        return clients;
    }

    static void open(DataControl& dc, const QString& path, const QString& source = ByTime) {
        dc.setDatabasePath(path);
        dc.setRecordSource(source);
        QVERIFY(dc.Refresh());
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + QStringLiteral("/logs.mdb"));
    }

    void anEmptySetIsAtBothEnds() {
        DataControl dc;
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QSignalSpy errors(&dc, &DataControl::error);
        dc.setConnectionString(ConnectionString::withUser(m_path));
        QCOMPARE(dc.databasePath(), m_path);
        dc.setRecordSource(ByTime);
        QVERIFY(dc.Refresh());
        QVERIFY(dc.isBOF() && dc.isEOF() && !dc.hasCurrentRow());
        QCOMPARE(dc.RecordCount(), 0);
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosUnknown));
        QVERIFY(!dc.Bookmark().isValid());
        QVERIFY(!dc.value(QStringLiteral("Client")).isValid());
        QVERIFY(dc.isUpdatable());
        QCOMPARE(dc.fieldNames().size(), 12);

        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.MoveLast());
        QVERIFY(dc.isBOF() && dc.isEOF());
        QCOMPARE(moves.size(), 3);
        QCOMPARE(moves.at(0).at(0).toInt(), int(DataControl::adRsnRequery));
        QCOMPARE(moves.at(1).at(0).toInt(), int(DataControl::adRsnMoveFirst));
        QCOMPARE(moves.at(2).at(0).toInt(), int(DataControl::adRsnMoveLast));

        QVERIFY(!dc.MoveNext());
        QVERIFY(!dc.MovePrevious());
        QVERIFY(!dc.Delete());
        QVERIFY(!dc.setAbsolutePosition(1));
        QCOMPARE(errors.size(), 4);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::NoCurrentRecord));
        QCOMPARE(errors.at(3).at(0).toInt(), int(DataControl::InvalidArgument));
        QCOMPARE(moves.size(), 3);
    }

    void oneRowPassesBothEnds() {
        addLogs({QStringLiteral("Alpha")});
        DataControl dc;
        open(dc, m_path);
        QVERIFY(!dc.isBOF() && !dc.isEOF());
        QCOMPARE(dc.AbsolutePosition(), 1);
        QVERIFY(dc.MoveNext());
        QVERIFY(dc.isEOF() && !dc.isBOF() && !dc.hasCurrentRow());
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosEOF));
        QVERIFY(!dc.value(QStringLiteral("Client")).isValid());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(dc.value(QStringLiteral("client")).toString(), QStringLiteral("Alpha"));
        QVERIFY(dc.MovePrevious());
        QVERIFY(dc.isBOF() && !dc.isEOF());
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosBOF));
        QVERIFY(dc.MoveNext());
        QCOMPARE(dc.AbsolutePosition(), 1);
    }

    void positionsAndBookmarksFollowTheSourceOrder() {
        addLogs({QStringLiteral("Charlie"), QStringLiteral("Alpha"), QStringLiteral("Bravo")});
        Database::open(m_path).exec(
            QStringLiteral("UPDATE Vellagons SET [Beginning Time] = '2005-07-01 09:00:00' "
                           "WHERE Client = 'Alpha'"));
        DataControl dc;
        open(dc, m_path);
        QCOMPARE(dc.RecordCount(), 3);
        QCOMPARE(walk(dc), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Charlie"),
                                        QStringLiteral("Bravo")}));

        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setAbsolutePosition(3));
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("Bravo"));
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnMove));
        const QVariant bravo = dc.Bookmark();
        QVERIFY(!dc.setAbsolutePosition(0));
        QVERIFY(!dc.setAbsolutePosition(4));
        QCOMPARE(errors.size(), 2);
        QCOMPARE(dc.AbsolutePosition(), 3);

        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(dc.AbsolutePosition(), 3);
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnMove));
        QVERIFY(!dc.setBookmark(QVariant(qint64(999999))));
        QVERIFY(!dc.setBookmark(QVariant()));
        QCOMPARE(dc.AbsolutePosition(), 3);

        // The bookmark survives running the source again.
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.AbsolutePosition(), 1);
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("Bravo"));
    }

    void deleteLeavesNoCurrentRowUntilTheNextMove() {
        addLogs(
            {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D")});
        DataControl dc;
        open(dc, m_path);
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QVERIFY(dc.setAbsolutePosition(2));
        QVERIFY(dc.Delete());
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnDelete));
        QVERIFY(!dc.hasCurrentRow() && !dc.isBOF() && !dc.isEOF());
        QCOMPARE(dc.RecordCount(), 3);
        QVERIFY(!dc.Bookmark().isValid());
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons WHERE Client = 'B'")), 0);
        QVERIFY(dc.MoveNext()); // the row that followed the deleted one
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("C"));
        QCOMPARE(dc.AbsolutePosition(), 2);

        QVERIFY(dc.Delete());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("A"));

        QVERIFY(dc.MoveLast());
        QVERIFY(dc.Delete()); // the last row: the next move ends at EOF
        QVERIFY(dc.MoveNext());
        QVERIFY(dc.isEOF());

        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.Delete()); // the only row left: the set is empty
        QVERIFY(dc.isBOF() && dc.isEOF());
        QVERIFY(dc.MoveLast());
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnMoveLast));
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons")), 0);
    }

    void leavingTheRowWritesOnlyTheChangedColumns() {
        addLogs({QStringLiteral("A"), QStringLiteral("B")});
        {
            DataControl dc;
            open(dc, m_path);
            QVERIFY(dc.setValue(QStringLiteral("client"), QStringLiteral("A2")));
            QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("A2"));
            QCOMPARE(dc.record().value(QStringLiteral("Client")).toString(), QStringLiteral("A"));
            // Another window changes another column of the same row meanwhile.
            Database::open(m_path).exec(
                QStringLiteral("UPDATE Vellagons SET Employee = 'Roe, Rich' WHERE Client = 'A'"));
            QVERIFY(dc.MoveNext());
            QCOMPARE(stored(QStringLiteral("SELECT Employee FROM Vellagons WHERE Client = 'A2'")),
                     QStringLiteral("Roe, Rich"));

            // Refresh, Update and destruction write too; CancelUpdate drops the edit.
            QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("B2")));
            QVERIFY(dc.Refresh());
            QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons WHERE Client = 'B2'")),
                     1);
            QVERIFY(dc.setValue(QStringLiteral("Rate"), QStringLiteral("150")));
            QSignalSpy shown(&dc, &DataControl::fieldsChanged);
            QVERIFY(dc.Update());
            QCOMPARE(shown.size(), 1);
            QCOMPARE(dc.record().value(QStringLiteral("Rate")).toString(), QStringLiteral("150"));
            QVERIFY(dc.setValue(QStringLiteral("Rate"), QStringLiteral("175")));
            dc.CancelUpdate();
            QCOMPARE(dc.value(QStringLiteral("Rate")).toString(), QStringLiteral("150"));
            QVERIFY(!dc.setValue(QStringLiteral("No Such Field"), 1));
            QVERIFY(dc.setValue(QStringLiteral("Beginning Time"),
                                QDateTime(QDate(2005, 8, 24), QTime(10, 5))));
        }
        QCOMPARE(stored(QStringLiteral("SELECT [Beginning Time] FROM Vellagons WHERE Client = "
                                       "'A2'")),
                 QStringLiteral("2005-08-24 10:05:00"));
    }

    void theCommitHookConvertsAddsAndRefuses() {
        addLogs({QStringLiteral("A"), QStringLiteral("B")});
        DataControl dc;
        open(dc, m_path);
        int refusals = 0;
        dc.setBeforeCommit([&](QVariantMap& changes, const QSqlRecord& current) {
            const QVariant duration = changes.value(QStringLiteral("Duration"),
                                                    current.value(QStringLiteral("Duration")));
            bool ok = false;
            const double hours = duration.toDouble(&ok);
            if (!ok) {
                ++refusals;
                return false;
            }
            changes.insert(QStringLiteral("Fee"),
                           hours * current.value(QStringLiteral("Rate")).toDouble());
            return true;
        });
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue(QStringLiteral("Duration"), QStringLiteral("abc")));
        QVERIFY(!dc.MoveNext());
        QCOMPARE(refusals, 1);
        QCOMPARE(errors.size(), 0);
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(dc.value(QStringLiteral("Duration")).toString(), QStringLiteral("abc"));
        QCOMPARE(stored(QStringLiteral("SELECT Duration FROM Vellagons WHERE Client = 'A'")), 1.5);

        QVERIFY(dc.setValue(QStringLiteral("Duration"), 2.5));
        QVERIFY(dc.MoveNext());
        QCOMPARE(stored(QStringLiteral("SELECT Fee FROM Vellagons WHERE Client = 'A'")), 250.0);
    }

    void aFailingWriteIsReportedAndLosesNothing() {
        addLogs({QStringLiteral("A"), QStringLiteral("B")});
        DataControl dc;
        open(dc, m_path);
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue(QStringLiteral("Rate"), QStringLiteral("12345678901")));
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("A2")));
        QVERIFY(!dc.MoveNext());
        QVERIFY(!dc.Refresh());
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0).at(0).toInt(), int(AppError::EngineError));
        QVERIFY2(errors.at(0).at(1).toString().contains(QStringLiteral("Rate")),
                 qPrintable(errors.at(0).at(1).toString()));
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("A2"));
        QCOMPARE(stored(QStringLiteral("SELECT Rate FROM Vellagons WHERE Client = 'A'")),
                 QStringLiteral("100"));
        // The user mends the value and goes on; the rest of the edit was kept.
        QVERIFY(dc.setValue(QStringLiteral("Rate"), QStringLiteral("125")));
        QVERIFY(dc.MoveNext());
        QCOMPARE(stored(QStringLiteral("SELECT Rate FROM Vellagons WHERE Client = 'A2'")),
                 QStringLiteral("125"));
    }

    void otherWritersAreSeenAndNeverBlocked() {
        addLogs({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
                 QStringLiteral("E")});
        DataControl dc;
        open(dc, m_path);
        QVERIFY(dc.setAbsolutePosition(2));
        OtherWriter other(m_path);
        // The control holds no statement open: the other program writes at once.
        QCOMPARE(other.exec(QStringLiteral("DELETE FROM Vellagons WHERE Client IN ('C', 'E')")),
                 QString());
        QVERIFY(dc.MoveNext()); // C is gone: D follows B
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("D"));
        QVERIFY(dc.MoveNext()); // E is gone: the end
        QVERIFY(dc.isEOF());
        QCOMPARE(dc.RecordCount(), 3);
        QVERIFY(dc.MoveLast());
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("D"));

        // An edit of a row that another program deleted is reported and not retried.
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("D2")));
        QCOMPARE(other.exec(QStringLiteral("DELETE FROM Vellagons WHERE Client = 'D'")), QString());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowGone));
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("B"));

        QCOMPARE(other.exec(QStringLiteral("INSERT INTO Vellagons (Client, [Beginning Time]) "
                                           "VALUES ('F', '2006-01-01 00:00:00')")),
                 QString());
        QVERIFY(dc.Refresh());
        QCOMPARE(walk(dc),
                 (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("F")}));
        dc.forEachRow([](const QSqlRecord&) { return true; });
        QVERIFY(dc.MoveLast());
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("F2")));
        QCOMPARE(other.exec(QStringLiteral("UPDATE Vellagons SET Employee = 'X'")), QString());
        QCOMPARE(errors.size(), 1);
    }

    void refreshOfAnUnchangedFileStandsOnTheFirstRowAgain() {
        addLogs({QStringLiteral("A"), QStringLiteral("B")});
        DataControl dc;
        open(dc, m_path);
        QVERIFY(dc.MoveLast());
        // A change through this program's own connection is seen as well.
        Database::open(m_path).exec(QStringLiteral("UPDATE Vellagons SET [Beginning Time] = "
                                                   "'2000-01-01 00:00:00' WHERE Client = 'B'"));
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("B"));
        QVERIFY(dc.MoveLast());
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("B"));

        // A source the engine refuses is reported; the control keeps what it had.
        QSignalSpy errors(&dc, &DataControl::error);
        dc.setRecordSource(QStringLiteral("Select * from Nowhere"));
        QVERIFY(!dc.Refresh());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(dc.RecordCount(), 2);
        QVERIFY(dc.MoveNext());
    }

    void addNewAppendsARowToTheSet() {
        addLogs({QStringLiteral("A")});
        DataControl dc;
        open(dc, m_path);
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QVERIFY(dc.AddNew());
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnAddNew));
        QVERIFY(dc.hasCurrentRow() && !dc.isEOF());
        QCOMPARE(dc.RecordCount(), 2);
        QVERIFY(dc.value(QStringLiteral("Client")).isNull());
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("New")));
        QVERIFY(
            dc.setValue(QStringLiteral("Beginning Time"), QStringLiteral("2000-01-01 00:00:00")));
        QVERIFY(dc.Update());
        // It stands at the end of the set until the source runs again.
        QCOMPARE(dc.AbsolutePosition(), 2);
        QCOMPARE(dc.value(QStringLiteral("Client")).toString(), QStringLiteral("New"));
        QVERIFY(dc.value(QStringLiteral("Indexing Field")).toLongLong() > 0);
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons")), 2);

        // Leaving a new row writes it; a new row left without values is dropped.
        QVERIFY(dc.AddNew());
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("Newer")));
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.AddNew());
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.AddNew());
        QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("Dropped")));
        dc.CancelUpdate();
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons")), 3);
        QCOMPARE(dc.RecordCount(), 3);

        // Many rows as one unit, as a transfer writes them.
        dc.database().transaction([&] {
            for (int i = 0; i < 50; ++i) {
                QVERIFY(dc.AddNew());
                QVERIFY(dc.setValue(QStringLiteral("Client"), QStringLiteral("T%1").arg(i)));
                QVERIFY(dc.Update());
            }
        });
        QCOMPARE(stored(QStringLiteral("SELECT count(*) FROM Vellagons")), 53);
    }

    void forEachRowWalksTheSetWithoutMoving() {
        QStringList clients;
        for (int i = 0; i < 1203; ++i)
            clients << QStringLiteral("C%1").arg(i, 4, 10, QLatin1Char('0'));
        addLogs(clients);
        DataControl dc;
        open(dc, m_path, QStringLiteral("SELECT * FROM Vellagons ORDER BY Client DESC"));
        QVERIFY(dc.setAbsolutePosition(7));
        Database::open(m_path).exec(QStringLiteral("DELETE FROM Vellagons WHERE Client = 'C0600'"));
        QStringList seen;
        dc.forEachRow([&](const QSqlRecord& row) {
            seen << row.value(QStringLiteral("Client")).toString();
            return true;
        });
        QStringList expected = clients;
        std::reverse(expected.begin(), expected.end());
        expected.removeOne(QStringLiteral("C0600"));
        QCOMPARE(seen, expected);
        QCOMPARE(dc.AbsolutePosition(), 7);
        int count = 0;
        dc.forEachRow([&](const QSqlRecord&) { return ++count < 10; });
        QCOMPARE(count, 10);
    }

    void tablesWithoutAnIdKeepTheirRows() {
        // Active Clients has a key of two names, Payments none: rows are told apart by row id.
        const Database db = Database::open(m_path);
        db.exec(
            QStringLiteral("INSERT INTO Payments ([Payment Client Last Name], [Payment Amount]) "
                           "VALUES ('Same', 10), ('Same', 10), ('Same', 10)"));
        db.exec(QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], "
                               "[Client First Name]) VALUES ('Smith', 'Jo'), ('Adams', 'Al')"));
        DataControl payments;
        open(payments, m_path,
             QStringLiteral("SELECT * FROM Payments ORDER BY [Payment Client Last Name], "
                            "[Payment Client First Name], [Payment Date]"));
        QVERIFY(payments.setAbsolutePosition(2));
        QVERIFY(payments.setValue(QStringLiteral("Payment Amount"), 20));
        QVERIFY(payments.MoveLast());
        QVERIFY(payments.Delete());
        QCOMPARE(stored(QStringLiteral("SELECT group_concat([Payment Amount]) FROM Payments")),
                 QStringLiteral("10.0,20.0"));

        DataControl clients;
        open(clients, m_path,
             QStringLiteral("SELECT * FROM [Active Clients] ORDER BY [Client Last Name], "
                            "[Client First Name]"));
        QCOMPARE(clients.value(QStringLiteral("Client Last Name")).toString(),
                 QStringLiteral("Adams"));
        QVERIFY(clients.setValue(QStringLiteral("Active Client City"), QStringLiteral("Troy")));
        QVERIFY(clients.MoveNext());
        QCOMPARE(stored(QStringLiteral("SELECT [Active Client City] FROM [Active Clients] WHERE "
                                       "[Client Last Name] = 'Adams'")),
                 QStringLiteral("Troy"));
    }

    void aJoinIsReadWholeAndCannotBeChanged() {
        addLogs({QStringLiteral("Smith, Jo"), QStringLiteral("Adams, Al")});
        Database::open(m_path).exec(
            QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], [Client First "
                           "Name]) VALUES ('Smith', 'Jo'), ('Adams', 'Al')"));
        DataControl dc;
        open(dc, m_path,
             QStringLiteral("SELECT Vellagons.Client, Vellagons.Rate * 2 AS Doubled, [Active "
                            "Clients].[Client First Name] FROM Vellagons INNER JOIN [Active "
                            "Clients] ON Vellagons.Client = [Active Clients].[Client Last Name] "
                            "|| ', ' || [Active Clients].[Client First Name] ORDER BY Client"));
        QVERIFY(!dc.isUpdatable());
        QCOMPARE(dc.fieldNames(), (QStringList{QStringLiteral("Client"), QStringLiteral("Doubled"),
                                               QStringLiteral("Client First Name")}));
        QCOMPARE(walk(dc), (QStringList{QStringLiteral("Adams, Al"), QStringLiteral("Smith, Jo")}));
        QVERIFY(dc.MoveFirst());
        QCOMPARE(dc.value(QStringLiteral("doubled")).toInt(), 200);
        QVERIFY(dc.MoveLast());
        const QVariant last = dc.Bookmark();
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.setBookmark(last));
        QCOMPARE(dc.value(QStringLiteral("Client First Name")).toString(), QStringLiteral("Jo"));

        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(!dc.setValue(QStringLiteral("Client"), QStringLiteral("X")));
        QVERIFY(!dc.Delete());
        QVERIFY(!dc.AddNew());
        QCOMPARE(errors.size(), 3);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::ReadOnlySource));
        OtherWriter other(m_path);
        QCOMPARE(other.exec(QStringLiteral("DELETE FROM Vellagons")), QString());
    }

    void recordSourcesOfOneTableAreRecognised() {
        using RecordSource::singleTable;
        const auto table = [](const QString& sql) {
            const auto s = singleTable(sql);
            return s ? s->table + QLatin1Char('|') + s->clauses : QStringLiteral("-");
        };
        QCOMPARE(table(ByTime), QStringLiteral("Vellagons|order by [Beginning Time]"));
        QCOMPARE(table(QStringLiteral("SELECT * FROM [Active Clients];")),
                 QStringLiteral("Active Clients|"));
        QCOMPARE(table(QStringLiteral("select *\nfrom [Things To Do] where [TTD Project] = "
                                      "'a ; b UNION c' order by 1")),
                 QStringLiteral("Things To Do|where [TTD Project] = 'a ; b UNION c' order by 1"));
        QCOMPARE(table(QStringLiteral("SELECT * FROM Vellagons WHERE Client IN (SELECT Client "
                                      "FROM Vellagons GROUP BY Client)")),
                 QStringLiteral("Vellagons|WHERE Client IN (SELECT Client FROM Vellagons GROUP "
                                "BY Client)"));
        for (const char* other :
             {"SELECT Client FROM Vellagons", "SELECT DISTINCT * FROM Vellagons",
              "SELECT * FROM Vellagons, Rates", "SELECT * FROM Vellagons V",
              "SELECT * FROM Vellagons INNER JOIN Rates ON 1",
              "SELECT * FROM Vellagons WHERE 1 GROUP BY Client",
              "SELECT * FROM Vellagons UNION SELECT * FROM Vellagons",
              "SELECT * FROM (SELECT * FROM Vellagons)", "SELECT * FROM Vellagons; DELETE FROM x"})
            QCOMPARE(table(QString::fromLatin1(other)), QStringLiteral("-"));
    }

    void jetSourcesOfTheWindows() {
        addLogs({QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}, 20);
        DataControl logs;
        open(logs, m_path,
             QStringLiteral("SELECT * FROM Vellagons WHERE Client Like 'B'  AND [Beginning Time] "
                            "BETWEEN #7/24/2005# AND #8/24/2005#  ORDER BY [Beginning Time]"));
        QVERIFY(logs.isUpdatable());
        QCOMPARE(walk(logs), QStringList{QStringLiteral("B")});

        Database::open(m_path).exec(
            QStringLiteral("INSERT INTO [Active Clients] ([Client Last Name], [Client First "
                           "Name]) VALUES ('Smith', 'Jo'), ('Adams', 'Al'), ('Adams', 'Ab')"));
        DataControl clients;
        open(clients, m_path,
             QStringLiteral("SELECT * FROM [Active Clients] ORDER BY [Active Clients]![Client "
                            "Last Name], [Active Clients]![Client First Name]"));
        QVERIFY(clients.isUpdatable());
        QVERIFY(clients.MoveLast());
        QCOMPARE(clients.value(QStringLiteral("Client Last Name")).toString(),
                 QStringLiteral("Smith"));
        QVERIFY(clients.MoveFirst());
        QCOMPARE(clients.value(QStringLiteral("Client First Name")).toString(),
                 QStringLiteral("Ab"));
    }
};

VELLAGON_TEST_MAIN(TestDataControl)
#include "test_data_control.moc"

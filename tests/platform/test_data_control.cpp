#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/AppError.h"
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

QString client(const DataControl& dc) {
    return dc.value("Client").toString();
}

// The clients of the set in order, walked with the control's own moves.
QStringList walk(DataControl& dc) {
    QStringList clients;
    for (dc.MoveFirst(); !dc.isEOF(); dc.MoveNext())
        clients << client(dc);
    return clients;
}

// The reasons of the moves recorded since the last call.
QList<int> reasons(QSignalSpy& moves) {
    QList<int> list;
    for (const QList<QVariant>& m : moves)
        list << m.at(0).toInt();
    moves.clear();
    return list;
}

} // namespace

class TestDataControl : public QObject {
    Q_OBJECT

    QString m_path;

    // Logs named by client, with beginning times one day apart in the given order.
    void addLogs(const QStringList& clients) {
        const Database db = Database::open(m_path);
        db.transaction([&] {
            int day = 1;
            for (const QString& client : clients)
                db.exec(
                    "INSERT INTO Vellagons (Client, Employee, Rate, Duration, [Beginning "
                    "Time]) VALUES (?, 'Doe, Jane', '100', 1.5, ?)",
                    {client, QStringLiteral("2005-08-%1 10:05:00").arg(day++, 2, 10, QChar('0'))});
        });
    }

    QVariant stored(const QString& sql) { return Database::open(m_path).scalar(sql); }

    void open(DataControl& dc, const QString& source = ByTime) {
        dc.setDatabasePath(m_path);
        dc.setRecordSource(source);
        QVERIFY(dc.Refresh());
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/logs.mdb");
    }

    void positionsAtBothEnds() {
        DataControl dc;
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QSignalSpy errors(&dc, &DataControl::error);
        open(dc);
        // An empty set is at BOF and EOF at once; moves to either end succeed, steps do not.
        QVERIFY(dc.isBOF() && dc.isEOF() && !dc.hasCurrentRow());
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosUnknown));
        QVERIFY(!dc.value("Client").isValid());
        QVERIFY(dc.MoveFirst() && dc.MoveLast());
        QCOMPARE(reasons(moves), (QList<int>{DataControl::adRsnRequery, DataControl::adRsnMoveFirst,
                                             DataControl::adRsnMoveLast}));
        QVERIFY(!dc.MoveNext() && !dc.MovePrevious() && !dc.Delete());
        QVERIFY(!dc.setAbsolutePosition(1));
        QCOMPARE(errors.size(), 4);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::NoCurrentRecord));
        QCOMPARE(errors.at(3).at(0).toInt(), int(DataControl::InvalidArgument));
        QVERIFY(moves.isEmpty());

        // One row: a step past either end leaves no current row; a step back returns.
        addLogs({"Alpha"});
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.AbsolutePosition(), 1);
        QVERIFY(dc.MoveNext());
        QVERIFY(dc.isEOF() && !dc.isBOF() && !dc.hasCurrentRow());
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosEOF));
        QVERIFY(!dc.value("Client").isValid());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(dc.value("client").toString(), "Alpha");
        QVERIFY(dc.MovePrevious());
        QVERIFY(dc.isBOF() && !dc.isEOF());
        QCOMPARE(dc.AbsolutePosition(), int(DataControl::adPosBOF));
        QVERIFY(dc.MoveNext());
        QCOMPARE(dc.AbsolutePosition(), 1);
    }

    void positionsAndBookmarksFollowTheSourceOrder() {
        addLogs({"Charlie", "Alpha", "Bravo"});
        Database::open(m_path).exec("UPDATE Vellagons SET [Beginning Time] = "
                                    "'2005-07-01 09:00:00' WHERE Client = 'Alpha'");
        DataControl dc;
        open(dc);
        QCOMPARE(dc.RecordCount(), 3);
        QCOMPARE(walk(dc), (QStringList{"Alpha", "Charlie", "Bravo"}));

        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setAbsolutePosition(3));
        QCOMPARE(client(dc), "Bravo");
        const QVariant bravo = dc.Bookmark();
        QVERIFY(!dc.setAbsolutePosition(0));
        QVERIFY(!dc.setAbsolutePosition(4));
        QCOMPARE(errors.size(), 2);
        QCOMPARE(dc.AbsolutePosition(), 3);

        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(dc.AbsolutePosition(), 3);
        QVERIFY(!dc.setBookmark(QVariant(qint64(999999))));
        QVERIFY(!dc.setBookmark(QVariant()));
        QCOMPARE(dc.AbsolutePosition(), 3);

        // The bookmark survives running the source again.
        QVERIFY(dc.Refresh());
        QCOMPARE(dc.AbsolutePosition(), 1);
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(client(dc), "Bravo");
    }

    void deleteLeavesNoCurrentRowUntilTheNextMove() {
        addLogs({"A", "B", "C", "D"});
        DataControl dc;
        open(dc);
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QVERIFY(dc.setAbsolutePosition(2));
        QVERIFY(dc.Delete());
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnDelete));
        QVERIFY(!dc.hasCurrentRow() && !dc.isBOF() && !dc.isEOF());
        QCOMPARE(dc.RecordCount(), 3);
        QCOMPARE(stored("SELECT count(*) FROM Vellagons WHERE Client = 'B'"), 0);
        QVERIFY(dc.MoveNext()); // the row that followed the deleted one
        QCOMPARE(client(dc), "C");
        QCOMPARE(dc.AbsolutePosition(), 2);

        QVERIFY(dc.Delete());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(client(dc), "A");

        QVERIFY(dc.MoveLast());
        QVERIFY(dc.Delete()); // the last row: the next move ends at EOF
        QVERIFY(dc.MoveNext());
        QVERIFY(dc.isEOF());

        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.Delete()); // the only row left: the set is empty
        QVERIFY(dc.isBOF() && dc.isEOF());
        QCOMPARE(stored("SELECT count(*) FROM Vellagons"), 0);
    }

    void leavingTheRowWritesOnlyTheChangedColumns() {
        addLogs({"A", "B"});
        {
            DataControl dc;
            open(dc);
            QVERIFY(dc.setValue("client", "A2"));
            QCOMPARE(client(dc), "A2");
            QCOMPARE(dc.record().value("Client").toString(), "A");
            // Another window changes another column of the same row meanwhile.
            Database::open(m_path).exec(
                "UPDATE Vellagons SET Employee = 'Roe, Rich' WHERE Client = 'A'");
            QVERIFY(dc.MoveNext());
            QCOMPARE(stored("SELECT Employee FROM Vellagons WHERE Client = 'A2'"), "Roe, Rich");

            // Refresh, Update and destruction write too; CancelUpdate drops the edit.
            QVERIFY(dc.setValue("Client", "B2"));
            QVERIFY(dc.Refresh());
            QCOMPARE(stored("SELECT count(*) FROM Vellagons WHERE Client = 'B2'"), 1);
            QVERIFY(dc.setValue("Rate", "150"));
            QSignalSpy shown(&dc, &DataControl::fieldsChanged);
            QVERIFY(dc.Update());
            QCOMPARE(shown.size(), 1);
            QCOMPARE(dc.record().value("Rate").toString(), "150");
            QVERIFY(dc.setValue("Rate", "175"));
            dc.CancelUpdate();
            QCOMPARE(dc.value("Rate").toString(), "150");
            QVERIFY(!dc.setValue("No Such Field", 1));
            QVERIFY(dc.setValue("Beginning Time", QDateTime(QDate(2005, 8, 24), QTime(10, 5))));
        }
        QCOMPARE(stored("SELECT [Beginning Time] FROM Vellagons WHERE Client = 'A2'"),
                 "2005-08-24 10:05:00");
    }

    void theCommitHookConvertsAddsAndRefuses() {
        addLogs({"A", "B"});
        DataControl dc;
        open(dc);
        int refusals = 0;
        dc.setBeforeCommit([&](QVariantMap& changes, const QSqlRecord& current) {
            bool ok = false;
            const double hours = changes.value("Duration", current.value("Duration")).toDouble(&ok);
            if (!ok) {
                ++refusals;
                return false;
            }
            changes.insert("Fee", hours * current.value("Rate").toDouble());
            return true;
        });
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue("Duration", "abc"));
        QVERIFY(!dc.MoveNext());
        QCOMPARE(refusals, 1);
        QCOMPARE(errors.size(), 0);
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(dc.value("Duration").toString(), "abc");
        QCOMPARE(stored("SELECT Duration FROM Vellagons WHERE Client = 'A'"), 1.5);

        QVERIFY(dc.setValue("Duration", 2.5));
        QVERIFY(dc.MoveNext());
        QCOMPARE(stored("SELECT Fee FROM Vellagons WHERE Client = 'A'"), 250.0);
    }

    void aFailingWriteIsReportedAndLosesNothing() {
        addLogs({"A", "B"});
        DataControl dc;
        open(dc);
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue("Rate", "12345678901"));
        QVERIFY(dc.setValue("Client", "A2"));
        QVERIFY(!dc.MoveNext());
        QVERIFY(!dc.Refresh());
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.at(0).at(0).toInt(), int(AppError::EngineError));
        QVERIFY2(errors.at(0).at(1).toString().contains("Rate"),
                 qPrintable(errors.at(0).at(1).toString()));
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(client(dc), "A2");
        QCOMPARE(stored("SELECT Rate FROM Vellagons WHERE Client = 'A'"), "100");
        // The user mends the value and goes on; the rest of the edit was kept.
        QVERIFY(dc.setValue("Rate", "125"));
        QVERIFY(dc.MoveNext());
        QCOMPARE(stored("SELECT Rate FROM Vellagons WHERE Client = 'A2'"), "125");
    }

    void otherWritersAreSeenAndNeverBlocked() {
        addLogs({"A", "B", "C", "D", "E"});
        DataControl dc;
        open(dc);
        QVERIFY(dc.setAbsolutePosition(2));
        OtherWriter other(m_path);
        // The control holds no statement open: the other program writes at once.
        QCOMPARE(other.exec("DELETE FROM Vellagons WHERE Client IN ('C', 'E')"), QString());
        QVERIFY(dc.MoveNext()); // C is gone: D follows B
        QCOMPARE(client(dc), "D");
        QVERIFY(dc.MoveNext()); // E is gone: the end
        QVERIFY(dc.isEOF());
        QCOMPARE(dc.RecordCount(), 3);

        // An edit of a row that another program deleted is reported and not retried.
        QVERIFY(dc.MoveLast());
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue("Client", "D2"));
        QCOMPARE(other.exec("DELETE FROM Vellagons WHERE Client = 'D'"), QString());
        QVERIFY(dc.MovePrevious());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowGone));
        QCOMPARE(client(dc), "B");

        QCOMPARE(other.exec("INSERT INTO Vellagons (Client, [Beginning Time]) "
                            "VALUES ('F', '2006-01-01 00:00:00')"),
                 QString());
        QVERIFY(dc.Refresh());
        QCOMPARE(walk(dc), (QStringList{"A", "B", "F"}));
        dc.forEachRow([](const QSqlRecord&) { return true; });
        QVERIFY(dc.MoveLast());
        QVERIFY(dc.setValue("Client", "F2"));
        QCOMPARE(other.exec("UPDATE Vellagons SET Employee = 'X'"), QString());
    }

    void refreshRereadsAChangedFileAndKeepsWhatItHadOnError() {
        addLogs({"A", "B"});
        DataControl dc;
        open(dc);
        QVERIFY(dc.MoveLast());
        // A change through this program's own connection is seen as well.
        Database::open(m_path).exec("UPDATE Vellagons SET [Beginning Time] = "
                                    "'2000-01-01 00:00:00' WHERE Client = 'B'");
        QVERIFY(dc.Refresh());
        QCOMPARE(client(dc), "B");
        QVERIFY(dc.MoveLast());
        QVERIFY(dc.Refresh()); // unchanged: on the first row again
        QCOMPARE(dc.AbsolutePosition(), 1);

        // A source the engine refuses is reported; the control keeps what it had.
        QSignalSpy errors(&dc, &DataControl::error);
        dc.setRecordSource("Select * from Nowhere");
        QVERIFY(!dc.Refresh());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(dc.RecordCount(), 2);
        QVERIFY(dc.MoveNext());
    }

    void addNewAppendsARowToTheSet() {
        addLogs({"A"});
        DataControl dc;
        open(dc);
        QVERIFY(dc.AddNew());
        QVERIFY(dc.hasCurrentRow() && !dc.isEOF());
        QCOMPARE(dc.RecordCount(), 2);
        QVERIFY(dc.value("Client").isNull());
        QVERIFY(dc.setValue("Client", "New"));
        QVERIFY(dc.setValue("Beginning Time", "2000-01-01 00:00:00"));
        QVERIFY(dc.Update());
        // It stands at the end of the set until the source runs again.
        QCOMPARE(dc.AbsolutePosition(), 2);
        QCOMPARE(client(dc), "New");
        QVERIFY(dc.value("Indexing Field").toLongLong() > 0);

        // Leaving a new row writes it; a new row left without values is dropped.
        QVERIFY(dc.AddNew());
        QVERIFY(dc.setValue("Client", "Newer"));
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.AddNew());
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.AddNew());
        QVERIFY(dc.setValue("Client", "Dropped"));
        dc.CancelUpdate();
        QCOMPARE(dc.AbsolutePosition(), 1);
        QCOMPARE(stored("SELECT group_concat(Client) FROM Vellagons"), "A,New,Newer");
        QCOMPARE(dc.RecordCount(), 3);
    }

    void forEachRowWalksTheSetWithoutMoving() {
        QStringList clients;
        for (int i = 0; i < 1203; ++i) // more than two batches
            clients << QStringLiteral("C%1").arg(i, 4, 10, QChar('0'));
        addLogs(clients);
        DataControl dc;
        open(dc, "SELECT * FROM Vellagons ORDER BY Client DESC");
        QVERIFY(dc.setAbsolutePosition(7));
        Database::open(m_path).exec("DELETE FROM Vellagons WHERE Client = 'C0600'");
        QStringList seen;
        dc.forEachRow([&](const QSqlRecord& row) {
            seen << row.value("Client").toString();
            return true;
        });
        QStringList expected = clients;
        std::reverse(expected.begin(), expected.end());
        expected.removeOne("C0600");
        QCOMPARE(seen, expected);
        QCOMPARE(dc.AbsolutePosition(), 7);
        int count = 0;
        dc.forEachRow([&](const QSqlRecord&) { return ++count < 10; });
        QCOMPARE(count, 10);
    }

    void tablesWithoutAnIdKeepTheirRows() {
        // Active Clients has a key of two names, Payments none: rows are told apart by row id.
        const Database db = Database::open(m_path);
        db.exec("INSERT INTO Payments ([Payment Client Last Name], [Payment Amount]) "
                "VALUES ('Same', 10), ('Same', 10), ('Same', 10)");
        db.exec("INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) "
                "VALUES ('Smith', 'Jo'), ('Adams', 'Al')");
        DataControl payments;
        open(payments, "SELECT * FROM Payments ORDER BY [Payment Client Last Name]");
        QVERIFY(payments.setAbsolutePosition(2));
        QVERIFY(payments.setValue("Payment Amount", 20));
        QVERIFY(payments.MoveLast());
        QVERIFY(payments.Delete());
        QCOMPARE(stored("SELECT group_concat([Payment Amount]) FROM Payments"), "10.0,20.0");

        // The windows' own Jet sources, with the bang between table and field.
        DataControl clients;
        open(clients, "SELECT * FROM [Active Clients] ORDER BY [Active Clients]![Client Last "
                      "Name], [Active Clients]![Client First Name]");
        QCOMPARE(clients.value("Client Last Name").toString(), "Adams");
        QVERIFY(clients.setValue("Active Client City", "Troy"));
        QVERIFY(clients.MoveNext());
        QCOMPARE(stored("SELECT [Active Client City] FROM [Active Clients] WHERE "
                        "[Client Last Name] = 'Adams'"),
                 "Troy");
    }

    void aJoinIsReadWholeAndCannotBeChanged() {
        addLogs({"Smith, Jo", "Adams, Al"});
        Database::open(m_path).exec("INSERT INTO [Active Clients] ([Client Last Name], [Client "
                                    "First Name]) VALUES ('Smith', 'Jo'), ('Adams', 'Al')");
        DataControl dc;
        open(dc, "SELECT Vellagons.Client, Vellagons.Rate * 2 AS Doubled, [Active "
                 "Clients].[Client First Name] FROM Vellagons INNER JOIN [Active Clients] ON "
                 "Vellagons.Client = [Active Clients].[Client Last Name] || ', ' || [Active "
                 "Clients].[Client First Name] ORDER BY Client");
        QVERIFY(!dc.isUpdatable());
        QCOMPARE(walk(dc), (QStringList{"Adams, Al", "Smith, Jo"}));
        QVERIFY(dc.MoveFirst());
        QCOMPARE(dc.value("doubled").toInt(), 200);
        QVERIFY(dc.MoveLast());
        const QVariant last = dc.Bookmark();
        QVERIFY(dc.MoveFirst());
        QVERIFY(dc.setBookmark(last));
        QCOMPARE(dc.value("Client First Name").toString(), "Jo");

        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(!dc.setValue("Client", "X"));
        QVERIFY(!dc.Delete());
        QVERIFY(!dc.AddNew());
        QCOMPARE(errors.size(), 3);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::ReadOnlySource));
        OtherWriter other(m_path);
        QCOMPARE(other.exec("DELETE FROM Vellagons"), QString());
    }

    void recordSourcesOfOneTableAreRecognised() {
        const auto table = [](const char* sql) {
            const auto s = RecordSource::singleTable(QString::fromLatin1(sql));
            return s ? s->table + '|' + s->clauses : QStringLiteral("-");
        };
        QCOMPARE(table("SELECT * FROM [Active Clients];"), "Active Clients|");
        QCOMPARE(table("select *\nfrom [Things To Do] where [TTD Project] = 'a ; b UNION c' "
                       "order by 1"),
                 "Things To Do|where [TTD Project] = 'a ; b UNION c' order by 1");
        QCOMPARE(table("SELECT * FROM Vellagons WHERE Client IN (SELECT Client FROM Vellagons "
                       "GROUP BY Client)"),
                 "Vellagons|WHERE Client IN (SELECT Client FROM Vellagons GROUP BY Client)");
        for (const char* other :
             {"SELECT Client FROM Vellagons", "SELECT DISTINCT * FROM Vellagons",
              "SELECT * FROM Vellagons, Rates", "SELECT * FROM Vellagons V",
              "SELECT * FROM Vellagons INNER JOIN Rates ON 1",
              "SELECT * FROM Vellagons WHERE 1 GROUP BY Client",
              "SELECT * FROM Vellagons UNION SELECT * FROM Vellagons",
              "SELECT * FROM (SELECT * FROM Vellagons)", "SELECT * FROM Vellagons; DELETE FROM x"})
            QCOMPARE(table(other), "-");
    }
};

VELLAGON_TEST_MAIN(TestDataControl)
#include "test_data_control.moc"

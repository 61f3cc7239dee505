#include "Fixtures.h"
#include "TestSupport.h"
#include "platform/data/AppError.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/RecordSource.h"

#include <QRandomGenerator>
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
    QString name() const { return m_name; }
    // "" when the statement ran, else the engine's message.
    QString exec(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(m_name));
        return q.exec(sql) ? QString() : q.lastError().text();
    }

private:
    static inline int s_count = 0;
    QString m_name;
};

// The row ids of a statement, read by another connection: what a control must list.
QList<qint64> idsReadAfresh(const QString& path, const QString& sql) {
    OtherWriter reader(path);
    QSqlQuery query(QSqlDatabase::database(reader.name()));
    if (!query.exec(sql))
        qFatal("%s", qPrintable(query.lastError().text()));
    QList<qint64> ids;
    while (query.next())
        ids << query.value(0).toLongLong();
    return ids;
}

// The ids of the set in the control's order, walked with its own moves.
QList<qint64> idsOf(DataControl& dc) {
    QList<qint64> ids;
    for (dc.MoveFirst(); !dc.isEOF(); dc.MoveNext())
        ids << dc.Bookmark().toLongLong();
    return ids;
}

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

// Where the control stands: "empty", "BOF", "EOF", "-" (no current row after a delete), or
// the client with its position; AbsolutePosition must agree.
QString where(const DataControl& dc) {
    const int position = dc.AbsolutePosition();
    if (dc.isBOF() && dc.isEOF())
        return position == DataControl::adPosUnknown ? "empty" : "empty?";
    if (dc.isBOF())
        return position == DataControl::adPosBOF ? "BOF" : "BOF?";
    if (dc.isEOF())
        return position == DataControl::adPosEOF ? "EOF" : "EOF?";
    if (!dc.hasCurrentRow())
        return position == DataControl::adPosUnknown && !dc.value("Client").isValid() ? "-" : "-?";
    return client(dc) + '@' + QString::number(position);
}

// A move, and where it leaves the control ("refused" when it fails).
QString after(DataControl& dc, bool (DataControl::*move)()) {
    return (dc.*move)() ? where(dc) : QStringLiteral("refused");
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
        QCOMPARE(where(dc), "empty");
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
        QCOMPARE(after(dc, &DataControl::MoveNext), "EOF");
        QCOMPARE(after(dc, &DataControl::MovePrevious), "Alpha@1");
        QCOMPARE(after(dc, &DataControl::MovePrevious), "BOF");
        QCOMPARE(after(dc, &DataControl::MovePrevious), "refused");
        QCOMPARE(after(dc, &DataControl::MoveNext), "Alpha@1");
    }

    void positionsAndBookmarksFollowTheSourceOrder() {
        addLogs({"Charlie", "Alpha", "Bravo"});
        Database::open(m_path).exec("UPDATE Vellagons SET [Beginning Time] = "
                                    "'2005-07-01 09:00:00' WHERE Client = 'Alpha'");
        DataControl dc;
        open(dc);
        QCOMPARE(dc.RecordCount(), 3);
        QCOMPARE(walk(dc), (QStringList{"Alpha", "Charlie", "Bravo"}));

        QVERIFY(dc.setAbsolutePosition(3));
        const QVariant bravo = dc.Bookmark();
        QVERIFY(!dc.setAbsolutePosition(0) && !dc.setAbsolutePosition(4));
        QVERIFY(dc.MoveFirst());
        QVERIFY(!dc.setBookmark(QVariant(qint64(999999))) && !dc.setBookmark(QVariant()));
        QCOMPARE(where(dc), "Alpha@1");
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(where(dc), "Bravo@3");
        // The bookmark survives running the source again.
        QVERIFY(dc.Refresh());
        QCOMPARE(where(dc), "Alpha@1");
        QVERIFY(dc.setBookmark(bravo));
        QCOMPARE(where(dc), "Bravo@3");
    }

    void refreshFollowsEveryChangeAsAFreshReadWould() {
        // Ties on the order and times missing, so that rows placed anew must find their exact
        // place among equals; clients missing, so that a condition may not hold.
        const QStringList times{"2005-08-01 09:00:00", "2005-08-01 09:00:00", "2005-08-02 10:00:00",
                                "2005-08-03 11:00:00", QString()};
        const QStringList clients{"A", "a", "B", "C", QString()};
        QRandomGenerator random(20050824);
        const auto pick = [&](const QStringList& list) {
            const QString value = list.at(random.bounded(int(list.size())));
            return value.isNull() ? QVariant() : QVariant(value);
        };
        const Database db = Database::open(m_path);
        const auto insert = [&] {
            db.exec("INSERT INTO Vellagons (Client, [Beginning Time]) VALUES (?, ?)",
                    {pick(clients), pick(times)});
        };
        for (int i = 0; i < 60; ++i)
            insert();

        struct Watched {
            QString source;
            QString fresh; // the same set read by another connection
        };
        const QList<Watched> watched{
            {ByTime, "SELECT rowid FROM Vellagons ORDER BY [Beginning Time], rowid"},
            {"SELECT * FROM Vellagons WHERE Client Like 'a' ORDER BY [Beginning Time] DESC",
             "SELECT rowid FROM Vellagons WHERE Client = 'a' COLLATE NOCASE "
             "ORDER BY [Beginning Time] DESC, rowid"},
            {"SELECT * FROM Vellagons ORDER BY 2 DESC, [Beginning Time]",
             "SELECT rowid FROM Vellagons ORDER BY Client DESC, [Beginning Time], rowid"},
            // No index serves the condition: the table is read and what it keeps sorted.
            {"SELECT * FROM Vellagons WHERE Client Like '%a%' ORDER BY [Beginning Time]",
             "SELECT rowid FROM Vellagons WHERE Client LIKE '%a%' "
             "ORDER BY [Beginning Time], rowid"}};
        // Two controls on each source: one refreshes after every change, one now and then.
        std::vector<std::unique_ptr<DataControl>> controls;
        for (const Watched& w : watched)
            for (int copy = 0; copy < 2; ++copy) {
                controls.push_back(std::make_unique<DataControl>());
                open(*controls.back(), w.source);
            }
        const auto randomRow = [&] {
            return db.scalar("SELECT rowid FROM Vellagons ORDER BY random() LIMIT 1");
        };

        for (int step = 0; step < 120; ++step) {
            DataControl& own = *controls[random.bounded(int(controls.size()))];
            switch (random.bounded(11)) {
            case 0:
            case 1:
                insert();
                break;
            case 2:
                db.exec("UPDATE Vellagons SET [Beginning Time] = ? WHERE rowid = ?",
                        {pick(times), randomRow()});
                break;
            case 3:
                db.exec("UPDATE Vellagons SET Client = ? WHERE rowid = ?",
                        {pick(clients), randomRow()});
                break;
            case 4:
                db.exec("DELETE FROM Vellagons WHERE rowid = ?", {randomRow()});
                break;
            case 5: // several rows at once, and a write undone
                db.exec("UPDATE Vellagons SET [Beginning Time] = ? WHERE Client = ?",
                        {pick(times), pick(clients)});
                try {
                    db.transaction([&] {
                        insert();
                        db.exec("DELETE FROM Vellagons WHERE rowid = ?", {randomRow()});
                        throw AppError(AppError::EngineError, "undone");
                    });
                } catch (const AppError&) {
                }
                break;
            case 6: // a control's own moves and writes
                if (own.setAbsolutePosition(1 + random.bounded(qMax(1, own.RecordCount()))))
                    own.Delete();
                break;
            case 7:
                if (own.AddNew() && own.setValue("Client", pick(clients)) &&
                    own.setValue("Beginning Time", pick(times)))
                    own.Update();
                break;
            case 8: // another program's write
                OtherWriter(m_path).exec("UPDATE Vellagons SET [Beginning Time] = NULL "
                                         "WHERE rowid IN (SELECT rowid FROM Vellagons LIMIT 2)");
                break;
            case 9:
                if (random.bounded(4) == 0) {
                    db.exec("DELETE FROM Vellagons");
                } else {
                    for (int i = 0; i < 40; ++i) // more than is worth placing one by one
                        insert();
                }
                break;
            default:
                db.exec(random.bounded(2) ? "CREATE INDEX IF NOT EXISTS t ON Vellagons (Rate)"
                                          : "DROP INDEX IF EXISTS t");
                break;
            }
            for (size_t c = 0; c < controls.size(); ++c) {
                if (c % 2 && random.bounded(3))
                    continue;
                DataControl& dc = *controls[c];
                QVERIFY(dc.Refresh());
                const QList<qint64> fresh = idsReadAfresh(m_path, watched[int(c / 2)].fresh);
                QCOMPARE(dc.RecordCount(), int(fresh.size()));
                QCOMPARE(idsOf(dc), fresh);
            }
        }
    }

    void deleteLeavesNoCurrentRowUntilTheNextMove() {
        addLogs({"A", "B", "C", "D"});
        DataControl dc;
        open(dc);
        QSignalSpy moves(&dc, &DataControl::moveComplete);
        QVERIFY(dc.setAbsolutePosition(2));
        QCOMPARE(after(dc, &DataControl::Delete), "-");
        QCOMPARE(moves.last().at(0).toInt(), int(DataControl::adRsnDelete));
        QCOMPARE(dc.RecordCount(), 3);
        // The next move goes on from where the deleted row stood.
        QCOMPARE(after(dc, &DataControl::MoveNext), "C@2");
        QCOMPARE(after(dc, &DataControl::Delete), "-");
        QCOMPARE(after(dc, &DataControl::MovePrevious), "A@1");
        QCOMPARE(after(dc, &DataControl::MoveLast), "D@2");
        QCOMPARE(after(dc, &DataControl::Delete), "-");
        QCOMPARE(after(dc, &DataControl::MoveNext), "EOF");
        QCOMPARE(after(dc, &DataControl::MoveFirst), "A@1");
        QCOMPARE(after(dc, &DataControl::Delete), "empty");
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
        QCOMPARE(after(dc, &DataControl::MoveNext), "refused");
        QCOMPARE(refusals, 1);
        QCOMPARE(errors.size(), 0);
        QCOMPARE(where(dc), "A@1");
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
        QCOMPARE(where(dc), "A2@1");
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
        QCOMPARE(after(dc, &DataControl::MoveNext), "D@3"); // C is gone: D follows B
        QCOMPARE(after(dc, &DataControl::MoveNext), "EOF"); // E is gone: the end
        QCOMPARE(dc.RecordCount(), 3);

        // An edit of a row that another program deleted is reported and not retried.
        QVERIFY(dc.MoveLast());
        QSignalSpy errors(&dc, &DataControl::error);
        QVERIFY(dc.setValue("Client", "D2"));
        QCOMPARE(other.exec("DELETE FROM Vellagons WHERE Client = 'D'"), QString());
        QCOMPARE(after(dc, &DataControl::MovePrevious), "B@2");
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowGone));

        QCOMPARE(other.exec("INSERT INTO Vellagons (Client, [Beginning Time]) "
                            "VALUES ('F', '2006-01-01 00:00:00')"),
                 QString());
        QVERIFY(dc.Refresh());
        QCOMPARE(walk(dc), (QStringList{"A", "B", "F"}));
        dc.forEachRow([](QVariantList&) { return true; });
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
        QCOMPARE(after(dc, &DataControl::Refresh), "B@1");
        QVERIFY(dc.MoveLast());
        QCOMPARE(after(dc, &DataControl::Refresh), "B@1"); // unchanged: on the first row again

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
        QCOMPARE(after(dc, &DataControl::AddNew), "@2");
        QVERIFY(dc.value("Client").isNull());
        QVERIFY(dc.setValue("Client", "New"));
        QVERIFY(dc.setValue("Beginning Time", "2000-01-01 00:00:00"));
        // It stands at the end of the set until the source runs again.
        QCOMPARE(after(dc, &DataControl::Update), "New@2");
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
        QCOMPARE(where(dc), "A@1");
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
        const QStringList fields = dc.forEachRow(
            [&](QVariantList& row) {
                seen << row.at(0).toString() + '|' + row.at(1).toString();
                return true;
            },
            {"client", "Rate", "No Such Field"});
        QCOMPARE(fields, (QStringList{"Client", "Rate"}));
        for (QString& row : seen) {
            QVERIFY2(row.endsWith("|100"), qPrintable(row));
            row.chop(4);
        }
        QStringList expected = clients;
        std::reverse(expected.begin(), expected.end());
        expected.removeOne("C0600");
        QCOMPARE(seen, expected);
        QCOMPARE(dc.AbsolutePosition(), 7);
        int count = 0;
        dc.forEachRow([&](QVariantList&) { return ++count < 10; });
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

    // A write names the record as it was read: a row changed meanwhile, or a row id given to
    // another record, takes nothing, and the control says so; a change elsewhere to another
    // field of a record with a key is no obstacle.
    void writesLandOnlyOnTheRecordAsItWasRead() {
        const QString clientsSource = "SELECT * FROM [Active Clients] ORDER BY [Client Last Name]";
        const Database db = Database::open(m_path);
        db.exec("INSERT INTO [Active Clients] ([Client Last Name], [Client First Name], "
                "[Active Client City]) VALUES ('Adams', 'Al', 'Troy'), ('Young', 'Ann', 'Rome')");
        const auto city = [&](const QString& last) {
            return stored("SELECT ifnull([Active Client City], 'Null') FROM [Active Clients] "
                          "WHERE [Client Last Name] = '" +
                          last + "'");
        };
        DataControl clients;
        clients.setRecordName([](const QSqlRecord& row) {
            return "Client " + row.value("Client Last Name").toString();
        });
        open(clients, clientsSource);
        QSignalSpy errors(&clients, &DataControl::error);
        QVERIFY(clients.MoveLast());

        db.exec("UPDATE [Active Clients] SET [Active Client State] = 'NY' WHERE [Client Last "
                "Name] = 'Young'");
        QVERIFY(clients.setValue("Active Client City", "Utica"));
        QVERIFY(clients.Update());
        QCOMPARE(city("Young"), "Utica");
        QCOMPARE(stored("SELECT [Active Client State] FROM [Active Clients] WHERE [Client Last "
                        "Name] = 'Young'"),
                 "NY");
        QCOMPARE(errors.size(), 0);

        // The same field written elsewhere (a change of case is a change): nothing is written,
        // the row shows as it stands with the edit over it, and the next write takes it.
        db.exec("UPDATE [Active Clients] SET [Active Client City] = 'utica', "
                "[Active Client Zip Code] = '13501' WHERE [Client Last Name] = 'Young'");
        QVERIFY(clients.setValue("Active Client City", "Paris"));
        QSignalSpy shown(&clients, &DataControl::fieldsChanged);
        QCOMPARE(after(clients, &DataControl::MovePrevious), "refused");
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowChanged));
        QCOMPARE(errors.at(0).at(1).toString(),
                 "Client Young was changed or deleted by another window or program since it was "
                 "shown, so your changes were not saved. It is shown now as it stands, with your "
                 "changes kept; they are written when you save or move on again.");
        QCOMPARE(shown.size(), 1);
        QCOMPARE(city("Young"), "utica");
        QCOMPARE(clients.value("Active Client City").toString(), "Paris");
        QCOMPARE(clients.value("Active Client Zip Code").toString(), "13501");
        QCOMPARE(clients.AbsolutePosition(), 2);
        QVERIFY(clients.MovePrevious());
        QCOMPARE(clients.value("Client Last Name").toString(), "Adams");
        QCOMPARE(city("Young"), "Paris");

        // The record shown goes and a new one takes its row id (the highest one, freed): the
        // new record keeps its values, the edit is dropped, and the control moves on.
        QVERIFY(clients.MoveLast());
        const qint64 shownId = clients.Bookmark().toLongLong();
        QVERIFY(clients.setValue("Active Client City", "Lima"));
        db.exec("DELETE FROM [Active Clients] WHERE [Client Last Name] = 'Young'");
        db.exec("INSERT INTO [Active Clients] ([Client Last Name], [Client First Name]) "
                "VALUES ('Zeta', 'Zed')");
        QCOMPARE(stored("SELECT rowid FROM [Active Clients] WHERE [Client Last Name] = 'Zeta'"),
                 shownId);
        errors.clear();
        QVERIFY(clients.Update());
        QCOMPARE(errors.size(), 1);
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowGone));
        QCOMPARE(errors.at(0).at(1).toString(),
                 "Client Young was changed or deleted by another window or program since it was "
                 "shown, so your changes to it were not saved.");
        QCOMPARE(city("Zeta"), "Null");
        QVERIFY(!clients.hasCurrentRow() && !clients.isEOF());

        // A delete takes the row only as it was read, every field alike.
        QVERIFY(clients.MoveFirst());
        db.exec("UPDATE [Active Clients] SET [Active Client Notes] = 'called' WHERE "
                "[Client Last Name] = 'Adams'");
        errors.clear();
        QVERIFY(!clients.Delete());
        QCOMPARE(errors.at(0).at(0).toInt(), int(DataControl::RowChanged));
        QVERIFY(errors.at(0).at(1).toString().endsWith(
            "so it was not deleted. It is shown now as it stands."));
        QCOMPARE(clients.value("Active Client Notes").toString(), "called");
        QVERIFY(clients.Delete());
        QCOMPARE(stored("SELECT group_concat([Client Last Name]) FROM [Active Clients]"), "Zeta");

        // Without a key every field tells the record: a payment deleted and another recorded
        // under its row id is not deleted in its place, and no edit lands on it.
        db.exec("INSERT INTO Payments ([Payment Client Last Name], [Payment Amount], "
                "[Payment Date]) VALUES ('Adams', 10, '2024-03-04 00:00:00')");
        DataControl payments;
        open(payments, "SELECT * FROM Payments");
        const qint64 paymentId = payments.Bookmark().toLongLong();
        db.exec("DELETE FROM Payments");
        db.exec("INSERT INTO Payments ([Payment Client Last Name], [Payment Amount], "
                "[Payment Date]) VALUES ('Adams', 12, '2024-03-04 00:00:00')");
        QCOMPARE(stored("SELECT rowid FROM Payments"), paymentId);
        QSignalSpy paymentErrors(&payments, &DataControl::error);
        QVERIFY(!payments.Delete());
        QCOMPARE(paymentErrors.at(0).at(0).toInt(), int(DataControl::RowGone));
        QCOMPARE(paymentErrors.at(0).at(1).toString(),
                 "The record shown was changed or deleted by another window or program since it "
                 "was shown; nothing was deleted.");
        QCOMPARE(where(payments), "empty");
        QCOMPARE(stored("SELECT [Payment Amount] FROM Payments"), 12.0);

        // A text holding a NUL character, which writes drop, is still found as it was read.
        db.exec("INSERT INTO Payments ([Payment Client Last Name], [Payment Description]) "
                "VALUES ('Nul', 'a' || char(0) || 'b')");
        open(payments, "SELECT * FROM Payments WHERE [Payment Client Last Name] = 'Nul'");
        QVERIFY(payments.setValue("Payment Amount", 5));
        QVERIFY(payments.Update());
        QCOMPARE(stored("SELECT [Payment Amount] FROM Payments WHERE [Payment Client Last Name] = "
                        "'Nul'"),
                 5.0);
        QVERIFY(payments.Delete());
        QCOMPARE(stored("SELECT count(*) FROM Payments"), 1);
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

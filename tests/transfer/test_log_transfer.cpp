#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TransferTest.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"
#include "platform/data/StoredDate.h"
#include "timelog/windows/frmDisplay.h"
#include "transfer/logic/LogTransfer.h"

#include <QDir>
#include <QLineEdit>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <sys/resource.h>

using TransferTest::addLog;
using TransferTest::rows;

namespace {

// While it lives, no file of this process may grow past the limit (a full disk).
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &m_saved); }

private:
    rlimit m_saved{};
};

const QString Logs =
    "SELECT Client, Project, Employee, Rate, Vellagon, VellaGraphic, [Log Summary], "
    "[Beginning Time], [Ending Time], Duration, Fee FROM Vellagons";

QStringList displayCaptions() {
    QStringList captions;
    for (ChildWindow* w : openChildWindows())
        if (w->kind() == ChildWindow::Kind::Display)
            captions << w->Caption();
    return captions;
}

} // namespace

class TestLogTransfer : public TransferTest::Fixture {
    Q_OBJECT

    // The files of the folder, hidden ones too: a failure leaves no work file behind.
    QStringList files() const {
        return QDir(m_folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

private Q_SLOTS:
    void initTestCase() { TransferTest::registerCommands(); }
    void init() {
        start();
        addLog(m_own, {"Abel, Ann",
                       "MARKETING",
                       "Doe, Al",
                       "150",
                       "first notes",
                       "<p>first</p>",
                       "Call",
                       "2025-01-03 09:00:00",
                       "2025-01-03 10:00:00",
                       1.0,
                       {}});
        addLog(m_own, {"Baker, Bo",
                       {},
                       {},
                       "100",
                       "second",
                       {},
                       "Visit",
                       "2025-01-01 09:00:00",
                       "2025-01-01 09:30:00",
                       0.5,
                       50.0});
        addLog(m_own,
               {"Abel, Ann", {}, {}, {}, "", {}, "Letter", "2025-01-02 14:00:00", {}, {}, 0.0});
        TransferTest::addClient(m_own, "Abel", "Ann", {{"Active Client City", "Springfield"}});
        Database::open(m_own).exec("INSERT INTO Invoices ([Invoice Header]) VALUES ('Our firm')");
    }
    void cleanup() {
        FileOps::setRenameFault(nullptr);
        QVERIFY(!QGuiApplication::overrideCursor());
        QVERIFY(!gvarBookmark.isValid());
        TestSupport::closeMainWindow(m_main);
    }

    void saveAsKeepsTheShownLogsInTheirOrderAndEveryOtherRow() {
        ScriptedDialogs dialogs;
        frmDisplay* display = TransferTest::startDisplay(
            m_own, "Select * from Vellagons WHERE Client = 'Abel, Ann' ORDER BY [Beginning Time] "
                   "DESC");
        display->Adodc1->MoveFirst();
        const QVariant shown = display->Adodc1->Bookmark();
        const QString copy = m_folder + "/copy.mdb";
        dialogs.answerFile(copy);
        display->mnuSaveFileAs->trigger();

        QCOMPARE(dialogs.messages(), QStringList{copy + " has successfully been saved"});
        // The window's logs in the window's order, numbered afresh, a Null fee kept Null.
        QCOMPARE(rows(copy, Logs + " ORDER BY [Indexing Field]"),
                 rows(m_own, Logs + " WHERE Client = 'Abel, Ann' ORDER BY [Beginning Time] DESC"));
        QCOMPARE(rows(copy, "SELECT [Indexing Field] FROM Vellagons ORDER BY 1"),
                 QList<QVariantList>({{1}, {2}}));
        QCOMPARE(rows(copy, "SELECT Fee FROM Vellagons WHERE [Indexing Field] = 1")[0][0],
                 QVariant());
        QCOMPARE(TransferTest::tablesExcept(copy, "Vellagons"),
                 TransferTest::tablesExcept(m_own, "Vellagons"));
        QCOMPARE(rows(copy, "SELECT count(*) FROM sqlite_master WHERE type = 'index'"),
                 rows(m_own, "SELECT count(*) FROM sqlite_master WHERE type = 'index'"));

        // A new Display window on the copy, current, on its latest log; the caller unchanged.
        QCOMPARE(displayCaptions(), QStringList({"Display form 1", copy + "Display form 2"}));
        auto* made = static_cast<frmDisplay*>(currentDisplayWindow());
        QCOMPARE(gstrDisplayIndex, "2");
        QCOMPARE(made->path(), copy);
        QCOMPARE(made->Text7->text(), "1/3/2025 9:00:00 AM");
        QCOMPARE(gstrDatabasePath, copy);
        QCOMPARE(gstrRecordSource, "Select * from Vellagons order by [Beginning Time]");
        QCOMPARE(display->Adodc1->Bookmark(), shown);
        QCOMPARE(Fixtures::logCount(m_own), 3);
    }

    void saveAsOverAnExistingFileAsksFirst() {
        ScriptedDialogs dialogs;
        frmDisplay* display = TransferTest::startDisplay(m_own);
        const QString other = Fixtures::newDatabase(m_folder + "/other.mdb");
        const QByteArray before = Fixtures::readFile(other);

        // No: both files stay as they were, no window, no message; the shared path is the
        // caller's again.
        dialogs.answerFile(other);
        dialogs.answer(Dialogs::vbNo);
        display->mnuSaveFileAs->trigger();
        QCOMPARE(dialogs.messages(), QStringList{other + " already exists.  Overwrite?"});
        QCOMPARE(dialogs.last()->title, other + " already exists");
        QCOMPARE(dialogs.last()->style, Dialogs::vbYesNo | Dialogs::vbQuestion);
        QCOMPARE(Fixtures::readFile(other), before);
        QCOMPARE(gstrDatabasePath, m_own);
        QCOMPARE(displayCaptions().size(), 1);

        // Yes: a database file is written over with the copy; so is a file of another kind.
        const QString text = Fixtures::writeFile(m_folder + "/notes.mdb", "not a database");
        for (const QString& target : {other, text}) {
            dialogs.clear();
            dialogs.answerFile(target);
            dialogs.answer(Dialogs::vbYes);
            display->runPrologue();
            display->mnuSaveFileAs->trigger();
            QCOMPARE(dialogs.lastMessage(), target + " has successfully been saved");
            QCOMPARE(Fixtures::logCount(target), 3);
        }
        QCOMPARE(files(), QStringList({"notes.mdb", "other.mdb", "own.mdb"}));
    }

    void aSaveAsThatFailsLeavesNoFileAndNoWindow() {
        ScriptedDialogs dialogs;
        frmDisplay* display = TransferTest::startDisplay(m_own);
        const QString copy = m_folder + "/copy.mdb";
        FileOps::setRenameFault([](const QString&, const QString&) { return EROFS; });
        dialogs.answerFile(copy);
        display->mnuSaveFileAs->trigger();
        FileOps::setRenameFault(nullptr);
        QVERIFY2(dialogs.lastMessage().startsWith("Error in Save File As function: Cannot create"),
                 qPrintable(dialogs.lastMessage()));

        // A full disk, the same.
        for (int i = 0; i < 40; ++i)
            addLog(m_own, {"Abel, Ann", {}, {}, {}, QString(4000, 'n'), {}, {}, {}, {}, {}, {}});
        display->Adodc1->Refresh();
        dialogs.answerFile(copy);
        {
            FullDisk full(QFileInfo(m_own).size() / 2);
            display->mnuSaveFileAs->trigger();
        }
        QCOMPARE(dialogs.lastMessage(), "Error in Save File As function: The file \"" + copy +
                                            "\" could not be written: disk I/O error.  The disk "
                                            "may be full; make room on it and try again.");
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(files(), QStringList{"own.mdb"});
        QCOMPARE(displayCaptions().size(), 1);
        QCOMPARE(gstrDatabasePath, m_own);
    }

    void exportWritesTheShownLogsIntoANewFileOnly() {
        ScriptedDialogs dialogs;
        frmDisplay* display = TransferTest::startDisplay(
            m_own, "Select * from Vellagons WHERE Client = 'Abel, Ann' ORDER BY [Beginning Time]");
        addLog(m_own, {{}, "REVIEW CASES", {}, {}, {}, {}, {}, "2025-02-01 08:00:00", {}, {}, {}});
        display->Adodc1->Refresh(); // the window's search does not show the log without client
        display->Adodc1->MoveLast();
        const QVariant shown = display->Adodc1->Bookmark();
        const QString exported = m_folder + "/exported.mdb";
        dialogs.answerFile(exported);
        display->mnuExportVellagons->trigger();

        QCOMPARE(dialogs.messages(),
                 QStringList{"Vellagons have been successfully exported to " + exported});
        QCOMPARE(rows(exported, Logs + " ORDER BY [Indexing Field]"),
                 rows(m_own, Logs + " WHERE Client = 'Abel, Ann' ORDER BY [Beginning Time]"));
        // A new file's lists and nothing else.
        QCOMPARE(rows(exported, "SELECT (SELECT count(*) FROM Activities), (SELECT count(*) "
                                "FROM Projects), (SELECT count(*) FROM Rates), (SELECT count(*) "
                                "FROM [Active Clients]), (SELECT count(*) FROM Invoices)"),
                 QList<QVariantList>({{15, 6, 15, 0, 0}}));
        QCOMPARE(gstrChosenFile, exported);
        QCOMPARE(gstrDatabasePath, m_own);
        QCOMPARE(display->Adodc1->Bookmark(), shown);

        // Into an existing file: refused before anything is written, so nothing doubles.
        const QByteArray before = Fixtures::readFile(exported);
        dialogs.answerFile(exported);
        display->runPrologue();
        display->mnuExportVellagons->trigger();
        QCOMPARE(dialogs.lastMessage(), "Error in import Vellagons function: The file \"" +
                                            exported +
                                            "\" already exists; a new database file needs a new "
                                            "name.");
        QCOMPARE(Fixtures::readFile(exported), before);
    }

    void importAppendsEveryLogWithItsDurationComputedAgain() {
        ScriptedDialogs dialogs;
        frmDisplay* display = TransferTest::startDisplay(
            m_own, "Select * from Vellagons WHERE Client = 'Abel, Ann' ORDER BY [Beginning Time]");
        display->Adodc1->MoveFirst();
        const QVariant shown = display->Adodc1->Bookmark();
        const QString source = Fixtures::newDatabase(m_folder + "/source.mdb");
        addLog(source, {"Abel, Ann", "P", "E", "90", "n", "<p>n</p>", "S", "2025-03-01 09:00:00",
                        "2025-03-01 10:00:00", 5.0, 99.0});
        addLog(source, {"Cole, Cy", {}, {}, {}, {}, {}, {}, "2025-03-02 09:00:00", {}, 2.0, 1.0});
        addLog(source, {"Abel, Ann",
                        {},
                        {},
                        {},
                        {},
                        {},
                        {},
                        "2025-03-03 09:00:00",
                        "2025-03-03 08:30:00",
                        {},
                        {}});
        const QByteArray before = Fixtures::readFile(source);
        dialogs.answerFile(source);
        display->mnuImportVellagons->trigger();

        QCOMPARE(dialogs.messages(),
                 QStringList(
                     {"The selected Vellagons have successfully been imported from " + source + ".",
                      "The selected Vellagons have successfully been imported."}));
        // New numbers, no fee; both times or neither, the duration from them.
        QCOMPARE(rows(m_own, "SELECT [Indexing Field], Client, Rate, VellaGraphic, [Beginning "
                             "Time], [Ending Time], Duration, Fee IS NULL FROM Vellagons WHERE "
                             "[Indexing Field] > 3"),
                 QList<QVariantList>({{4, "Abel, Ann", "90", "<p>n</p>", "2025-03-01 09:00:00",
                                       "2025-03-01 10:00:00", 1.0, 1},
                                      {5, "Cole, Cy", QVariant(), QVariant(), QVariant(),
                                       QVariant(), QVariant(), 1},
                                      {6, "Abel, Ann", QVariant(), QVariant(),
                                       "2025-03-03 09:00:00", "2025-03-03 08:30:00", -0.5, 1}}));
        QCOMPARE(Fixtures::readFile(source), before);
        // The window's search now finds two more; it stays on its log.
        QCOMPARE(display->Adodc1->RecordCount(), 4);
        QCOMPARE(display->Adodc1->Bookmark(), shown);
        QCOMPARE(gstrDatabasePath, m_own);

        // A write that fails adds nothing and claims nothing.
        dialogs.clear();
        dialogs.answerFile(source);
        for (int i = 0; i < 40; ++i)
            Database::open(source).exec("UPDATE Vellagons SET Vellagon = ?", {QString(8000, 'x')});
        {
            FullDisk full(QFileInfo(m_own).size() + 4096);
            display->runPrologue();
            display->mnuImportVellagons->trigger();
        }
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.lastMessage().startsWith("Error in import Vellagons function: The file "
                                                  "\"" +
                                                  m_own + "\" could not be written"),
                 qPrintable(dialogs.lastMessage()));
        QCOMPARE(Fixtures::logCount(m_own), 6);
    }

    // The import counts the times of many logs at once; each duration is still the one of its
    // two times read alone, across the changes of the clock too (an hour skipped, an hour shown
    // twice), for the file's own form and for other forms.
    void importedDurationsAreThoseOfEachLogsTimes() {
        const QByteArray zone = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
        const QString source = Fixtures::newDatabase(m_folder + "/source.mdb");
        QList<QPair<QString, QString>> times;
        const auto add = [&](const QDateTime& beginning, int minutes) {
            const QString format = "yyyy-MM-dd HH:mm:ss";
            times.append(
                {beginning.toString(format), beginning.addSecs(minutes * 60 + 7).toString(format)});
        };
        // A time the clock shows twice is read by the offset of the time read before it.
        for (const QDate day : {QDate(2025, 1, 15), QDate(2025, 7, 15), QDate(2025, 1, 16)}) {
            add(QDateTime(day, QTime(9, 0), Qt::UTC), 30);
            times.append(QPair<QString, QString>("2025-10-26 02:30:00", "2025-10-26 02:50:00"));
        }
        for (const QDate day : {QDate(2025, 3, 30), QDate(2025, 10, 26)}) {
            add(QDateTime(day.addDays(-40), QTime(9, 0), Qt::UTC), 61);
            // Every local time of the night, as text: the clock's change lies among them.
            for (int k = 0; k < 60; ++k)
                add(QDateTime(day, QTime(0, 0), Qt::UTC).addSecs(k * 271), (k * 37) % 300 - 90);
            add(QDateTime(day.addDays(3), QTime(17, 59), Qt::UTC), 2);
        }
        times.append(QPair<QString, QString>("3/30/2025 2:30 AM", "2025-03-30 04:00:00"));
        times.append(QPair<QString, QString>("2025-10-26 02:30", "2025-10-26T03:30:00"));
        times.append(QPair<QString, QString>("2025-02-30 10:00:00", "2025-03-01 10:00:00"));
        times.append(QPair<QString, QString>("2025-10-26 02:30:00", "junk"));
        const Database db = Database::open(source);
        for (const auto& [beginning, ending] : times)
            db.exec("INSERT INTO Vellagons ([Beginning Time], [Ending Time]) VALUES (?, ?)",
                    {beginning, ending});
        const Database own = Database::open(m_own);
        const qint64 last = own.scalar("SELECT max(rowid) FROM Vellagons").toLongLong();
        QCOMPARE(LogTransfer::importLogs(Database::openReadOnly(source), own), times.size());
        QStringList expected;
        for (const auto& [beginning, ending] : times) {
            const QDateTime b = StoredDate::fromStored(beginning);
            const QDateTime e = StoredDate::fromStored(ending);
            expected << (b.isValid() && e.isValid()
                             ? QString::number(LogTransfer::importedDuration(b, e))
                             : QString("null"));
        }
        QStringList imported;
        own.readRows("SELECT Duration FROM Vellagons WHERE rowid > ? ORDER BY rowid", {last},
                     [&](QVariantList& row) {
                         imported << (row.at(0).isNull() ? QString("null")
                                                         : QString::number(row.at(0).toDouble()));
                         return true;
                     });
        zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
        tzset();
        QCOMPARE(imported, expected);
    }

    void theImportedDurationFollowsTheTextOfTheDays_data() {
        QTest::addColumn<int>("seconds");
        QTest::addColumn<double>("hours");
        QTest::newRow("an hour") << 3600 << 1.0;
        QTest::newRow("half an hour") << 1800 << 0.5;
        QTest::newRow("nothing added for a started tenth") << 60 << 0.0;
        // 3 minutes are 0.05 hours, but the days' text (15 digits) reads back a little less.
        QTest::newRow("three minutes") << 180 << 0.0;
        QTest::newRow("nine minutes") << 540 << 0.2;
        QTest::newRow("a day and an hour") << 90000 << 25.0;
        QTest::newRow("backwards") << -1800 << -0.5;
    }
    void theImportedDurationFollowsTheTextOfTheDays() {
        QFETCH(int, seconds);
        QFETCH(double, hours);
        const QDateTime nine(QDate(2025, 3, 1), QTime(9, 0));
        QCOMPARE(LogTransfer::importedDuration(nine, nine.addSecs(seconds)), hours);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestLogTransfer)
#include "test_log_transfer.moc"

#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/FileCommands.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/FileOps.h"
#include "platform/data/Settings.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

const QString NotBeingUsed =
    "You can only compact a database that is not being used.  You can compact this database from "
    "the Display window of any other Vellagon database.";
const QString NotValidFile = "The selected file is not a valid Vellagon file.  Please try again.";
const QStringList RecentKeys{"First", "Second", "Third", "Fourth", "Fifth", "Sixth"};

// A Display window that records what its data control was bound to.
class RecordingDisplay : public ChildWindow {
public:
    RecordingDisplay() : ChildWindow(Kind::Display) {}
    void setRecordSource(const QString& connectionString, const QString& recordSource) override {
        bound << connectionString << recordSource;
    }
    QStringList bound;
};

QStringList recentList() {
    QStringList values;
    for (const QString& key : RecentKeys)
        values << Settings::value("MostRecentDatabases", key);
    return values;
}

void setRecentList(const QStringList& values) {
    for (int i = 0; i < RecentKeys.size(); ++i)
        Settings::setValue("MostRecentDatabases", RecentKeys[i], values.value(i));
}

QString junkPath() {
    return ProgramFolder::filePath("JUNK.MDB");
}

ino_t inodeOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_ino;
}

// Another program with the file open: a connection of its own, which the program's registry of
// open files does not know.
class OtherProgram {
public:
    explicit OtherProgram(const QString& path) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_busy_timeout(m_db, 5000);
    }
    ~OtherProgram() { sqlite3_close(m_db); }
    bool exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr) == 0; }

private:
    sqlite3* m_db = nullptr;
};

} // namespace

class TestFileCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_folder;
    QString m_own; // the file of Display window 1, which runs the commands

    static int displayCount() {
        int n = 0;
        for (ChildWindow* w : openChildWindows())
            n += w->kind() == ChildWindow::Kind::Display;
        return n;
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        setChildWindowFactory(ChildWindow::Kind::Display, [] { return new RecordingDisplay; });
        m_main = TestSupport::showMainWindow();
        m_folder = TestSupport::newFolder();
        m_own = Fixtures::newDatabase(m_folder + "/own.mdb");
        gstrDatabasePath = m_own;
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
        childWindow(ChildWindow::Kind::Display, "1")->runPrologue();
    }
    void cleanup() {
        FileOps::setRenameFault(nullptr);
        // Every way out of a command puts the pointer back.
        QVERIFY(!QGuiApplication::overrideCursor());
        TestSupport::closeMainWindow(m_main);
    }

    void theRecentListShiftsDownToTheFirstEmptyEntry_data() {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QStringList>("after");
        const QString a = "/f/A.mdb", b = "/f/B.mdb", c = "/f/C.mdb", d = "/f/D.mdb",
                      e = "/f/E.mdb", f = "/f/F.mdb";
        QTest::newRow("three and a new one")
            << QStringList{a, b, c, {}, {}, {}} << d << QStringList{d, a, b, c, {}, {}};
        QTest::newRow("all six and a new one") << QStringList{a, b, c, d, e, f} << "/f/G.mdb"
                                               << QStringList{"/f/G.mdb", a, b, c, d, e};
        QTest::newRow("listed again stays put")
            << QStringList{a, b, c, {}, {}, {}} << b << QStringList{a, b, c, {}, {}, {}};
        QTest::newRow("entries below a gap are untouched")
            << QStringList{a, {}, c, {}, {}, {}} << d << QStringList{d, a, c, {}, {}, {}};
        QTest::newRow("sixth is not compared")
            << QStringList{a, b, c, d, e, f} << f << QStringList{f, a, b, c, d, e};
        QTest::newRow("exact text") << QStringList{a, {}, {}, {}, {}, {}} << "/f/a.mdb"
                                    << QStringList{"/f/a.mdb", a, {}, {}, {}, {}};
    }
    void theRecentListShiftsDownToTheFirstEmptyEntry() {
        QFETCH(QStringList, before);
        QFETCH(QString, path);
        QFETCH(QStringList, after);
        setRecentList(before);
        mainLists().List2 = {"loaded at start-up"};
        UpdateMostRecentDatabases(path);
        QCOMPARE(recentList(), after);
        QCOMPARE(mainLists().List2, QStringList{"loaded at start-up"});
    }

    void compactionShrinksTheFileInPlace() {
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        QFile::setPermissions(other, QFile::ReadOwner | QFile::WriteOwner);
        const QFile::Permissions permissions = QFile::permissions(other);
        const QString before = Fixtures::contents(other);
        const qint64 sizeBefore = QFileInfo(other).size();
        const ino_t inode = inodeOf(other);
        Fixtures::writeFile(junkPath(), "left over from a crash");
        Fixtures::writeFile(ProgramFolder::filePath("Backup.MDB"), "old");
        dialogs.answerFile(other);

        CompactDatabase();

        QCOMPARE(dialogs.shown().first().file.initialName, m_own); // the calling window's file
        QCOMPARE(dialogs.messages(), QStringList{other + " has been successfully compacted"});
        QCOMPARE(Fixtures::contents(other), before);
        QVERIFY(QFileInfo(other).size() < sizeBefore);
        QCOMPARE(QFile::permissions(other), permissions);
        QCOMPARE(inodeOf(other), inode); // the same file, compacted in place
        QVERIFY(!QFileInfo::exists(junkPath()));
        QVERIFY(!QFileInfo::exists(ProgramFolder::filePath("Backup.MDB")));
        QCOMPARE(gstrDatabasePath, m_own);
    }

    // The file of the window the command runs from gets the message that sends the user to
    // another file's Display window; a file open in other windows names them.
    void compactionRefusesEveryFileInUse_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("message");
        const QString close = " first, then compact the file.";
        QTest::newRow("the calling window's own file") << "own" << NotBeingUsed;
        QTest::newRow("the own file under another spelling") << "spelling" << NotBeingUsed;
        QTest::newRow("the own file by a hard link") << "hard link" << NotBeingUsed;
        QTest::newRow("the file of another window")
            << "window"
            << " is open in Display form 2. Close that window" + close;
        QTest::newRow("the file of another window by a hard link")
            << "window hard link"
            << " is open in Display form 2. Close that window" + close;
        QTest::newRow("the file of two other windows")
            << "windows"
            << " is open in Display form 2 and Data entry form 2. Close those windows" + close;
        QTest::newRow("a file with an open connection")
            << "connection"
            << " is open in another Vellagon window. Close it" + close;
    }
    void compactionRefusesEveryFileInUse() {
        QFETCH(QString, how);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        QString chosen = m_own;
        Database holder;
        if (how == QLatin1String("spelling")) {
            chosen = m_folder + "/link.mdb";
            QVERIFY(QFile::link(m_own, chosen));
        } else if (how == QLatin1String("hard link")) {
            chosen = Fixtures::hardLink(m_own, m_folder + "/hard.mdb");
        } else if (how.startsWith(QLatin1String("window"))) {
            gstrDatabasePath = other;
            NewDisplayForm();
            if (how == QLatin1String("windows"))
                NewDataEntryForm();
            childWindow(ChildWindow::Kind::Display, "1")->runPrologue();
            chosen = m_folder + "/./sub/../other.mdb";
            QDir().mkpath(m_folder + "/sub");
            if (how == QLatin1String("window hard link"))
                chosen = Fixtures::hardLink(other, m_folder + "/hard.mdb");
        } else if (how == QLatin1String("connection")) {
            holder = Database::open(other);
            chosen = other;
        }
        const QByteArray bytes = Fixtures::readFile(chosen);
        dialogs.answerFile(chosen);
        CompactDatabase();
        QCOMPARE(dialogs.messages(),
                 QStringList{message.startsWith(' ') ? chosen + message : message});
        QCOMPARE(Fixtures::readFile(chosen), bytes);
    }

    void compactionCancelAndErrors() {
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        const QByteArray bytes = Fixtures::readFile(other);
        dialogs.cancelFile();
        CompactDatabase();
        QCOMPARE(dialogs.lastMessage(), "Compact Vellagon File function aborted by user.");

        // The work file itself is not compacted (that would delete it first).
        Fixtures::newDatabase(junkPath());
        dialogs.answerFile(junkPath());
        CompactDatabase();
        QVERIFY(dialogs.lastMessage().startsWith("Error in compacting data: "));
        QVERIFY(QFileInfo::exists(junkPath()));
        QCOMPARE(Fixtures::readFile(other), bytes);
    }

    void aLeftoverThatMayBeTheOnlyCopyIsKept_data() {
        QTest::addColumn<QByteArray>("original"); // empty: missing
        QTest::newRow("original missing") << QByteArray();
        QTest::newRow("original no database") << QByteArray("half a file");
    }
    void aLeftoverThatMayBeTheOnlyCopyIsKept() {
        QFETCH(QByteArray, original);
        ScriptedDialogs dialogs;
        const QString chosen = m_folder + "/lost.mdb";
        if (!original.isEmpty())
            Fixtures::writeFile(chosen, original);
        Fixtures::practiceFile(junkPath());
        const QString kept = Fixtures::contents(junkPath());
        dialogs.answerFile(chosen);
        CompactDatabase();
        QVERIFY(dialogs.lastMessage().startsWith("Error in compacting data: "));
        QVERIFY(dialogs.lastMessage().contains(junkPath()));
        QCOMPARE(Fixtures::contents(junkPath()), kept);
    }

    void compactionKeepsTheWritesOfAnotherProgramWithTheFileOpen() {
        // What another program that has the file open writes after the compaction goes into
        // the compacted file, not into one renamed away.
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        OtherProgram program(other);
        program.exec("INSERT INTO Projects (Projects) VALUES ('BEFORE')");
        dialogs.answerFile(other);
        CompactDatabase();
        QCOMPARE(dialogs.lastMessage(), other + " has been successfully compacted");
        QVERIFY(program.exec("INSERT INTO Projects (Projects) VALUES ('AFTER')"));
        QCOMPARE(Fixtures::sqlite3Tool(other, "SELECT count(*) FROM Projects WHERE Projects IN "
                                              "('BEFORE', 'AFTER')"),
                 "2");
    }

    // Each command's dialog starts in the folder of the file of the window it runs from, and
    // waits for the user under the normal pointer.
    void theFileDialogsStartBesideTheWindowsFile() {
        ScriptedDialogs dialogs;
        for (const auto command : {CompactDatabase, NewDatabaseFile, OpenDatabaseFile}) {
            dialogs.cancelFile();
            command();
        }
        QStringList seen;
        for (const ScriptedDialogs::Shown& shown : dialogs.shown())
            if (shown.kind == ScriptedDialogs::Shown::File)
                seen << QStringList{shown.file.title,
                                    shown.file.folder,
                                    shown.file.initialName,
                                    shown.file.filter,
                                    QString::number(shown.file.filterIndex),
                                    shown.file.defaultExt,
                                    QString::number(shown.file.flags),
                                    shown.busyPointer ? "busy" : "arrow"}
                            .join('|');
        const QString rest = "|Log files *.mdb|*.mdb|All files *.*|*.*|1|.mdb|8206|arrow";
        QCOMPARE(seen,
                 (QStringList{"Selecting Vellagon Database File to be compacted|" + m_folder + '|' +
                                  m_own + rest,
                              "Opening New Vellagon Database File|" + m_folder + "|*.MDB" + rest,
                              "Opening Vellagon Database File|" + m_folder + "|*.MDB" + rest}));
    }

    void newFileCreatesAndShowsIt() {
        ScriptedDialogs dialogs;
        mainLists().List1[MainLists::Clients].addItem("Kept, Ann");
        const QString fresh = m_folder + "/fresh.mdb";
        dialogs.answerFile(fresh);
        NewDatabaseFile();
        QCOMPARE(dialogs.messages(),
                 QStringList{"Your new database, " + fresh + ", has successfully been created."});
        QVERIFY(Database::open(fresh).hasTable("Invoices"));
        auto* display = static_cast<RecordingDisplay*>(currentDisplayWindow());
        QCOMPARE(display->path(), fresh);
        QCOMPARE(display->bound,
                 QStringList({"Provider=Microsoft.Jet.OLEDB.4.0;Persist Security "
                              "Info=False;Data Source=" +
                                  fresh,
                              "Select * from Vellagons order by [Beginning Time]"}));
        QCOMPARE(recentList().first(), fresh);
        QCOMPARE(gstrDatabasePath, m_own);
        // The lookup lists still hold the previous file's entries.
        QCOMPARE(mainLists().List1[MainLists::Clients].items(), QStringList{"Kept, Ann"});
    }

    void newFileRefusals_data() {
        QTest::addColumn<QString>("answer"); // "" cancels
        QTest::addColumn<QString>("message");
        QTest::newRow("own file") << "own"
                                  << "This file is already open";
        QTest::newRow("own file by a hard link") << "hard link"
                                                 << "This file is already open";
        QTest::newRow("existing other file")
            << "other"
            << "Could not open new file.  Error in New File function: The file";
        QTest::newRow("cancel") << QString()
                                << "Could not open new file.  Error in New File "
                                   "function: Cancel was selected.";
    }
    void newFileRefusals() {
        QFETCH(QString, answer);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        const QByteArray ownBytes = Fixtures::readFile(m_own);
        const QByteArray otherBytes = Fixtures::readFile(other);
        if (answer == QLatin1String("own"))
            dialogs.answerFile(m_own);
        else if (answer == QLatin1String("hard link"))
            dialogs.answerFile(Fixtures::hardLink(m_own, m_folder + "/hard.mdb"));
        else if (answer == QLatin1String("other"))
            dialogs.answerFile(other);
        else
            dialogs.cancelFile();
        NewDatabaseFile();
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.lastMessage().startsWith(message), qPrintable(dialogs.lastMessage()));
        QCOMPARE(gstrDatabasePath, m_own);
        QCOMPARE(displayCount(), 1);
        QCOMPARE(Fixtures::readFile(m_own), ownBytes);
        QCOMPARE(Fixtures::readFile(other), otherBytes);
        QCOMPARE(recentList().first(), QString());
    }

    void openFileOpensAValidFile() {
        ScriptedDialogs dialogs;
        const QString other = Fixtures::practiceFile(m_folder + "/other.mdb");
        dialogs.answerFile(other);
        OpenDatabaseFile();
        QCOMPARE(dialogs.messages(), QStringList{other + " has successfully been opened"});
        QCOMPARE(displayCount(), 2);
        QCOMPARE(currentDisplayWindow()->path(), other);
        QCOMPARE(mainLists().List1[MainLists::Clients].items(),
                 QStringList({"Abbot, Ben", "Zeller, Ann"}));
        QCOMPARE(recentList().first(), other);
        QCOMPARE(gstrDatabasePath, m_own);

        // The calling window's own file opens again in another window.
        dialogs.answerFile(m_own);
        OpenDatabaseFile();
        QCOMPARE(dialogs.lastMessage(), m_own + " has successfully been opened");
        QCOMPARE(displayCount(), 3);
    }

    void openFileFailuresOpenAndRecordNothing_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("cancel") << "cancel";
        QTest::newRow("not a database") << "text";
        QTest::newRow("replacement declined") << "declined";
        QTest::newRow("fails while the lists load") << "unreadable";
    }
    void openFileFailuresOpenAndRecordNothing() {
        QFETCH(QString, kind);
        ScriptedDialogs dialogs;
        const QString chosen = m_folder + "/chosen.mdb";
        if (kind == QLatin1String("cancel")) {
            dialogs.cancelFile();
        } else {
            if (kind == QLatin1String("text")) {
                Fixtures::writeFile(chosen, "Meeting notes");
            } else {
                Fixtures::practiceFile(chosen);
                Fixtures::execRaw(
                    chosen, kind == QLatin1String("declined")
                                ? QStringList{"DROP TABLE Invoices"}
                                : QStringList{"DROP TABLE Projects", "CREATE TABLE Projects (x)"});
            }
            dialogs.answerFile(chosen);
            dialogs.answer(Dialogs::vbNo);
        }
        mainLists().List1[MainLists::Clients].addItem("Kept, Ann");
        OpenDatabaseFile();
        // After the command's own words, the real reason, where there is more to say.
        const QString reason = dialogs.lastMessage().mid(NotValidFile.size());
        QVERIFY(dialogs.lastMessage().startsWith(NotValidFile));
        if (kind == QLatin1String("text"))
            QCOMPARE(reason, "\n\nThe file \"" + chosen + "\" is not a Vellagon database file.");
        else if (kind == QLatin1String("unreadable"))
            QCOMPARE(reason, "\n\nno such column: Projects");
        else
            QCOMPARE(reason, QString());
        QCOMPARE(gstrDatabasePath, m_own);
        QCOMPARE(displayCount(), 1);
        QCOMPARE(recentList().first(), QString());
        if (kind != QLatin1String("unreadable"))
            QCOMPARE(mainLists().List1[MainLists::Clients].items(), QStringList{"Kept, Ann"});
    }

    void copyingADatabaseFile() {
        ScriptedDialogs dialogs;
        const QString missing = m_folder + "/missing.mdb";
        const QString copy = m_folder + "/copy.mdb";
        QVERIFY(!CopyDatabaseFile(missing, copy));
        QCOMPARE(dialogs.messages(), QStringList{'"' + missing + "\" is not valid file name."});
        QVERIFY(!QFileInfo::exists(copy));

        // An open file is copied as it stands, and an existing destination is replaced.
        const QString source = Fixtures::practiceFile(m_folder + "/source.mdb");
        const Database open = Database::open(source);
        open.exec("INSERT INTO Employees ([Employee Last Name]) VALUES ('New')");
        Fixtures::writeFile(copy, "an older file");
        QVERIFY(CopyDatabaseFile(source, copy));
        QCOMPARE(Fixtures::contents(copy), Fixtures::contents(source));
        QCOMPARE(dialogs.messages().size(), 1);

        // A database file that another program has open is overwritten under the engine's
        // locks: that program's next write lands in the copy, not in a file renamed away.
        OtherProgram program(copy);
        QVERIFY(program.exec("SELECT count(*) FROM Vellagons"));
        QVERIFY(CopyDatabaseFile(m_own, copy));
        QVERIFY(program.exec("INSERT INTO Projects (Projects) VALUES ('LATER')"));
        QCOMPARE(Fixtures::sqlite3Tool(copy, "SELECT count(*) FROM Vellagons"), "0");
        QCOMPARE(Fixtures::sqlite3Tool(copy, "SELECT count(*) FROM Projects WHERE Projects = "
                                             "'LATER'"),
                 "1");
    }

    void aFailedCopyIsReportedAndChangesNothing() {
        ScriptedDialogs dialogs;
        const QString source = Fixtures::practiceFile(m_folder + "/source.mdb");
        const QString copy = Fixtures::writeFile(m_folder + "/copy.mdb", "older");
        FileOps::setRenameFault([](const QString&, const QString&) { return EROFS; });
        QVERIFY_THROWS_EXCEPTION(AppError, CopyDatabaseFile(source, copy));
        FileOps::setRenameFault(nullptr);
        QCOMPARE(Fixtures::readFile(copy), QByteArray("older"));
        QCOMPARE(QDir(m_folder).entryList(QDir::Files | QDir::Hidden),
                 QStringList({"copy.mdb", "own.mdb", "source.mdb"}));

        QVERIFY_THROWS_EXCEPTION(AppError, CopyDatabaseFile(source, m_folder + "/none/copy.mdb"));
        const QByteArray bytes = Fixtures::readFile(source);
        QVERIFY_THROWS_EXCEPTION(AppError, CopyDatabaseFile(source, source));
        QCOMPARE(Fixtures::readFile(source), bytes);
        // A file the program has open is not replaced under its windows.
        QVERIFY_THROWS_EXCEPTION(AppError, CopyDatabaseFile(source, m_own));
        QVERIFY(dialogs.messages().isEmpty());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestFileCommands)
#include "test_file_commands.moc"

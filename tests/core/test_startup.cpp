#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/ProgramFolder.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/Forms.h"
#include "core/windows/frmMain.h"
#include "platform/data/Dialogs.h"
#include "platform/data/FileOps.h"
#include "platform/data/Settings.h"

#include <QFileInfo>
#include <QPointer>

namespace {

QStringList steps;

// Records the order in which windows receive their close.
class CloseRecorder : public QObject {
public:
    QStringList closed;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close)
            closed << static_cast<QWidget*>(watched)->windowTitle();
        return false;
    }
};

// Notes that the window it watches has been drawn.
class DrawnRecorder : public QObject {
public:
    bool drawn = false;
    bool eventFilter(QObject*, QEvent* event) override {
        drawn = drawn || event->type() == QEvent::Paint;
        return false;
    }
};
DrawnRecorder mainDrawn;

QString over() {
    return mainDrawn.drawn ? QStringLiteral("over the drawn main window") : QStringLiteral("alone");
}

QStringList captions(const QList<ChildWindow*>& windows) {
    QStringList result;
    for (ChildWindow* w : windows)
        result << w->Caption();
    return result;
}

void setting(const char* section, const char* key, const QString& value) {
    Settings::setValue(QString::fromLatin1(section), QString::fromLatin1(key), value);
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    QPointer<frmMain> m_main;

    frmMain* start() {
        m_main = new frmMain;
        m_main->setAttribute(Qt::WA_DeleteOnClose);
        mainDrawn.drawn = false;
        m_main->installEventFilter(&mainDrawn);
        m_main->MDIForm_Load();
        m_main->show();
        return m_main;
    }

    void closeMain() {
        if (m_main)
            m_main->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        startupDialogs() = StartupDialogs();
        steps.clear();
    }
    void cleanup() { closeMain(); }

    void aFreshStartCreatesTheDefaultFileAndTwoWindows() {
        ScriptedDialogs dialogs;
        frmMain* main = start();
        QCOMPARE(gstrDatabasePath, ProgramFolder::defaultDatabasePath());
        QVERIFY(QFileInfo::exists(gstrDatabasePath));
        QCOMPARE(captions(openChildWindows()),
                 QStringList({"Display form 1", "Data entry form 1"}));
        QCOMPARE(activeChildWindow()->Caption(), "Data entry form 1");
        for (ChildWindow* w : openChildWindows()) {
            QCOMPARE(w->path(), gstrDatabasePath);
            QCOMPARE(w->sqlWhereCaption(), "Select * From Vellagons ORDER BY [Beginning Time]");
        }
        QCOMPARE(mainLists().List1[MainLists::Rates].listCount(), 15);
        QVERIFY(dialogs.shown().isEmpty());
        // Nothing stored: the main window covers the screen's free area, title bar and borders
        // included, so that the user can take it by its title bar.
        QCOMPARE(main->frameGeometry(), main->screen()->availableGeometry());
    }

    void storedSettingsAreRead() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/full.mdb");
        Fixtures::execRaw(path, {"INSERT INTO Employees VALUES ('Jo', 'Smith')",
                                 "INSERT INTO [Active Clients] ([Client First Name], [Client Last "
                                 "Name]) VALUES ('Al', 'Adams')"});
        setting("DefaultLogFile", "Default Log File", path);
        setting("MostRecentDatabases", "First", "/a.mdb");
        setting("MostRecentDatabases", "Second", QString());
        setting("MostRecentDatabases", "Third", "/b.mdb");
        setting("FormPosition", "frmMain", "junk, 1, 2");
        startupDialogs().introduction = [] {
            steps << "introduction";
        };
        ScriptedDialogs dialogs;
        start();
        QCOMPARE(gstrDatabasePath, path);
        QCOMPARE(mainLists().List2, QStringList({"/a.mdb", "/b.mdb"}));
        // Clients and employees exist: no introduction; a malformed position is no error.
        QVERIFY(steps.isEmpty());
        QVERIFY(dialogs.shown().isEmpty());
        QCOMPARE(openChildWindows().size(), 2);
    }

    void dueDialogsRunInOrderBeforeTheWindows() {
        // The dialogs stand over the main window, drawn before them.
        startupDialogs().tipOfTheDay = [] {
            steps << QStringLiteral("tip %1 ").arg(openChildWindows().size()) + over();
        };
        startupDialogs().introduction = [] {
            steps << "introduction " + over();
            gstrEmployee = "YES";
        };
        startupDialogs().clientsList = [] {
            steps << "clients";
        };
        startupDialogs().employeesList = [] {
            steps << QStringLiteral("employees %1").arg(openChildWindows().size());
        };
        start();
        QCOMPARE(steps, QStringList({"tip 0 over the drawn main window",
                                     "introduction over the drawn main window", "employees 0"}));
        QCOMPARE(openChildWindows().size(), 2);
    }

    void tipFlag_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("1 skips") << "1" << false;
        QTest::newRow("0 shows") << "0" << true;
        QTest::newRow("junk counts as the default") << "often" << true;
    }
    void tipFlag() {
        QFETCH(QString, stored);
        QFETCH(bool, shown);
        setting("Preferences", "Show Tips at Startup", stored);
        startupDialogs().tipOfTheDay = [] {
            steps << "tip";
        };
        start();
        QCOMPARE(steps.contains("tip"), shown);
        QCOMPARE(openChildWindows().size(), 2);
    }

    void aBadDatabasePathKeepsTheProgramUsable_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // what the message says after its own words
        const QString folder = TestSupport::newFolder();
        QTest::newRow("folder") << folder
                                << '"' + folder + "\" is a folder, not a Vellagon database file.";
        const QString text = Fixtures::writeFile(TestSupport::newFolder() + "/x.mdb", "text");
        QTest::newRow("text file")
            << text << "The file \"" + text + "\" is not a Vellagon database file.";
        const QString gone = TestSupport::newFolder() + "/gone";
        QTest::newRow("folder gone")
            << gone + "/Practice.mdb"
            << "The folder \"" + gone + "\" does not exist, so the file \"" + gone +
                   "/Practice.mdb\" cannot be created there.";
    }
    void aBadDatabasePathKeepsTheProgramUsable() {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        ScriptedDialogs dialogs;
        setting("DefaultLogFile", "Default Log File", path);
        frmMain* main = start();
        QCOMPARE(dialogs.messages(), QStringList{"Error in main form: " + reason});
        QVERIFY(openChildWindows().isEmpty());
        main->mnuMDisplay_Click();
        main->mnuMEnter_Click();
        QCOMPARE(captions(openChildWindows()),
                 QStringList({"Display form 1", "Data entry form 1"}));
    }

    // A file that is not quite the program's (another program's, or one that lacks a table) is
    // checked as Open File checks it: the same question and messages. No leaves it as it was and
    // opens no window; Yes opens the default file in its place and keeps it aside.
    void aFileThatIsNotQuiteOursIsCheckedAsOpenFileChecksIt_data() {
        QTest::addColumn<QString>("statement"); // made by it
        QTest::addColumn<int>("answer");
        for (const int answer : {int(Dialogs::vbNo), int(Dialogs::vbYes)}) {
            const QByteArray said = answer == Dialogs::vbNo ? " No" : " Yes";
            QTest::newRow("another program's file" + said)
                << "CREATE TABLE photos (name TEXT)" << answer;
            QTest::newRow("a file without Invoices" + said) << "DROP TABLE Invoices" << answer;
        }
    }
    void aFileThatIsNotQuiteOursIsCheckedAsOpenFileChecksIt() {
        QFETCH(QString, statement);
        QFETCH(int, answer);
        const QString folder = TestSupport::newFolder();
        const QString path = folder + "/practice.mdb";
        if (statement.startsWith("DROP"))
            Fixtures::newDatabase(path);
        Fixtures::execRaw(path, {statement});
        const QByteArray bytes = Fixtures::readFile(path);
        setting("DefaultLogFile", "Default Log File", path);
        ScriptedDialogs dialogs;
        dialogs.answer(answer);
        start();
        QStringList messages{"Selected file is not a valid Vellagon file.  Do you want to "
                             "overwrite it with a valid Vellagon.MDB file?"};
        if (answer == Dialogs::vbNo) {
            messages << "The operation was cancelled by the user.  Your file was left exactly as "
                        "it was; no bytes were harmed."
                     << "Error in main form: The selected file is not a valid Vellagon file.  "
                        "Please try again.";
            QCOMPARE(dialogs.messages(), messages);
            QCOMPARE(Fixtures::readFile(path), bytes);
            QVERIFY(openChildWindows().isEmpty());
            return;
        }
        const QString aside = folder + "/practice (not a valid Vellagon file).mdb";
        messages << "Your file \"" + path + "\" was not deleted: it is kept beside it as \"" +
                        aside + "\".";
        QCOMPARE(dialogs.messages(), messages);
        QCOMPARE(Fixtures::readFile(aside), bytes);
        QCOMPARE(gstrDatabasePath, ProgramFolder::defaultDatabasePath());
        QCOMPARE(captions(openChildWindows()),
                 QStringList({"Display form 1", "Data entry form 1"}));
        for (ChildWindow* w : openChildWindows())
            QCOMPARE(w->path(), gstrDatabasePath);
    }

    // What transfers killed halfway left goes at start-up, in the program's folder and beside
    // the file it opens: work files and journals that no process holds, and nothing else.
    void leftoversOfKilledTransfersGoAtStartUp() {
        const QString folder = TestSupport::newFolder();
        const QString path = Fixtures::newDatabase(folder + "/practice.mdb");
        setting("DefaultLogFile", "Default Log File", path);
        const FileOps::WorkFile live(folder + "/other.mdb"); // a transfer at work
        const QStringList notOurs{".practice.mdb.tmp-0123ABCD", "practice.mdb.tmp-0123abcd",
                                  ".practice.mdb.tmp-0123abc", ".practice.mdb.tmp-0123abcd.bak",
                                  ".tmp-0123abcd"};
        for (const QString& name : notOurs)
            Fixtures::writeFile(folder + '/' + name, "someone's");
        for (const QString& where : {folder, ProgramFolder::path()}) {
            Fixtures::writeFile(where + "/.practice.mdb.tmp-0123abcd", "half a file");
            Fixtures::writeFile(where + "/.practice.mdb.tmp-0123abcd-journal", "its journal");
            Fixtures::writeFile(where + "/.gone.mdb.tmp-deadbeef-journal", "a journal alone");
        }
        QCOMPARE(Fixtures::workFiles(folder).size(), 4);

        start();

        QCOMPARE(Fixtures::workFiles(folder), QStringList{QFileInfo(live.path()).fileName()});
        QCOMPARE(Fixtures::workFiles(ProgramFolder::path()), QStringList());
        for (const QString& name : notOurs)
            QCOMPARE(Fixtures::readFile(folder + '/' + name), QByteArray("someone's"));
        QCOMPARE(openChildWindows().size(), 2);
    }

    void closingSavesPlaceAndFileAndClosesNewestFirst() {
        frmMain* main = start();
        main->mnuMDisplay_Click();
        main->setGeometry(100, 80, 600, 500);
        CloseRecorder recorder;
        for (QWidget* form : Forms::list())
            form->installEventFilter(&recorder);
        const QString file = gstrDatabasePath;
        closeMain();
        // The main window's close request comes first; its unload then closes the others newest
        // first.
        QCOMPARE(recorder.closed, QStringList({"Vellagon", "Display form 2", "Data entry form 1",
                                               "Display form 1"}));

        // The next start comes back at the same place on the same file.
        resetSharedState();
        resetChildWindows();
        frmMain* again = start();
        QCOMPARE(again->geometry(), QRect(100, 80, 600, 500));
        QCOMPARE(gstrDatabasePath, file);
    }

    void exitFromAChildWindowSweepsEverything() {
        start();
        QPointer<frmMain> main = m_main;
        CloseRecorder recorder;
        for (QWidget* form : Forms::list())
            form->installEventFilter(&recorder);
        ExitProgram();
        QCOMPARE(recorder.closed, QStringList({"Data entry form 1", "Display form 1", "Vellagon"}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!main);
        QCOMPARE(Forms::count(), 0);
        QVERIFY(!Settings::value("FormPosition", "frmMain").isEmpty());
    }

    void anEmptyPathIsNeverStored() {
        const QString path = Fixtures::newDatabase(TestSupport::newFolder() + "/mine.mdb");
        setting("DefaultLogFile", "Default Log File", path);
        start();
        gstrDatabasePath.clear();
        closeMain();
        QCOMPARE(StartupSettings::databasePath(), path);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestStartup)
#include "test_startup.moc"

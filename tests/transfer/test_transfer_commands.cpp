#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TransferTest.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/AppError.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "platform/widgets/SortedItems.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>

// What the five transfer commands share: their dialogs, Cancel, the files they refuse, and the
// shared state that every ending gives back.
namespace {

enum Command { SaveAs, ExportLogs, ImportLogs, ExportClients, ImportClients };

QAction* itemOf(frmDisplay* display, int command) {
    switch (command) {
    case SaveAs:
        return display->mnuSaveFileAs;
    case ExportLogs:
        return display->mnuExportVellagons;
    case ImportLogs:
        return display->mnuImportVellagons;
    case ExportClients:
        return display->mnuExportActiveClients;
    default:
        return display->mnuImportDatabase;
    }
}

QString errorPrefix(int command) {
    switch (command) {
    case SaveAs:
        return "Error in Save File As function: ";
    case ImportClients:
        return "Error in Import Active Clients data function: ";
    default:
        return "Error in import Vellagons function: ";
    }
}

const QString CouldNotOpen =
    "Could not open source Vellagon database.  Please try again.  Error description: ";

} // namespace

class TestTransferCommands : public TransferTest::Fixture {
    Q_OBJECT

    frmDisplay* m_display = nullptr;
    QByteArray m_ownBytes;

    QStringList files() const {
        return QDir(m_folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                        QDir::Name);
    }

    // The window stands where it stood, on its own file, the shared state given back.
    void verifyUnchanged(const QStringList& filesBefore) {
        QCOMPARE(files(), filesBefore);
        QCOMPARE(Fixtures::readFile(m_own), m_ownBytes);
        QCOMPARE(gstrDatabasePath, m_own);
        QCOMPARE(gstrRecordSource, "kept");
        QVERIFY(!gvarBookmark.isValid());
        QCOMPARE(m_display->Text1->text(), "Baker, Bo");
        QCOMPARE(openChildWindows().size(), 1);
        QVERIFY(!QGuiApplication::overrideCursor());
    }

private Q_SLOTS:
    void initTestCase() { TransferTest::registerCommands(); }
    void init() {
        start();
        TransferTest::addLog(
            m_own, {"Abel, Ann", {}, {}, {}, {}, {}, {}, "2025-01-01 09:00:00", {}, {}, {}});
        TransferTest::addLog(
            m_own, {"Baker, Bo", {}, {}, {}, {}, {}, {}, "2025-01-02 09:00:00", {}, {}, {}});
        TransferTest::addClient(m_own, "Abel", "Ann");
        m_display = TransferTest::startDisplay(m_own);
        m_ownBytes = Fixtures::readFile(m_own);
        gstrRecordSource = "kept";
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void theFileMenuHoldsTheTransfersInItsOrder() {
        QStringList items;
        for (QAction* item : m_display->mnuFile->actions())
            if (!item->isSeparator() && item->isEnabled())
                items << item->text();
        QCOMPARE(items.mid(0, 8),
                 QStringList({"&Save File As ...", "&Open File", "&New File", "&Import Vellagons",
                              "&Export Vellagons", "Import &Active Clients Information",
                              "E&xport Active Clients Information", "&Compact Data"}));
    }

    void cancelInTheDialogChangesNothing_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("message");
        const QString both = "Log files *.mdb|*.mdb|All files *.*|*.*";
        QTest::newRow("save as") << int(SaveAs) << "Choosing new name for Vellagon Database File"
                                 << "Log files *.mdb|*.mdb"
                                 << "Error in Save File As function: Cancel was selected.";
        QTest::newRow("export logs")
            << int(ExportLogs) << "Selecting name for database file to contain exported Vellagons."
            << both << "Export Vellagons function aborted by user.";
        QTest::newRow("import logs") << int(ImportLogs)
                                     << "Selecting Vellagon Database File containing source of "
                                        "Vellagon records to be imported."
                                     << both << "Merge Vellagon Files function aborted by user.";
        QTest::newRow("export clients") << int(ExportClients)
                                        << "Selecting name for database file to contain "
                                           "exported Active Clients information."
                                        << both << "Export Vellagons function aborted by user.";
        QTest::newRow("import clients")
            << int(ImportClients)
            << "Selecting Vellagon Database File containing source of Active Client records to "
               "be imported."
            << both << "Import Active Clients data function aborted by user.";
    }
    void cancelInTheDialogChangesNothing() {
        QFETCH(int, command);
        QFETCH(QString, title);
        QFETCH(QString, filter);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const QStringList before = files();
        itemOf(m_display, command)->trigger();
        const Dialogs::FileRequest& request = dialogs.shown().first().file;
        QCOMPARE(request.title, title);
        QCOMPARE(request.filter, filter);
        QCOMPARE(request.flags, 0x200E);
        QCOMPARE(request.defaultExt, ".mdb");
        QCOMPARE(request.initialName, "*.MDB");
        QCOMPARE(request.filterIndex, 1);
        QVERIFY(request.cancelError);
        QCOMPARE(request.folder, m_folder); // where the window's file lies
        QVERIFY(!dialogs.shown().first().busyPointer);
        // Only the abort message: the menus add nothing after a command that did not complete.
        QCOMPARE(dialogs.messages(), QStringList{message});
        verifyUnchanged(before);
    }

    // A file is known by what it is, not by its name: a hard or a symbolic link to it is the
    // file itself.
    void theWindowsOwnFileAndFilesOpenElsewhereAreRefused_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("own");
        QTest::addColumn<QString>("name");
        for (int command : {SaveAs, ExportLogs, ImportLogs, ImportClients})
            for (const QString name : {"its own", "a hard link", "a symbolic link"}) {
                const QByteArray row = QByteArray::number(command) + " by " + name.toLatin1();
                QTest::newRow(row + ", own file") << command << true << name;
                QTest::newRow(row + ", open elsewhere") << command << false << name;
            }
    }
    void theWindowsOwnFileAndFilesOpenElsewhereAreRefused() {
        QFETCH(int, command);
        QFETCH(bool, own);
        QFETCH(QString, name);
        ScriptedDialogs dialogs;
        const QString other = Fixtures::newDatabase(m_folder + "/other.mdb");
        TransferTest::addLog(other, {"Other, Oz", {}, {}, {}, {}, {}, {}, {}, {}, {}, {}});
        const QByteArray otherBytes = Fixtures::readFile(other);
        if (!own) {
            // A second Display window on the other file, then back to the first.
            gstrDatabasePath = other;
            NewDisplayForm();
            m_display->runPrologue();
        }
        QString chosen = own ? m_own : other;
        const QString link = m_folder + "/link.mdb";
        if (name == "a hard link")
            chosen = Fixtures::hardLink(chosen, link);
        else if (name == "a symbolic link" && QFile::link(chosen, link))
            chosen = link;
        const QStringList before = files();
        dialogs.answerFile(chosen);
        itemOf(m_display, command)->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{errorPrefix(command) + '"' + chosen +
                             (own ? "\" is the file of this Display window.  Choose another file."
                                  : "\" is open in another Vellagon window.  Close that window, "
                                    "or choose another file.")});
        QCOMPARE(Fixtures::readFile(other), otherBytes);
        QCOMPARE(files(), before);
        QCOMPARE(Fixtures::readFile(m_own), m_ownBytes);
        QCOMPARE(gstrDatabasePath, m_own);
    }

    void filesThatAreNoPracticeFilesAreRefusedUntouched_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason"); // "": the words that opening the file gives
        const QString folder = TestSupport::newFolder();
        const QString good = Fixtures::practiceFile(folder + "/good.mdb", 50);
        const QString foreign = folder + "/photos.db";
        Fixtures::execRaw(foreign, {"CREATE TABLE photos (name TEXT)"});
        const QStringList bad{Fixtures::writeFile(folder + "/notes.mdb", "Dear client,\n"),
                              Fixtures::writeFile(folder + "/empty.mdb", {}),
                              Fixtures::truncatedCopy(good, folder + "/cut.mdb", 20000),
                              Fixtures::corruptedCopy(good, folder + "/bad.mdb"),
                              folder,
                              folder + "/missing.mdb"};
        for (int command : {ImportLogs, ImportClients, ExportClients}) {
            const QByteArray name = QByteArray::number(command) + " ";
            QTest::newRow(name + "another program's file")
                << command << foreign
                << "The file \"" + foreign +
                       "\" is not a valid Vellagon file: it has no table \"Active Clients\".";
            for (const QString& path : bad)
                // A missing target is one to make, not to refuse.
                if (command != ExportClients || !path.endsWith("missing.mdb"))
                    QTest::newRow(name + QFileInfo(path).fileName().toLatin1())
                        << command << path << QString();
        }
    }
    void filesThatAreNoPracticeFilesAreRefusedUntouched() {
        QFETCH(int, command);
        QFETCH(QString, path);
        QFETCH(QString, reason);
        if (reason.isEmpty()) {
            try {
                Database::open(path);
                QFAIL("the file opened");
            } catch (const AppError& e) {
                reason = e.description();
            }
        }
        ScriptedDialogs dialogs;
        const QByteArray before = Fixtures::readFile(path);
        dialogs.answerFile(path);
        itemOf(m_display, command)->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{(command == ImportClients ? "Please try again.  Error description: "
                                                       : CouldNotOpen) +
                             reason});
        QCOMPARE(Fixtures::readFile(path), before);
        QCOMPARE(QFileInfo::exists(path + "-journal"), false);
        QCOMPARE(Fixtures::readFile(m_own), m_ownBytes);
        QCOMPARE(gstrDatabasePath, m_own);
    }

    // Clients that an import adds or renames can be picked at once in every Data entry
    // window on the file; a window on another file, and what each box shows, stay.
    void importedClientsArePickedAtOnce() {
        ScriptedDialogs dialogs;
        const QString other = Fixtures::newDatabase(m_folder + "/other.mdb");
        gstrDatabasePath = m_own;
        NewDataEntryForm();
        NewDataEntryForm();
        gstrDatabasePath = other;
        NewDataEntryForm();
        const auto entry = [](const char* tag) {
            return static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, tag));
        };
        entry("1")->Combo1->setEditText("Abel, Ann");
        m_display->runPrologue();
        const QString source = Fixtures::newDatabase(m_folder + "/source.mdb");
        TransferTest::addClient(source, "ABEL", "Ann");
        TransferTest::addClient(source, "Carter", "Cy");
        dialogs.answerFile(source);

        m_display->mnuImportDatabase->trigger();

        QCOMPARE(dialogs.messages().last(),
                 "The selected database has successfully been imported.");
        const QStringList clients{"ABEL, Ann", "Carter, Cy"};
        QCOMPARE(mainLists().List1[MainLists::Clients].items(), clients);
        QCOMPARE(itemsOf(entry("1")->Combo1), clients);
        QCOMPARE(entry("1")->Combo1->currentText(), "Abel, Ann");
        QCOMPARE(itemsOf(entry("2")->Combo1), clients);
        QCOMPARE(entry("2")->Combo1->currentText(), QString());
        QCOMPARE(itemsOf(entry("3")->Combo1), QStringList());
        entry("2")->Combo1->setCurrentIndex(clients.indexOf("Carter, Cy"));
        QCOMPARE(entry("2")->Combo1->currentText(), "Carter, Cy");
    }

    void anEditTypedInTheWindowIsPartOfTheTransfer() {
        ScriptedDialogs dialogs;
        m_display->Text5->setText("typed just now");
        m_display->Text5->setModified(true);
        const QString exported = m_folder + "/exported.mdb";
        dialogs.answerFile(exported);
        m_display->mnuExportVellagons->trigger();
        QCOMPARE(TransferTest::rows(exported, "SELECT [Log Summary] FROM Vellagons WHERE Client = "
                                              "'Baker, Bo'"),
                 QList<QVariantList>{{"typed just now"}});
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestTransferCommands)
#include "test_transfer_commands.moc"

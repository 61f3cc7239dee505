#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "TransferTest.h"
#include "WindowTestSupport.h"
#include "core/logic/DatabaseSchema.h"
#include "core/logic/SharedState.h"
#include "platform/data/DataControl.h"
#include "platform/data/Database.h"
#include "timelog/windows/frmDisplay.h"

#include <QLineEdit>

using TransferTest::addClient;
using TransferTest::rows;

namespace {

const QString Clients = "SELECT * FROM [Active Clients] ORDER BY rowid";

// A file whose Active Clients table has neither key nor length limits, as another program
// might leave one.
QString looseClientsFile(const QString& path) {
    Fixtures::newDatabase(path);
    QStringList columns;
    for (const Schema::Field& field : Schema::table("Active Clients")->fields)
        columns << "[" + field.name + "] TEXT";
    Fixtures::execRaw(path, {"DROP TABLE [Active Clients]",
                             "CREATE TABLE [Active Clients] (" + columns.join(", ") + ")"});
    return path;
}

} // namespace

class TestClientTransfer : public TransferTest::Fixture {
    Q_OBJECT

    frmDisplay* m_display = nullptr;

private Q_SLOTS:
    void initTestCase() { TransferTest::registerCommands(); }
    void init() {
        start();
        addClient(m_own, "Abel", "Ann",
                  {{"Active Client City", "Springfield"},
                   {"Active Client Forum", ""},
                   {"Active Client Retainer Date", "2024-05-06 00:00:00"},
                   {"Active Client History", QString("Retained.\r\n").repeated(400)}});
        addClient(m_own, "O'Brien", "Pat", {{"Active Client Notes", "Prefers mail"}});
        TransferTest::addLog(
            m_own, {"Abel, Ann", {}, {}, {}, {}, {}, {}, "2025-01-01 09:00:00", {}, {}, {}});
        TransferTest::addLog(
            m_own, {"O'Brien, Pat", {}, {}, {}, {}, {}, {}, "2025-01-02 09:00:00", {}, {}, {}});
        m_display = TransferTest::startDisplay(m_own);
        m_display->Adodc1->MoveFirst();
    }
    void cleanup() {
        QVERIFY(!QGuiApplication::overrideCursor());
        // The window shows its logs again, on the log it showed.
        QCOMPARE(m_display->Text1->text(), "Abel, Ann");
        QCOMPARE(gstrDatabasePath, m_own);
        TestSupport::closeMainWindow(m_main);
    }

    void exportMakesAMissingFileWithEveryClientAsItIs() {
        ScriptedDialogs dialogs;
        const QString target = m_folder + "/clients.mdb";
        dialogs.answerFile(target);
        m_display->mnuExportActiveClients->trigger();
        QCOMPARE(
            dialogs.messages(),
            QStringList{"Active Client information has been successfully exported to " + target});
        // Every field, Nulls as Nulls and empty texts as empty texts, memos whole.
        QCOMPARE(rows(target, Clients), rows(m_own, Clients));
        QCOMPARE(rows(target, "SELECT count(*) FROM Activities")[0][0], 15);
    }

    void exportLeavesTheClientsTheTargetHolds() {
        ScriptedDialogs dialogs;
        const QString target = Fixtures::newDatabase(m_folder + "/clients.mdb");
        addClient(target, "ABEL", "ann", {{"Active Client City", "Shelbyville"}});
        dialogs.answerFile(target);
        m_display->mnuExportActiveClients->trigger();
        QCOMPARE(dialogs.lastMessage(),
                 "Active Client information has been successfully exported to " + target);
        QCOMPARE(rows(target, "SELECT [Client Last Name], [Active Client City], [Active Client "
                              "Notes] FROM [Active Clients] ORDER BY rowid"),
                 QList<QVariantList>({{"ABEL", "Shelbyville", QVariant()},
                                      {"O'Brien", QVariant(), "Prefers mail"}}));

        // The window's own file: every client is there already.
        const QList<QVariantList> before = rows(m_own, Clients);
        dialogs.answerFile(m_own);
        m_display->runPrologue();
        m_display->mnuExportActiveClients->trigger();
        QCOMPARE(dialogs.lastMessage(),
                 "Active Client information has been successfully exported to " + m_own);
        QCOMPARE(rows(m_own, Clients), before);
    }

    void exportWithoutClientsSaysSoAndStillMakesTheFile() {
        ScriptedDialogs dialogs;
        Database::open(m_own).exec("DELETE FROM [Active Clients]");
        const QString target = m_folder + "/clients.mdb";
        dialogs.answerFile(target);
        m_display->mnuExportActiveClients->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{"There is no Active Client information to export."});
        QCOMPARE(rows(target, "SELECT count(*) FROM [Active Clients]")[0][0], 0);
    }

    void importWritesOverAClientOfTheSameNameFieldByField() {
        ScriptedDialogs dialogs;
        const QString source = Fixtures::newDatabase(m_folder + "/source.mdb");
        addClient(source, "ABEL", "ann", {{"Active Client City", "Capital City"}});
        addClient(source, "O'brien", "PAT", {{"Active Client Forum", "County Court"}});
        addClient(source, "Cole", "Cy", {{"Active Client Notes", "New"}});
        addClient(m_own, "Zed", "Zoe", {{"Active Client Notes", "Untouched"}});
        const QByteArray before = Fixtures::readFile(source);
        dialogs.answerFile(source);
        m_display->mnuImportDatabase->trigger();

        QCOMPARE(dialogs.messages(),
                 QStringList({"The Active Client information from " + source +
                                  " has successfully been imported.",
                              "The selected database has successfully been imported."}));
        QCOMPARE(gstrChosenFile, source);
        // The chosen file's record wins whole, its Nulls too; clients it lacks stay.
        QCOMPARE(rows(m_own, "SELECT [Client Last Name], [Client First Name], [Active Client "
                             "City], [Active Client Notes], [Active Client Forum], [Active Client "
                             "History] FROM [Active Clients] ORDER BY [Client Last Name]"),
                 QList<QVariantList>({{"ABEL", "ann", "Capital City", {}, {}, {}},
                                      {"Cole", "Cy", {}, "New", {}, {}},
                                      {"O'brien", "PAT", {}, {}, "County Court", {}},
                                      {"Zed", "Zoe", {}, "Untouched", {}, {}}}));
        QCOMPARE(Fixtures::readFile(source), before);
    }

    void anImportThatFailsChangesNoClient() {
        ScriptedDialogs dialogs;
        const QString source = looseClientsFile(m_folder + "/loose.mdb");
        Fixtures::execRaw(source, {"INSERT INTO [Active Clients] ([Client Last Name], [Client "
                                   "First Name], [Active Client City]) VALUES ('Cole', 'Cy', "
                                   "'New'), ('Abel', 'Ann', printf('%.150c', 'x'))"});
        const QList<QVariantList> before = rows(m_own, Clients);
        dialogs.answerFile(source);
        m_display->mnuImportDatabase->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{"Error in Import Active Clients data function: The text is too "
                             "long for the field Active Client City (at most 100 characters)."});
        QCOMPARE(rows(m_own, Clients), before);

        // A row without both names matches no client: it neither replaces nor deletes one.
        Fixtures::execRaw(source, {"DELETE FROM [Active Clients]",
                                   "INSERT INTO [Active Clients] ([Client Last Name], [Client "
                                   "First Name], [Active Client City]) VALUES ('Abel', 'Ann', "
                                   "'Ogdenville'), (NULL, 'Bo', 'Nowhere'), ('Lee', NULL, 'X')"});
        dialogs.clear();
        dialogs.answerFile(source);
        m_display->runPrologue();
        m_display->mnuImportDatabase->trigger();
        QCOMPARE(dialogs.messages().size(), 2);
        QCOMPARE(rows(m_own, "SELECT [Client Last Name], [Active Client City] FROM [Active "
                             "Clients] ORDER BY rowid"),
                 QList<QVariantList>({{"Abel", "Ogdenville"}, {"O'Brien", QVariant()}}));
    }

    void anEmptySourceSaysSoAndChangesNothing() {
        ScriptedDialogs dialogs;
        const QString source = Fixtures::newDatabase(m_folder + "/empty.mdb");
        const QList<QVariantList> before = rows(m_own, Clients);
        dialogs.answerFile(source);
        m_display->mnuImportDatabase->trigger();
        QCOMPARE(dialogs.messages(),
                 QStringList{
                     "There is no Active Client information available in the selected database"});
        QCOMPARE(rows(m_own, Clients), before);
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestClientTransfer)
#include "test_client_transfer.moc"

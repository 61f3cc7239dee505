#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "ScriptedWindows.h"
#include "WindowTestSupport.h"
#include "billing/logic/Letterhead.h"
#include "billing/windows/frmLetterhead.h"
#include "core/logic/SharedState.h"
#include "core/windows/frmMain.h"
#include "platform/data/Database.h"
#include "platform/data/Settings.h"
#include "platform/widgets/ModalWindows.h"

#include <QMenuBar>
#include <QPlainTextEdit>

namespace {

const QString CrLf = QStringLiteral("\r\n");

} // namespace

class TestLetterhead : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_path;

    QStringList headers() {
        QStringList rows;
        QSqlQuery q = Database::open(m_path).exec(
            "SELECT IFNULL([Invoice Header], '<null>') FROM Invoices ORDER BY rowid");
        while (q.next())
            rows << q.value(0).toString();
        return rows;
    }

    // The window opened, what `act` does in it, and the window closed.
    void edit(const std::function<void(frmLetterhead&)>& act) {
        ScriptedWindows windows;
        windows.answer<frmLetterhead>(act);
        frmLetterhead window;
        ModalWindows::exec(window);
    }

private Q_SLOTS:
    void init() {
        TestSupport::freshProgram();
        m_path = Fixtures::newDatabase(TestSupport::newFolder() + "/letterhead.mdb");
        gstrDatabasePath = m_path;
        gstrLetterheadFontName = "Times New Roman";
        gstrLetterheadFontSize = "12";
        m_main = TestSupport::showMainWindow();
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void isLaidOutAsItsMenusAndBoxSay() {
        frmLetterhead window;
        QCOMPARE(window.windowTitle(), QStringLiteral("Create a letterhead for your invoices"));
        QStringList menus;
        for (QAction* item : window.findChild<QMenuBar*>()->actions())
            menus << item->text();
        QCOMPARE(menus, QStringList({"&Return", "&Font", "&Help", "&Done"}));
        QCOMPARE(window.Text1->toolTip(),
                 QStringLiteral("Use this area to create your letterhead for your invoices"));
        QCOMPARE(window.Text1->font().family(), QStringLiteral("Times New Roman"));
        QVERIFY(window.Text1->toPlainText().isEmpty());
        // It covers the main window.
        QCOMPARE(window.geometry(), m_main->geometry());
    }

    void doneAddsTheOnlyRowThenRewritesIt() {
        // An empty text is a letterhead too: the invoice no longer asks for one.
        edit([](frmLetterhead& w) { w.mnuDone->trigger(); });
        QCOMPARE(headers(), QStringList({""}));
        QCOMPARE(Letterhead::read(Database::open(m_path)), std::optional<QString>(""));

        // The box gives LF breaks; the file keeps CR LF; the window shows the lines again.
        edit([](frmLetterhead& w) {
            w.Text1->setPlainText("Law Office\nOne Main Street\n\nAlbany");
            w.mnuDone_Click();
        });
        QCOMPARE(headers(),
                 QStringList({"Law Office" + CrLf + "One Main Street" + CrLf + CrLf + "Albany"}));
        edit([](frmLetterhead& w) {
            QCOMPARE(w.Text1->document()->blockCount(), 4);
            QCOMPARE(w.Text1->toPlainText(),
                     QStringLiteral("Law Office\nOne Main Street\n\nAlbany"));
            w.Text1->setPlainText(QString(6000, 'x'));
            w.mnuDone_Click();
        });
        QCOMPARE(headers(), QStringList({QString(6000, 'x')}));
    }

    void returnOrTheTitleBarLeavesTheFileAsItWas() {
        Fixtures::execRaw(m_path, {"INSERT INTO Invoices ([Invoice Header]) VALUES ('Old')"});
        edit([](frmLetterhead& w) {
            QCOMPARE(w.Text1->toPlainText(), QStringLiteral("Old"));
            w.Text1->setPlainText("New");
            w.mnuReturn->trigger();
        });
        edit([](frmLetterhead& w) {
            w.Text1->setPlainText("New");
            w.close();
        });
        edit([](frmLetterhead& w) {
            w.Text1->setPlainText("New");
            QTest::keyClick(&w, Qt::Key_Escape);
        });
        QCOMPARE(headers(), QStringList({"Old"}));
    }

    void doneThatCannotWriteKeepsTheText() {
        // The engine refuses the write (a damaged or foreign file would, too).
        Fixtures::execRaw(m_path, {"CREATE TRIGGER refuse BEFORE INSERT ON Invoices BEGIN "
                                   "SELECT RAISE(ABORT, 'refused'); END"});
        ScriptedDialogs dialogs;
        edit([&](frmLetterhead& w) {
            w.Text1->setPlainText(QString("x"));
            w.mnuDone_Click();
            QVERIFY(w.isVisible());
            QCOMPARE(w.Text1->toPlainText(), QStringLiteral("x"));
            Fixtures::execRaw(m_path, {"DROP TRIGGER refuse"});
            w.mnuDone_Click();
        });
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY(dialogs.lastMessage().contains("refused"));
        QCOMPARE(headers(), QStringList({"x"}));
    }

    // Done replaces the letterhead only as it was shown: one that another window changed, or
    // added to an empty table, meanwhile is not written over unseen (nor followed by a second
    // row). The text stays; a second Done replaces the letterhead as it now is.
    void doneReplacesOnlyTheLetterheadShown() {
        const QString changed = "The letterhead was changed or deleted by another window or "
                                "program since it was shown, so your text was not saved. Choose "
                                "Done again to save it in place of the letterhead as it is now, "
                                "or Return to keep that one.";
        Fixtures::execRaw(m_path, {"INSERT INTO Invoices ([Invoice Header]) VALUES ('Old')"});
        ScriptedDialogs dialogs;
        edit([&](frmLetterhead& w) {
            Fixtures::execRaw(m_path, {"UPDATE Invoices SET [Invoice Header] = 'Other'"});
            w.Text1->setPlainText("Mine");
            w.mnuDone_Click();
            QVERIFY(w.isVisible());
            QCOMPARE(headers(), QStringList({"Other"}));
            QCOMPARE(w.Text1->toPlainText(), QStringLiteral("Mine"));
            w.mnuDone_Click();
        });
        QCOMPARE(dialogs.messages(), QStringList({changed}));
        QCOMPARE(headers(), QStringList({"Mine"}));

        Fixtures::execRaw(m_path, {"DELETE FROM Invoices"});
        dialogs.clear();
        edit([&](frmLetterhead& w) {
            Fixtures::execRaw(m_path, {"INSERT INTO Invoices ([Invoice Header]) VALUES ('Other')"});
            w.Text1->setPlainText("Mine");
            w.mnuDone_Click();
            QVERIFY(w.isVisible());
            w.mnuReturn_Click();
        });
        QCOMPARE(dialogs.messages(), QStringList({changed}));
        QCOMPARE(headers(), QStringList({"Other"}));
    }

    void theFontIsKeptEvenWhenTheTextIsNot() {
        ScriptedDialogs dialogs;
        dialogs.cancelFont();
        dialogs.answerFont("Courier New", "10.5");
        edit([](frmLetterhead& w) {
            w.mnuFont->trigger();
            // Cancel says so and changes nothing.
            QCOMPARE(gstrLetterheadFontName, QStringLiteral("Times New Roman"));
            w.mnuFont->trigger();
            QCOMPARE(w.Text1->font().family(), QStringLiteral("Courier New"));
            QCOMPARE(w.Text1->font().pointSizeF(), 10.5);
            w.mnuReturn->trigger();
        });
        QCOMPARE(dialogs.messages(), QStringList({"Cancel selected by user"}));
        QCOMPARE(dialogs.shown().first().font.flags, 259);
        QCOMPARE(gstrLetterheadFontName, QStringLiteral("Courier New"));
        QCOMPARE(gstrLetterheadFontSize, QStringLiteral("10.5"));
        QCOMPARE(Settings::value("DefaultLetterheadFontName", "Default Letterhead Font Name"),
                 QStringLiteral("Courier New"));
        QCOMPARE(Settings::value("DefaultLetterheadFontSize", "Default Letterhead Font Size"),
                 QStringLiteral("10.5"));
        QVERIFY(headers().isEmpty());
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestLetterhead)
#include "test_letterhead.moc"

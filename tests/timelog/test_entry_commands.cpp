#include "Fixtures.h"
#include "ScriptedDialogs.h"
#include "WindowTestSupport.h"
#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/logic/StartupSettings.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/SubsystemCommands.h"
#include "core/windows/frmMain.h"
#include "platform/data/DataControl.h"
#include "platform/data/Settings.h"
#include "platform/widgets/RichTextBox.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "timelog/windows/frmEntryWithFrames.h"
#include "timelog/windows/frmSearch.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTextCursor>
#include <QToolBar>

namespace {

void moveOver(QWidget* element) {
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), element->mapToGlobal(QPointF(2, 2)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(element, &move);
}

QWidget* button(QToolBar* bar, const char* key) {
    return bar->widgetForAction(bar->findChild<QAction*>(QLatin1String(key)));
}

void addLog(const QString& path, const QString& client) {
    Fixtures::execRaw(path, {QStringLiteral("INSERT INTO Vellagons (Client, [Beginning Time]) "
                                            "VALUES ('%1', '2024-03-05 09:00:00')")
                                 .arg(client)});
}

} // namespace

// The Data entry window's typing aids, status hints, field captions, fonts and the commands
// that open other windows.
class TestEntryCommands : public QObject {
    Q_OBJECT

    frmMain* m_main = nullptr;
    QString m_file;

    frmEntryWithFrames* entry(const char* tag = "1") {
        return static_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, tag));
    }

    // The notes hold the text; `selected` of it is selected, the notes have the focus.
    void selectInNotes(frmEntryWithFrames* w, const QString& notes, const QString& selected) {
        w->RichTextBox1->setPlainText(notes);
        QTextCursor cursor = w->RichTextBox1->textCursor();
        cursor.setPosition(int(notes.indexOf(selected)));
        cursor.setPosition(int(notes.indexOf(selected) + selected.size()), QTextCursor::KeepAnchor);
        w->RichTextBox1->setTextCursor(cursor);
        w->RichTextBox1->setFocus();
    }

private Q_SLOTS:
    void initTestCase() { registerTimeLogging(); }
    void init() {
        TestSupport::freshProgram();
        StartupSettings::readFontsCaptionsAndEmployee();
        for (const char* activity : {"Call to", "Legal research", "Motion re"})
            mainLists().List1[MainLists::Activities].addItem(QLatin1String(activity));
        m_main = TestSupport::showMainWindow();
        m_file = Fixtures::newDatabase(TestSupport::newFolder() + "/LOG.MDB");
        gstrDatabasePath = m_file;
        NewFirstChildWindow(ChildWindow::Kind::Display);
        NewFirstChildWindow(ChildWindow::Kind::Entry);
    }
    void cleanup() { TestSupport::closeMainWindow(m_main); }

    void f8AppendsTheNotesSelectionToTheSummary_data() {
        QTest::addColumn<QString>("summary");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<QString>("result");
        QTest::newRow("one blank between") << "Call"
                                           << "with client"
                                           << "Call with client";
        QTest::newRow("ending in a blank") << "Call "
                                           << "with client"
                                           << "Call with client";
        QTest::newRow("empty summary") << ""
                                       << "with client"
                                       << "with client";
        QTest::newRow("nothing selected") << "Call"
                                          << ""
                                          << "Call ";
        QTest::newRow("both empty") << ""
                                    << ""
                                    << "";
    }
    void f8AppendsTheNotesSelectionToTheSummary() {
        QFETCH(QString, summary);
        QFETCH(QString, selected);
        QFETCH(QString, result);
        frmEntryWithFrames* w = entry();
        w->Text1->setText(summary);
        selectInNotes(w, "Talked with client today", selected);
        QTest::keyClick(w->RichTextBox1, Qt::Key_F8, Qt::ShiftModifier); // modifiers do not count
        QCOMPARE(w->Text1->text(), result);
        QCOMPARE(w->RichTextBox1->textCursor().selectedText(), selected);
        QCOMPARE(QApplication::focusWidget(), w->RichTextBox1);
        QCOMPARE(w->RichTextBox1->toPlainText(), "Talked with client today");
    }

    void theActivitiesPickListInsertsWhereTheFocusWas() {
        frmEntryWithFrames* w = entry();
        selectInNotes(w, "Filed. Done.", "Done.");
        QTest::keyClick(w->RichTextBox1, Qt::Key_F9);
        QVERIFY(w->List1->isVisible());
        QCOMPARE(QApplication::focusWidget(), w->List1);
        w->List1->item(0)->setSelected(true);
        w->List1->item(2)->setSelected(true);
        QTest::keyClick(w->List1, Qt::Key_Return);
        QCOMPARE(w->RichTextBox1->toPlainText(), "Filed.  Call to Motion re");
        QVERIFY(w->List1->isHidden());
        QCOMPARE(QApplication::focusWidget(), w->RichTextBox1);

        // From the summary line: Esc inserts nothing; the list keeps its selection for the
        // next Enter, which replaces the summary's selection.
        w->Text1->setText("Re: x");
        w->Text1->setFocus();
        w->Text1->setSelection(4, 1);
        QTest::keyClick(w->Text1, Qt::Key_F9);
        QTest::keyClick(w->List1, Qt::Key_Escape);
        QVERIFY(w->List1->isHidden());
        QCOMPARE(QApplication::focusWidget(), w->Text1);
        QCOMPARE(w->Text1->text(), "Re: x");
        QTest::keyClick(w->Text1, Qt::Key_F9);
        QTest::keyClick(w->List1, Qt::Key_Enter);
        QCOMPARE(w->Text1->text(), "Re:  Call to Motion re");
        QCOMPARE(gstrScratch, " Call to Motion re");

        // With nothing selected Enter inserts nothing: the field's selection goes.
        w->Text1->selectAll();
        QTest::keyClick(w->Text1, Qt::Key_F9);
        w->List1->clearSelection();
        QTest::keyClick(w->List1, Qt::Key_Return);
        QCOMPARE(w->Text1->text(), "");
    }

    void theHintsReadTheCaptionsARenameShowsAtOnce() {
        frmEntryWithFrames* w = entry();
        moveOver(w->Frame1);
        QCOMPARE(w->Label1->text(), "  Use [F2] to change your list for Client  ");
        moveOver(w->Frame5);
        QCOMPARE(w->Label1->text(), "  Use [F3] and [F9] to access your Activities list  ");
        moveOver(w->Toolbar1);
        QCOMPARE(w->Label1->text(), m_file);

        ScriptedDialogs dialogs;
        dialogs.answerInput("Patient");
        w->Toolbar2->findChild<QAction*>("Small Caps")->trigger();
        QCOMPARE(dialogs.last()->title, "Enter new caption for this field");
        QVERIFY(dialogs.last()->text.startsWith("Type in the caption that you want for this "
                                                "field.   Possible options are Client, Customer"));
        QCOMPARE(w->Frame1->title(), "Patient");
        QCOMPARE(Settings::value("Frame1Caption", "Default Frame1 Caption"), "Patient");
        moveOver(w->Frame1);
        QCOMPARE(w->Label1->text(), "  Use [F2] to change your list for Patient  ");
        // A button inside the field's frame shows its toolbar's hint, not the frame's.
        moveOver(button(w->Toolbar2, "Small Caps"));
        QCOMPARE(w->Label1->text(),
                 "Maintain Patient list, Contact Database or reset this field's caption");

        // This window's menus keep their words; the next window's follow.
        QCOMPARE(w->mnuCClient->text(), "Add a Client");
        NewDataEntryForm();
        QCOMPARE(entry("2")->mnuCClient->text(), "Add a Patient");
        QCOMPARE(entry("2")->mnuInactiveClients->text(), "Inactive Patients");
        QCOMPARE(entry("2")->Frame1->title(), "Patient");
    }

    void cancelInTheRenameBoxChangesNothing() {
        frmEntryWithFrames* w = entry();
        ScriptedDialogs dialogs;
        dialogs.cancelInput();
        w->Toolbar5->findChild<QAction*>("Small Caps")->trigger();
        QCOMPARE(w->Frame5->title(), "Invoice summary line");
        QCOMPARE(gstrFrame5Caption, "Invoice summary line");
        QCOMPARE(Settings::value("Frame5Caption", "Default Frame5 Caption", "absent"), "absent");

        // OK with an empty text is a rename, kept for the next start.
        dialogs.answerInput("");
        w->Toolbar3->findChild<QAction*>("Small Caps")->trigger();
        QCOMPARE(w->Frame2->title(), "");
        StartupSettings::readFontsCaptionsAndEmployee();
        QCOMPARE(gstrFrame2Caption, "");
        NewDataEntryForm();
        QCOMPARE(entry("2")->mnuEmployees->text(), "s");
    }

    void theFontCommandsStoreNameAndSize_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("setting"); // the name of the sections, "Display" ...
        QTest::addColumn<QString*>("name");
        QTest::addColumn<QString*>("size");
        QTest::newRow("display") << "mnuDisplayfont"
                                 << "Display" << &gstrDisplayFontName << &gstrDisplayFontSize;
        QTest::newRow("entry") << "mnuDataentryfont"
                               << "Entry" << &gstrEntryFontName << &gstrEntryFontSize;
        QTest::newRow("letterhead")
            << "mnuLetterheadfont"
            << "Letterhead" << &gstrLetterheadFontName << &gstrLetterheadFontSize;
        QTest::newRow("report") << "mnuReportfont"
                                << "Report" << &gstrReportFontName << &gstrReportFontSize;
        QTest::newRow("vellagon") << "mnuVellagonfont"
                                  << "Vellagon" << &gstrVellagonFontName << &gstrVellagonFontSize;
        QTest::newRow("print") << "mnuPrintFont"
                               << "Print" << &gstrPrintFontName << &gstrPrintFontSize;
    }
    void theFontCommandsStoreNameAndSize() {
        QFETCH(QString, item);
        QFETCH(QString, setting);
        QFETCH(QString*, name);
        QFETCH(QString*, size);
        frmEntryWithFrames* w = entry();
        const QFont entryFont = w->Text1->font();
        const auto stored = [&](const char* part) {
            return Settings::value("Default" + setting + "Font" + part,
                                   "Default " + setting + " Font " + part, "absent");
        };
        QAction* command = w->findChild<QAction*>(item);
        ScriptedDialogs dialogs;

        dialogs.cancelFont();
        command->trigger();
        QCOMPARE(*name + '|' + *size, (setting == "Display" || setting == "Entry")
                                          ? "MS Sans Serif|12"
                                          : "Times New Roman|12");
        QCOMPARE(stored("Name") + '|' + stored("Size"), "absent|absent");
        QVERIFY(dialogs.messages().isEmpty());

        dialogs.answerFont("DejaVu Serif", "10.50");
        command->trigger();
        const Dialogs::FontRequest& request = dialogs.last()->font;
        QCOMPARE(request.flags, 259);
        QCOMPARE(request.name + request.size, ""); // not preset with the font in use
        QCOMPARE(*name + '|' + *size, "DejaVu Serif|10.5");
        QCOMPARE(stored("Name") + '|' + stored("Size"), "DejaVu Serif|10.5");

        // A font sized in pixels has no point size to keep.
        dialogs.answerFont("DejaVu Sans", "-1");
        command->trigger();
        QCOMPARE(*name + '|' + *size, "DejaVu Sans|10.5");
        QCOMPARE(stored("Name") + '|' + stored("Size"), "DejaVu Sans|10.5");
        QCOMPARE(w->Text1->font(), entryFont); // no open window takes a new font
    }

    void newAndDisplayOpenOnTheWindowsOwnFile() {
        ScriptedDialogs dialogs; // a missing file would be reported, not wait for a click
        frmEntryWithFrames* w = entry();
        gstrDatabasePath = Fixtures::newDatabase(TestSupport::newFolder() + "/OTHER.MDB");
        w->Toolbar1_ButtonClick("New");
        QCOMPARE(entry("2")->path(), m_file);
        gstrDatabasePath = TestSupport::newFolder() + "/ELSEWHERE.MDB";
        w->mnuEnterDisplay->trigger();
        QCOMPARE(childWindow(ChildWindow::Kind::Display, "2")->path(), m_file);
        QCOMPARE(gstrDisplayIndex, "2");
        QVERIFY(dialogs.messages().isEmpty());
    }

    void theQuickSearchOrTheSearchWindow() {
        addLog(m_file, "Acme, Inc");
        addLog(m_file, "Baker, Cy");
        frmEntryWithFrames* w = entry();
        w->Combo1->setEditText(" Acme, Inc ");
        w->Combo3->setEditText("Appeal"); // the client wins
        w->Toolbar1_ButtonClick("Find");
        auto* result = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "2"));
        QVERIFY(result);
        QCOMPARE(activeChildWindow(), result);
        QCOMPARE(result->Adodc1->RecordCount(), 1);
        QCOMPARE(result->Text1->text(), "Acme, Inc");
        QVERIFY(!frmSearch::loaded());

        // A client of blanks alone is sought as it stands: it finds nothing and says so, and
        // the project waits.
        ScriptedDialogs dialogs;
        w->Combo1->setEditText("   ");
        w->Combo3->setEditText("Appeal");
        w->mnuSearch->trigger();
        QCOMPARE(gstrClient, "   ");
        QCOMPARE(dialogs.messages(), QStringList{"No such records were found."});
        QVERIFY(!frmSearch::loaded());
        auto* none = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "3"));
        QVERIFY(none);
        QCOMPARE(none->Adodc1->RecordCount(), 0);

        // Nothing in hand: the search window, without Current client or Report.
        w->Combo1->setEditText("");
        w->Combo3->setEditText("");
        w->mnuSearch->trigger();
        frmSearch* search = frmSearch::loaded();
        QVERIFY(search && search->isVisible());
        QVERIFY(!search->Option1[0]->isEnabled());
        QCOMPARE(search->selectedSearchType(), 1);
        QVERIFY(!search->mnuReport->isVisible());
        QVERIFY(!gblnDisplayActive);
        QCOMPARE(openChildWindows().size(), 4);

        // The Display window that reuses it offers its current client again.
        result->mnuSearch_Click();
        QCOMPARE(frmSearch::loaded(), search);
        QVERIFY(search->Option1[0]->isEnabled());
        search->close();
    }

    void disbursementsHandOverTheClientInHand() {
        using SubsystemCommands::Command;
        QString seen;
        SubsystemCommands::registerCommand(Command::PaymentsDisbursements, [&](ChildWindow*) {
            seen = gstrClient + '|' + gstrDatabasePath;
        });
        gstrDatabasePath = "/elsewhere.mdb";
        NewDataEntryForm();
        frmEntryWithFrames* w = entry("2");
        w->Combo1->setEditText(" Acme, Inc ");
        QVERIFY(w->mnuDisbursements->isEnabled());
        w->mnuDisbursements->trigger();
        SubsystemCommands::clear();
        QCOMPARE(seen, "Acme, Inc|/elsewhere.mdb");
    }
};

VELLAGON_WINDOW_TEST_MAIN(TestEntryCommands)
#include "test_entry_commands.moc"

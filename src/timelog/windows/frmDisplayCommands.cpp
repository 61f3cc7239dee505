// The commands of the Display window: its menus, its toolbar and what they run.
#include "WindowNavigation.h"
#include "core/logic/DatabaseFile.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/EditCommands.h"
#include "core/windows/FileCommands.h"
#include "core/windows/Forms.h"
#include "core/windows/RichTextBoxPrinting.h"
#include "core/windows/SubsystemCommands.h"
#include "core/windows/frmAboutwtimer.h"
#include "core/windows/frmBrowser.h"
#include "core/windows/frmMain.h"
#include "core/windows/frmTip.h"
#include "frmDisplay.h"
#include "frmSearch.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/DataControl.h"
#include "platform/data/Dialogs.h"
#include "platform/reporting/DataControlRecords.h"
#include "platform/widgets/WindowParts.h"
#include "reports/DataReport1.h"
#include "timelog/logic/LogPrintText.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolBar>

void frmDisplay::buildCommands() {
    mnuFile = addMenu("mnuFile", QStringLiteral("&File"));
    mnuSaveFileAs = addMenuItem(mnuFile, "mnuSaveFileAs", QStringLiteral("&Save File As ..."));
    mnuOpenFile = addMenuItem(mnuFile, "mnuOpenFile", QStringLiteral("&Open File"), this,
                              &frmDisplay::mnuOpenFile_Click);
    mnuNewFile = addMenuItem(mnuFile, "mnuNewFile", QStringLiteral("&New File"), this,
                             &frmDisplay::mnuNewFile_Click);
    mnuImportVellagons =
        addMenuItem(mnuFile, "mnuImportVellagons", QStringLiteral("&Import Vellagons"));
    mnuExportVellagons =
        addMenuItem(mnuFile, "mnuExportVellagons", QStringLiteral("&Export Vellagons"));
    mnuImportDatabase = addMenuItem(mnuFile, "mnuImportDatabase",
                                    QStringLiteral("Import &Active Clients Information"));
    mnuExportActiveClients = addMenuItem(mnuFile, "mnuExportActiveClients",
                                         QStringLiteral("E&xport Active Clients Information"));
    // The transfers belong to a subsystem of their own, which registers them at start.
    using SubsystemCommands::Command;
    SubsystemCommands::bind(mnuSaveFileAs, Command::SaveFileAs, this);
    SubsystemCommands::bind(mnuImportVellagons, Command::ImportVellagons, this);
    SubsystemCommands::bind(mnuExportVellagons, Command::ExportVellagons, this);
    SubsystemCommands::bind(mnuImportDatabase, Command::ImportActiveClients, this);
    SubsystemCommands::bind(mnuExportActiveClients, Command::ExportActiveClients, this);
    mnuCompactData = addMenuItem(mnuFile, "mnuCompactData", QStringLiteral("&Compact Data"), this,
                                 &frmDisplay::mnuCompactData_Click);
    mnuReport = addMenuItem(mnuFile, "mnuReport", QStringLiteral("&Report"), this,
                            &frmDisplay::mnuReport_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuLine2"));
    mnuPrintVellagon = addMenuItem(mnuFile, "mnuPrintVellagon", QStringLiteral("&Print Vellagon"),
                                   this, &frmDisplay::mnuPrintVellagon_Click);
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuLine3"));
    addMenuItem(mnuFile, "mnuExit", QStringLiteral("E&xit"), this, [] { ExitProgram(); });

    QMenu* mnuEdit = addMenu("mnuEdit", QStringLiteral("&Edit"));
    addMenuItem(mnuEdit, "mnuCopy", QStringLiteral("&Copy"), this, &EditCommands::copy,
                QKeySequence(Qt::CTRL | Qt::Key_C));
    addMenuItem(mnuEdit, "mnuCut", QStringLiteral("C&ut"), this, &EditCommands::cut,
                QKeySequence(Qt::CTRL | Qt::Key_X));
    addMenuItem(mnuEdit, "mnuDPaste", QStringLiteral("&Paste"), this, &EditCommands::paste,
                QKeySequence(Qt::CTRL | Qt::Key_G));
    addMenuItem(mnuEdit, "mnuDelete", QStringLiteral("&Delete"), this,
                &EditCommands::deleteSelection, QKeySequence(Qt::Key_Delete));
    addMenuItem(mnuEdit, "mnuSaveChanges", QStringLiteral("&Save changes"), this,
                &frmDisplay::mnuSaveChanges_Click);

    mnuView = addMenu("mnuView", QStringLiteral("&View"));
    mnuText =
        addMenuItem(mnuView, "mnuText", QStringLiteral("&Text"), this, &frmDisplay::mnuText_Click);
    mnuGraphics = addMenuItem(mnuView, "mnuGraphics", QStringLiteral("&Graphics"), this,
                              &frmDisplay::mnuGraphics_Click);

    mnuDeleteLog = addMenuBarCommand("mnuDeleteLog", QStringLiteral("&Delete Log"), this,
                                     &frmDisplay::mnuDeleteLog_Click);
    mnuSearch = addMenuBarCommand("mnuSearch", QStringLiteral("&Search"), this,
                                  &frmDisplay::mnuSearch_Click);
    mnuActiveClients = addMenuBarCommand(QStringLiteral("&Active Clients"));
    mnuActiveClients->setObjectName(QStringLiteral("mnuActiveClients"));
    SubsystemCommands::bind(mnuActiveClients, SubsystemCommands::Command::ContactDatabase, this);
    mnuDEnter = addMenuBarCommand("mnuDEnter", QStringLiteral("Enter &data"), this,
                                  &frmDisplay::mnuDEnter_Click);

    addWindowMenu();

    QMenu* mnuHelp = addMenu("mnuHelp", QStringLiteral("&Help"));
    addMenuItem(mnuHelp, "mnuIndex", QStringLiteral("&Index")); // has no command
    addMenuItem(mnuHelp, "mnuTips", QStringLiteral("&Show Tip of the Day"), this,
                &frmTip::showModeless);
    addMenuItem(mnuHelp, "mnuInternet", QStringLiteral("&Get help from the internet"), this,
                &frmBrowser::showModal);
    mnuHelp->addSeparator()->setObjectName(QStringLiteral("mnuLine"));
    addMenuItem(mnuHelp, "mnuAbout", QStringLiteral("&About this program"), this,
                &frmDisplay::mnuAbout_Click);

    addToolButtons(Toolbar1, {
                                 {"Back", "Go back to another Display or Data Entry window"},
                                 {"Forward", "Go forward to another Display or Data Entry window"},
                                 {"Print", "Print Displayed Vellagon"},
                                 {"Cut", "Cut selected text or graphic"},
                                 {"Copy", "Copy selected text or graphic"},
                                 {"Paste", "Paste into selected area"},
                                 {"Save", "Save changes made to this Vellagon"},
                                 {"Help", "Help"},
                             });
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* b) { Toolbar1_ButtonClick(b->data().toString()); });
}

void frmDisplay::Toolbar1_ButtonClick(const QString& key) {
    WindowNavigation::runToolbarButton(this, key, [&] {
        if (key == QLatin1String("Print"))
            mnuPrintVellagon_Click();
        else if (key == QLatin1String("Save"))
            mnuSaveChanges_Click();
    });
}

void frmDisplay::mnuOpenFile_Click() {
    runPrologue();
    OpenDatabaseFile();
}

void frmDisplay::mnuNewFile_Click() {
    runPrologue();
    NewDatabaseFile();
}

void frmDisplay::mnuCompactData_Click() {
    runPrologue();
    CompactDatabase();
}

void frmDisplay::mnuAbout_Click() {
    runPrologue();
    frmAboutwtimer::showModal();
}

void frmDisplay::mnuDeleteLog_Click() {
    const QString title = QStringLiteral("Delete This Record");
    const int answer = Dialogs::msgBox(QStringLiteral("Are you sure?"),
                                       Dialogs::vbYesNo | Dialogs::vbDefaultButton2, title);
    if (answer == Dialogs::vbYes) {
        // Past the last row (or before the first) there is no log to delete either.
        if (!Adodc1->hasCurrentRow())
            Dialogs::msgBox(QStringLiteral("There are no records to delete."), Dialogs::vbOKOnly,
                            title);
        else if (Adodc1->Delete() || !Adodc1->hasCurrentRow()) // or gone meanwhile
            Adodc1->MoveLast();
    }
    Text2->setFocus();
}

void frmDisplay::mnuSearch_Click() {
    gstrDisplayIndex = Tag();
    gstrClient = Text1->text();
    gstrProject = Text3->text();
    // The first use loads the search window, which reads the two values just set.
    frmSearch* search = frmSearch::instance();
    const QString report = QStringLiteral("   Report all Vellagons for ");
    if (!Text1->text().isEmpty()) {
        search->mnuReport->setText(report + gstrClient);
        search->mnuReport->setVisible(true);
    } else if (!Text3->text().isEmpty()) {
        search->mnuReport->setText(report + gstrProject);
        search->mnuReport->setVisible(true);
    } else {
        search->mnuReport->setVisible(false);
    }
    // The window may be open from a Data entry window, which offers no current client.
    search->offerCurrentClient(!gstrClient.isEmpty() || !gstrProject.isEmpty());
    runPrologue();
    search->show();
    Forms::setFocus(search);
}

void frmDisplay::mnuSaveChanges_Click() {
    const bool bof = Adodc1->isBOF();
    const bool eof = Adodc1->isEOF();
    if (bof && eof)
        return;
    if (bof) {
        if (Adodc1->MoveNext())
            Adodc1->MovePrevious();
    } else if (Adodc1->MovePrevious()) {
        Adodc1->MoveNext();
    }
}

void frmDisplay::mnuDEnter_Click() {
    try {
        gstrDatabasePath = path();
        OpenDatabaseAndFillLists();
        NewDataEntryForm();
    } catch (const AppError& e) {
        Dialogs::msgBox(QStringLiteral("Error in creating new Enter data module: ") +
                        e.description());
    }
}

void frmDisplay::mnuPrintVellagon_Click() {
    try {
        if (isTextView()) {
            if (!Adodc1->hasCurrentRow()) {
                Dialogs::msgBox(QStringLiteral(
                    "No current record found in the Vellagon Display window to print."));
                return;
            }
            const std::optional<QString> text = logPrintText(Adodc1->record());
            if (!text)
                return; // a log without its times or duration is not printed
            // The print text is laid out apart from the bound notes box, which stays as it is.
            QTextDocument page;
            page.setDefaultFont(RichTextBox2->font());
            page.setPlainText(QString(*text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
            PrintRTF(page, 1440, 1440, 1440, 1440);
        } else {
            PrintRTF(*RichTextBox1, 1440, 1440, 1440, 1440);
        }
    } catch (const AppError& e) {
        // A cancelled print dialog ends quietly; a print that failed says so.
        if (!e.isCancel())
            Dialogs::msgBox(e.description());
    }
}

void frmDisplay::mnuReport_Click() {
    try {
        DataReport1 report;
        {
            BusyCursor busy;
            report.setDataSource(
                std::make_shared<DataControlRecords>(*Adodc1, report.layout().boundColumns()));
        }
        report.show();
    } catch (const AppError& e) {
        Dialogs::msgBox(e.description());
    }
}

void frmDisplay::setStatusText(const QString& text) {
    showStatus(text);
}

#include "frmLetterhead.h"

#include "billing/logic/Letterhead.h"
#include "core/logic/FontSetting.h"
#include "core/logic/SharedState.h"
#include "core/windows/ControlFonts.h"
#include "core/windows/frmMain.h"
#include "platform/data/AppError.h"
#include "platform/data/Dialogs.h"
#include "platform/data/LineBreaks.h"
#include "platform/widgets/Twips.h"
#include "platform/widgets/WindowParts.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>

frmLetterhead::frmLetterhead(QWidget* parent) : QDialog(parent ? parent : frmMain::instance()) {
    setObjectName(QStringLiteral("frmLetterhead"));
    setWindowTitle(QStringLiteral("Create a letterhead for your invoices"));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setToolTip(QStringLiteral("Use this area to create your letterhead for your invoices"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    auto* menuBar = new QMenuBar(this);
    mnuReturn = addMenuItem(menuBar, "mnuReturn", QStringLiteral("&Return"), this,
                            &frmLetterhead::mnuReturn_Click);
    mnuFont = addMenuItem(menuBar, "mnuFont", QStringLiteral("&Font"), this,
                          &frmLetterhead::mnuFont_Click);
    mnuHelp = addMenuItem(menuBar, "mnuHelp", QStringLiteral("&Help")); // has no command
    mnuDone = addMenuItem(menuBar, "mnuDone", QStringLiteral("&Done"), this,
                          &frmLetterhead::mnuDone_Click);

    // The text fills the window with a margin of 200 twips on every side.
    auto* layout = new QVBoxLayout(this);
    const int margin = Twips::toPixels(200);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setMenuBar(menuBar);
    layout->addWidget(Text1);
    Form_Load();
}

void frmLetterhead::Form_Load() {
    // The window covers the main window: its inner area on the main window's.
    if (const QWidget* main = frmMain::instance())
        setGeometry(main->geometry());
    m_db = Database::open(gstrDatabasePath);
    applyLetterheadFont();
    m_shown = Letterhead::read(m_db);
    if (m_shown)
        Text1->setPlainText(LineBreaks::toLf(*m_shown));
    Text1->setFocus();
}

void frmLetterhead::mnuDone_Click() {
    try {
        if (!Letterhead::write(m_db, Text1->toPlainText(), m_shown)) {
            // The text stays in the box; a second Done replaces the letterhead as it is now.
            m_shown = Letterhead::read(m_db);
            Dialogs::msgBox(QStringLiteral("The letterhead was changed or deleted by another "
                                           "window or program since it was shown, so your text "
                                           "was not saved. Choose Done again to save it in place "
                                           "of the letterhead as it is now, or Return to keep "
                                           "that one."));
            return;
        }
    } catch (const AppError& e) {
        // The text stays in the box, to be stored once the file can take it.
        Dialogs::msgBox(e.description());
        return;
    }
    accept();
}

void frmLetterhead::mnuFont_Click() {
    if (!chooseFont(ProgramFont::Letterhead)) {
        Dialogs::msgBox(QStringLiteral("Cancel selected by user"));
        return;
    }
    applyLetterheadFont();
}

void frmLetterhead::mnuReturn_Click() {
    reject();
}

void frmLetterhead::done(int result) {
    // Form_Unload: the file is the window's only while it is open.
    m_db.close();
    QDialog::done(result);
}

void frmLetterhead::applyLetterheadFont() {
    applyFontSetting({Text1}, gstrLetterheadFontName, gstrLetterheadFontSize);
}

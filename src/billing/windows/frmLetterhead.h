#pragma once

#include "platform/data/Database.h"

#include <QDialog>
#include <optional>

class QAction;
class QPlainTextEdit;

// "Create a letterhead for your invoices": the letterhead of the file gstrDatabasePath names
// when it opens, in one text box over the whole window. Shown modally (ModalWindows::exec).
// Done stores the text and closes; Return, Esc and the title bar close it without storing.
class frmLetterhead : public QDialog {
    Q_OBJECT

public:
    // Opens the file and shows its letterhead; throws AppError when the file cannot be read.
    explicit frmLetterhead(QWidget* parent = nullptr);

    void Form_Load();
    void mnuDone_Click();
    void mnuFont_Click();
    void mnuReturn_Click();

    QPlainTextEdit* Text1;
    QAction* mnuReturn;
    QAction* mnuFont;
    QAction* mnuHelp;
    QAction* mnuDone;

protected:
    void done(int result) override;

private:
    void applyLetterheadFont();

    Database m_db;
    std::optional<QString> m_shown; // the letterhead as read, which Done replaces
};

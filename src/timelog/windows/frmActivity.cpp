#include "frmActivity.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "frmEntryWithFrames.h"
#include "platform/widgets/RichTextBox.h"
#include "platform/widgets/Twips.h"
#include "timelog/logic/ListEditing.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>

namespace {

// The window's own size; it opens in the middle of the main window.
constexpr double Width = 6000;
constexpr double Height = 6000;

// The Data entry window that opened the list (its tag is current), also when the kind flag
// says otherwise.
frmEntryWithFrames* target() {
    return qobject_cast<frmEntryWithFrames*>(childWindow(ChildWindow::Kind::Entry, gstrEntryIndex));
}

} // namespace

frmActivity::frmActivity(QWidget* parent) : ListDialog(MainLists::Activities, parent) {
    setObjectName(QStringLiteral("frmActivity"));
    setWindowTitle(QStringLiteral("Activities List"));
    Frame1->setTitle(QStringLiteral("Add Activity Here"));
    Text1->setToolTip(QStringLiteral("Enter activity here"));
    Frame2->setTitle(QStringLiteral("Vellagon's List of Activities"));
    List1->setToolTip(QStringLiteral("Use [Ctrl] to select multiple activities for deletion"));
    setCoversMainWindow(false);
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmActivity::List1_DblClick);

    mnuReturn = addCommand("mnuReturn", QStringLiteral("&Return "), &ListDialog::mnuReturn_Click);
    mnuAdd = addCommand("mnuAdd", QStringLiteral("&Add"), &ListDialog::mnuAdd_Click);
    mnuDelete = addCommand("mnuDelete", QStringLiteral("&Delete"), &ListDialog::mnuDelete_Click);
    mnuPrintList =
        addCommand("mnuPrintList", QStringLiteral("&Print List"), &ListDialog::mnuPrintList_Click);
    mnuDone = addCommand("mnuDone", QStringLiteral("&Done"), &frmActivity::mnuDone_Click);

    resize(Twips::toPixels(Width), Twips::toPixels(Height));
    if (const QWidget* main = parentWidget())
        move(main->geometry().center() - rect().center());
}

void frmActivity::insertSelection() {
    frmEntryWithFrames* entry = target();
    if (!entry)
        return;
    const QString text = ListEditing::insertionText(selectedTexts());
    if (gblnSummaryFocus)
        entry->Text1->insert(text);
    else
        entry->RichTextBox1->insertPlainText(text);
}

void frmActivity::closeToSummary(int result) {
    done(result);
    if (frmEntryWithFrames* entry = target())
        entry->Text1->setFocus();
}

void frmActivity::mnuDone_Click() {
    insertSelection();
    refreshLists();
    closeToSummary(Accepted);
}

void frmActivity::Text1_KeyPress(int KeyAscii) {
    if (KeyAscii == 13)
        mnuAdd_Click();
    else if (KeyAscii == 27)
        mnuReturn_Click();
}

void frmActivity::List1_KeyPress(int KeyAscii) {
    if (KeyAscii == 13) {
        insertSelection();
        closeToSummary(Accepted);
    } else if (KeyAscii == 27) {
        closeToSummary(Rejected);
    }
}

void frmActivity::escapeKey() {
    mnuReturn_Click();
}

void frmActivity::List1_DblClick() {
    mnuDone_Click();
}

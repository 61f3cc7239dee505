#include "ListDialog.h"

#include "core/logic/LookupLists.h"
#include "core/logic/SharedState.h"
#include "core/logic/TextPrinting.h"
#include "core/windows/ChildWindows.h"
#include "core/windows/ListRefill.h"
#include "core/windows/frmMain.h"
#include "platform/data/AppError.h"
#include "platform/data/BusyCursor.h"
#include "platform/data/Dialogs.h"
#include "platform/widgets/AccessKeys.h"
#include "platform/widgets/BoxTable.h"
#include "platform/widgets/ModalWindows.h"
#include "platform/widgets/SortedItems.h"
#include "platform/widgets/Twips.h"
#include "timelog/logic/ListEditing.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

namespace {

const QString CrLf = QStringLiteral("\r\n");

using BoxTable::cell;
using BoxTable::Shape;

// The entry box over the list, each in its frame, made in the order the tab key walks them;
// the window of each list captions the frames.
constexpr BoxTable::Part Texts[] = {
    {1, "Frame1", nullptr, "Text1", Shape::Line, cell(0, 0)},
    {1, "Frame2", nullptr, "List1", Shape::List, cell(1, 0)},
};
// Names: the first and the last name side by side over the list.
constexpr BoxTable::Part Names[] = {
    {1, "Frame1", nullptr, "Text1", Shape::Line, cell(0, 0)},
    {1, "Frame2", nullptr, "Text2", Shape::Line, cell(0, 1)},
    {1, "Frame3", nullptr, "List1", Shape::List, cell(1, 0, 1, 2)},
};

QVariant valueOf(const ListItem& item) {
    return QStringList{item.last, item.first};
}

ListItem itemOf(const QListWidgetItem* item) {
    const QStringList names = item->data(Qt::UserRole).toStringList();
    return {item->text(), names.value(0), names.value(1)};
}

// The character code of Enter and Esc, 0 for other keys.
int keyAscii(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        return 0;
    }
}

} // namespace

ListDialog::ListDialog(int list, QWidget* parent)
    : QDialog(parent ? parent : frmMain::instance()), Frame3(nullptr), Text2(nullptr),
      menuBar(new QMenuBar(this)), m_list(list) {
    menuBar->setObjectName(QStringLiteral("menuBar"));
    AccessKeys::guardShared(menuBar); // "&Delete" and "&Done" share their key
    // The frames 50 twips apart and from the window's edges, the name frames side by side;
    // a box 100 twips in from its frame's sides and bottom.
    const int gap = Twips::toPixels(50);
    auto* layout = new QGridLayout(this);
    layout->setMenuBar(menuBar);
    layout->setContentsMargins(gap, gap, gap, gap);
    layout->setHorizontalSpacing(0);
    layout->setVerticalSpacing(gap);
    const int inset = Twips::toPixels(100);
    using Table = std::span<const BoxTable::Part>;
    const Table table = ListTables::hasNames(list) ? Table(Names) : Table(Texts);
    const BoxTable::Built boxes =
        BoxTable::build(table, {this}, {Qt::Vertical, QMargins(inset, inset, inset, inset)});
    Frame1 = boxes.frame("Frame1");
    Frame2 = boxes.frame("Frame2");
    Frame3 = boxes.frame("Frame3");
    Text1 = boxes.box<QLineEdit>("Text1");
    Text2 = boxes.box<QLineEdit>("Text2");
    List1 = boxes.box<QListWidget>("List1");
    for (QWidget* box : QList<QWidget*>{Text1, Text2, List1})
        if (box)
            box->installEventFilter(this);
}

void ListDialog::execModal() {
    Form_Load();
    ModalWindows::exec(*this);
}

void ListDialog::Form_Load() {
    m_path = gstrDatabasePath;
    {
        BusyCursor busy;
        try {
            QStringList texts;
            QVariantList values;
            for (const ListItem& item : ListEditing::load(m_path, m_list)) {
                texts << item.text;
                values << valueOf(item);
            }
            fillSorted(List1, texts, values);
            m_loaded = true;
        } catch (const AppError& e) {
            busy.release();
            report(e);
        }
    }
    if (const QWidget* main = parentWidget(); main && m_coversMainWindow) {
        move(main->pos());
        resize(main->size());
    }
}

void ListDialog::report(const AppError& error) {
    Dialogs::msgBox(QStringLiteral("Error in ") + windowTitle() + QStringLiteral(" module: ") +
                    error.description());
}

void ListDialog::mnuAdd_Click() {
    const QString typedLast = Text2 ? Text2->text() : QString();
    const QString refused = ListEditing::refusal(m_list, Text1->text(), typedLast);
    if (!refused.isEmpty()) {
        if (Text2) {
            Text1->clear();
            Text2->clear();
        }
        Dialogs::msgBox(refused);
        Text1->setFocus();
        return;
    }
    const ListItem item = ListEditing::entryOf(m_list, Text1->text(), typedLast);
    try {
        ListEditing::add(m_path, m_list, item);
    } catch (const AppError& e) {
        // Nothing is listed that the table does not hold; what was typed stays to be mended.
        report(e);
        Text1->setFocus();
        return;
    }
    List1->scrollToItem(addSorted(List1, item.text, valueOf(item)));
    Text1->clear();
    if (Text2)
        Text2->clear();
    Text1->setFocus();
}

void ListDialog::mnuDelete_Click() {
    const QList<int> rows = selectedRows();
    if (rows.isEmpty())
        return;
    QList<ListItem> items;
    for (int row : rows)
        items << itemOf(List1->item(row));
    try {
        BusyCursor busy;
        ListEditing::remove(m_path, m_list, items);
    } catch (const AppError& e) {
        report(e); // nothing was deleted: the items stay
        return;
    }
    // Unselected first and taken from the bottom up, the items go without the list
    // reworking its selection for each of them.
    List1->clearSelection();
    for (auto row = rows.crbegin(); row != rows.crend(); ++row)
        delete List1->takeItem(*row);
}

void ListDialog::refreshLists() {
    if (!m_loaded)
        return; // the list does not show the table
    refillLookupList(m_list, itemsOf(List1));
}

void ListDialog::mnuDone_Click() {
    refreshLists();
    accept();
}

void ListDialog::mnuReturn_Click() {
    reject();
}

void ListDialog::mnuPrintList_Click() {
    QString text = m_printHeading;
    for (const QString& item : itemsOf(List1))
        text += item + CrLf;
    PrintLine line;
    line.Text = text;
    line.FontName = gstrPrintFontName;
    line.FontSize = gstrPrintFontSize;
    gPrintLines = {line};
    PrintTextArray(gPrintLines);
}

QList<int> ListDialog::selectedRows() const {
    return selectedRowsOf(List1);
}

QStringList ListDialog::selectedTexts() const {
    return selectedItemsOf(List1);
}

void ListDialog::Text1_KeyPress(int KeyAscii) {
    if (KeyAscii == 13)
        mnuAdd_Click();
    else if (KeyAscii == 27)
        mnuDone_Click();
}

void ListDialog::Text2_KeyPress(int KeyAscii) {
    if (KeyAscii == 13)
        mnuAdd_Click();
    else if (KeyAscii == 27)
        mnuDone_Click();
}

void ListDialog::List1_KeyPress(int KeyAscii) {
    if (KeyAscii == 27)
        escapeKey();
}

void ListDialog::List1_KeyDown(int KeyCode) {
    if (KeyCode == 46 && m_deleteKey)
        mnuDelete_Click();
}

bool ListDialog::eventFilter(QObject* watched, QEvent* event) {
    // The boxes would leave Enter and Esc to the dialog, whose own Esc closes it without
    // Done's refresh; here each box gives them its meaning.
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int ascii = keyAscii(key);
    if (watched == List1 && key->key() == Qt::Key_Delete)
        List1_KeyDown(46);
    else if (!ascii)
        return false;
    else if (watched == List1)
        List1_KeyPress(ascii);
    else if (watched == Text1 && !Text2)
        Text1_KeyPress(ascii);
    else if (watched == Text2)
        Text2_KeyPress(ascii);
    else if (ascii == 27)
        escapeKey(); // the first-name box has no key of its own
    else
        return false;
    return true;
}

void ListDialog::keyPressEvent(QKeyEvent* event) {
    if (keyAscii(event) == 27)
        escapeKey();
    else
        QDialog::keyPressEvent(event);
}

void ListDialog::escapeKey() {
    mnuDone_Click();
}

void ListDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Text1->setFocus();
}

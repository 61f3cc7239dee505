#pragma once

#include "core/logic/ListTables.h"
#include "platform/widgets/WindowParts.h"

#include <QDialog>
#include <QMenuBar>

class AppError;
class QGroupBox;
class QLineEdit;
class QListWidget;

// What the five list windows share: one table behind a pick list, shown in a sorted list
// with extended selection; an entry box (two, first and last name, for clients and
// employees); commands on the menu bar that add and delete rows at once, print the list, and
// end the window with Done (which refreshes the lookup list and the current Data entry
// window's box from this list) or Return (which refreshes nothing). Enter in the entry box
// adds; the Delete key in the list deletes where the window allows it; Esc is Done.
class ListDialog : public QDialog {
    Q_OBJECT

public:
    // Shows a list window modally, on gstrDatabasePath.
    template <class Window>
    static void showModal() {
        Window window;
        window.execModal();
    }

    void Form_Load();

    virtual void mnuAdd_Click();
    virtual void mnuDelete_Click();
    virtual void mnuDone_Click();
    virtual void mnuReturn_Click();
    virtual void mnuPrintList_Click();

    // Keys of the entry boxes and the list, as their character or key codes (13 Enter,
    // 27 Esc; key code 46 Delete).
    virtual void Text1_KeyPress(int KeyAscii);
    void Text2_KeyPress(int KeyAscii);
    virtual void List1_KeyPress(int KeyAscii);
    void List1_KeyDown(int KeyCode);

    // Whether the table was read when the window loaded (only then may Done refresh the
    // lookup list from this list).
    bool loaded() const { return m_loaded; }

    QGroupBox* Frame1;  // the entry box's frame (names: the first name's)
    QGroupBox* Frame2;  // single texts: the list's frame; names: the last name's
    QGroupBox* Frame3;  // names: the list's frame; nullptr otherwise
    QLineEdit* Text1;   // the entry (names: the first name)
    QLineEdit* Text2;   // names: the last name; nullptr otherwise
    QListWidget* List1; // the rows of the table, sorted
    QMenuBar* menuBar;  // the commands
    QAction* mnuReturn = nullptr;
    QAction* mnuAdd = nullptr;
    QAction* mnuDelete = nullptr;
    QAction* mnuPrintList = nullptr; // none where the window prints nothing
    QAction* mnuDone = nullptr;

protected:
    // list: the lookup list the window keeps (MainLists).
    ListDialog(int list, QWidget* parent);

    // The commands, in their order on the menu bar.
    template <class Window>
    QAction* addCommand(const char* name, const QString& caption, void (Window::*handler)()) {
        return addMenuItem(menuBar, name, caption, static_cast<Window*>(this), handler);
    }
    // The list frame's caption and the printout's heading (before the items).
    QGroupBox* listFrame() const { return Frame3 ? Frame3 : Frame2; }
    void setPrintHeading(const QString& heading) { m_printHeading = heading; }
    // Whether the Delete key in the list deletes.
    void setDeleteKey(bool on) { m_deleteKey = on; }
    // Whether the window lies over the main window when it opens.
    void setCoversMainWindow(bool on) { m_coversMainWindow = on; }

    // Shows an engine error in the window's own words; the window stays usable.
    void report(const AppError& error);
    // Done's refresh: the lookup list, and the current Data entry window's box when one is
    // current and open.
    void refreshLists();
    // The rows of the selected items, and their texts, in list order.
    QList<int> selectedRows() const;
    QStringList selectedTexts() const;
    void execModal();

    // Esc where no box gives it a meaning: Done.
    virtual void escapeKey();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    int m_list;
    QString m_path;
    QString m_printHeading;
    bool m_loaded = false;
    bool m_deleteKey = true;
    bool m_coversMainWindow = true;
};

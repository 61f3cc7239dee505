#pragma once

#include "thingstodo/logic/ToDoList.h"

#include <QDialog>

class QMenu;
class QMenuBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

// The to-do list ("To Do List"): the things to do of one file, for clients and projects, in a
// five-column list. Sorting, re-ranking and deleting change only the list until Done writes
// it back; the add and change dialogs write their item at once. Modal; Return, Enter or Esc
// in the list, and the close box leave without writing.
class frmToDo : public QDialog {
    Q_OBJECT

public:
    // Shows the window modally, on gstrDatabasePath.
    static void showModal();

    explicit frmToDo(QWidget* parent = nullptr);

    void Form_Load();
    void Form_Resize();
    void Toolbar1_ButtonClick(const QString& key);
    // The clicked header, from 0.
    void ListView1_ColumnClick(int column);
    // A press and a release over the list (view coordinates).
    void ListView1_MouseDown(const QPoint& at);
    void ListView1_MouseUp(const QPoint& at);

    void mnuReturn_Click();
    void mnuProgramFont_Click();
    void mnuPrintFont_Click();
    void mnuAddItem_Click();
    void mnuDeleteItem_Click();
    void mnuEditItem_Click();
    void mnuPrint_Click();
    void mnuDone_Click();

    const ToDoList& list() const { return m_list; }
    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);

    QToolBar* Toolbar1;
    QTreeWidget* ListView1;
    QMenuBar* menuBar;
    QAction* mnuReturn;
    QMenu* mnuFonts;
    QAction* mnuProgramFont;
    QAction* mnuPrintFont;
    QAction* mnuAddItem;
    QAction* mnuDeleteItem;
    QAction* mnuEditItem;
    QAction* mnuPrint;
    QAction* mnuDone;

public Q_SLOTS:
    // Every way of closing the window saves its position.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showRows();
    void showRow(int row);
    void showSortIndicator();

    QString m_path;
    ToDoList m_list;
    int m_pressedRow = -1;
};

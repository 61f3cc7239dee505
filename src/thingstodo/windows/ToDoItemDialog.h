#pragma once

#include <QDialog>
#include <QList>

class Database;
class PickListOverlay;
class DateBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenuBar;
class QRadioButton;
class QToolBar;

// What the add and change dialogs of the to-do list share: the text of the thing to do with
// the activity pick list on F3, the deadline, the five priority levels, the Return and Done
// commands on a toolbar and the menu bar, and their place beside the to-do window.
class ToDoItemDialog : public QDialog {
    Q_OBJECT

public:
    void Toolbar1_ButtonClick(const QString& key);
    virtual void mnuDone_Click() = 0;
    void mnuReturn_Click();

    QToolBar* Toolbar1;
    QMenuBar* menuBar;
    DateBox* DTPicker1;
    QGroupBox* Frame1;
    QList<QRadioButton*> Option1; // "1" to "5"
    PickListOverlay* activities;  // the activity pick list
    QAction* mnuReturn;
    QAction* mnuDone = nullptr;

    // The level chosen, 1 to 5.
    int level() const;

protected:
    // textBox: the thing to do, which takes Enter (Done), Esc (Return) and F3 (activities).
    ToDoItemDialog(QWidget* owner, const QString& caption, QLineEdit* textBox);

    QLineEdit* textBox() const { return m_textBox; }
    void addDoneCommand();
    // Selects a level; one outside 1 to 5 selects 3.
    void setLevel(int level);
    // The activities of the file, in table order.
    void loadActivities(const Database& db);
    QLabel* newLabel(const char* name, const QString& caption);
    // Lays the dialog out: the menu bar, the toolbar, the dialog's own boxes, then the deadline
    // beside the priority levels.
    void layOut(QGridLayout* boxes);

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_textBox;
};

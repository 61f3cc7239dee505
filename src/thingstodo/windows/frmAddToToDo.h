#pragma once

#include "ToDoItemDialog.h"
#include "thingstodo/logic/ToDoItems.h"

#include <optional>

class QListWidget;

// "Add to the To Do list": a new item for a client or a project, stored in the file at once.
// The to-do window shows the item only once it is stored.
class frmAddToToDo : public ToDoItemDialog {
    Q_OBJECT

public:
    explicit frmAddToToDo(QWidget* owner = nullptr);

    void Form_Load();
    void mnuDone_Click() override;
    void mnuAllowance_Click();

    // The item stored, once Done has stored it.
    const std::optional<ToDoItem>& added() const { return m_added; }

    QListWidget* List1; // active clients, sorted
    QListWidget* List2; // projects, sorted
    QLineEdit* Text1;   // the thing to do
    QAction* mnuAllowance;

private:
    std::optional<ToDoItem> m_added;
};

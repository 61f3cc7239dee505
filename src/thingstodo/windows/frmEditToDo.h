#pragma once

#include "ToDoItemDialog.h"
#include "thingstodo/logic/ToDoItems.h"

#include <optional>

// "Edit To Do Item": a new text, deadline and priority for one item, written into its stored
// row at once. Its client or project stays: the name box puts the name back when typed into.
class frmEditToDo : public ToDoItemDialog {
    Q_OBJECT

public:
    frmEditToDo(const ToDoItem& item, QWidget* owner = nullptr);

    void Form_Load();
    void mnuDone_Click() override;
    void Text1_Change();

    // The item as stored, once Done has stored it.
    const std::optional<ToDoItem>& changed() const { return m_changed; }

    QLineEdit* Text1; // the client or project, fixed
    QLineEdit* Text2; // the thing to do

private:
    ToDoItem m_item;
    std::optional<ToDoItem> m_changed;
};

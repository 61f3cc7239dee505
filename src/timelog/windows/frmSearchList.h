#pragma once

#include <QDialog>

class QListWidget;

// The pick list: a client, an employee or a project chosen from the lists the main window
// caches. The caller sets gintSearchType (1 clients, 3 employees, 4 projects) and the caption,
// shows it (ModalWindows::exec) and reads gstrClient, gstrEmployee or gstrProject. The result
// is Accepted only when an entry was chosen; closed without a choice, the variable keeps its
// value.
class frmSearchList : public QDialog {
    Q_OBJECT

public:
    explicit frmSearchList(QWidget* parent = nullptr);

    void Form_Load();
    // The first click or keyboard move onto an entry chooses it and closes the list.
    void List1_Click();

    // Whether an entry was chosen.
    bool chosen() const { return m_chosen; }

    QListWidget* List1;

private:
    void placeOnMainWindow();

    int m_selector = 0; // gintSearchType at load
    bool m_chosen = false;
};

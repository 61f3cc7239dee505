#pragma once

#include "ClientBoxes.h"
#include "platform/data/Database.h"

#include <QDialog>
#include <QList>
#include <QString>

class DataControl;
class DataNavigator;
class DateBox;
class QAction;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QTabWidget;
class RecordScrollBar;

// The inactive clients window, modal. List mode shows the active and the inactive clients side
// by side; a click on an active name (or Enter on the chosen one) moves that client to the
// inactive list after a question and a closure date. Record mode browses the inactive clients
// one at a time, their fields bound to the boxes, with a navigator and a scroll bar.
class frmInactiveClients : public QDialog {
    Q_OBJECT

public:
    enum class Mode { List, Record };

    // Opens the window on gstrDatabasePath and returns when it is closed.
    static void showModal();

    explicit frmInactiveClients(QWidget* parent = nullptr);
    ~frmInactiveClients() override;

    // Fills both lists from gstrDatabasePath and stands in list mode; false when the file could
    // not be read (the message has been shown).
    bool Form_Load();
    void Form_Resize();
    void List1_Click();
    void mnuDeactivateClient_Click();
    void mnuDisplayInactiveClients_Click();
    void mnuSave_Click();
    void mnuReturn_Click();
    void Adodc1_MoveComplete(int adReason);
    void Adodc1_Error(int number, const QString& description);

    Mode mode() const { return m_mode; }
    // The box bound to a field of `Inactive Clients`, and the frame around it.
    QWidget* boxOf(const QString& field) const;
    QGroupBox* frameOf(const QString& field) const;

    QLabel* Label1;
    QLabel* Label2;
    QListWidget* List1;  // the active clients
    QListWidget* List2;  // the inactive clients
    QWidget* ListMode;   // the lists and their labels
    QWidget* RecordMode; // the tab strip, the scroll bar and the navigator
    QTabWidget* TabStrip1;
    DateBox* DTPicker1;
    DateBox* DTPicker2;
    RecordScrollBar* HScroll1;
    DataControl* Adodc1;
    DataNavigator* Adodc1Navigator;
    QAction* mnuReturn;
    QAction* mnuSave;
    QAction* mnuDeactivateClient;
    QAction* mnuDisplayInactiveClients;

public Q_SLOTS:
    // Return, Esc and the close box: a pending edit is written first, and a write that fails
    // keeps the window open.
    void reject() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setMode(Mode mode);
    void moveClient(QListWidgetItem* item);

    Database m_db;
    BoxTable::Built m_bound;
    Mode m_mode = Mode::List;
    int m_errors = 0; // errors the navigator reported so far
};

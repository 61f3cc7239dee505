#pragma once

#include "MenuBarWindow.h"

#include <QString>
#include <QStringList>

class DataControl;
class QLabel;

// What Display and Data entry windows share: a tag ("1", "2" ...), a caption, the hidden
// path label of the window's own database file, the hidden search label, the window-command
// prologue and the menu bar that the main window shows while this window is active.
class ChildWindow : public MenuBarWindow {
    Q_OBJECT

public:
    enum class Kind { Display, Entry };

    explicit ChildWindow(Kind kind, QWidget* parent = nullptr);
    ~ChildWindow() override;

    Kind kind() const { return m_kind; }
    QString Tag() const;
    void setTag(const QString& tag);
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }

    // The path of this window's database file.
    QString path() const;
    void setPath(const QString& path);
    // The search label: its caption (a Display window's full statement) and its tag (the WHERE
    // clause).
    QString sqlWhereCaption() const;
    void setSqlWhereCaption(const QString& text);
    QString sqlWhereTag() const;
    void setSqlWhereTag(const QString& text);

    // Tells the shared state which window and which file the next command is about.
    void runPrologue();

    // Whether the window has been closed (it may live on until Qt deletes it).
    bool isClosed() const { return m_closed; }

    // Runs when the window becomes the active child window.
    virtual void Form_Activate();
    // Shows a text in the window's status line.
    virtual void setStatusText(const QString& text) { Q_UNUSED(text); }
    // Runs when another child window becomes the active one.
    virtual void Form_LostFocus() {}
    // The data control of a window that browses records (nullptr for one that browses none).
    virtual DataControl* dataControl() { return nullptr; }
    // Puts a window that browses records on another record source (a connection string and a
    // statement) and runs it; windows that browse nothing ignore it.
    virtual void setRecordSource(const QString& connectionString, const QString& recordSource) {
        Q_UNUSED(connectionString);
        Q_UNUSED(recordSource);
    }
    // What a refilled combo box shows afterwards: nothing, or the text it showed before.
    enum class BoxText { Cleared, Kept };
    // Gives the window's box of a lookup list (MainLists::Clients ...) these items; windows
    // without such a box ignore it.
    virtual void refillList(int list, const QStringList& items, BoxText text) {
        Q_UNUSED(list);
        Q_UNUSED(items);
        Q_UNUSED(text);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The "&Window" menu: the three arrangements and, below them, the open child windows.
    QMenu* addWindowMenu();

    QLabel* Label2;   // hidden: the path of this window's database file
    QLabel* SQLWhere; // hidden: the statement (caption) and its WHERE clause (tag)

private:
    Kind m_kind;
    bool m_closed = false;
};

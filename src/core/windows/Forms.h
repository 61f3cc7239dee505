#pragma once

#include <QList>
#include <QString>

class QWidget;

// The program's loaded windows in the order they were loaded: the main window first, then
// child windows and free-standing windows. Closed windows drop out. Exit closes them newest
// first; Back and Forward walk them.
namespace Forms {

void add(QWidget* form);
void remove(QWidget* form);
QList<QWidget*> list();
int count();

// The tag of a window (the "Tag" property): "frmMain", "1", "2" ...
QString tag(const QWidget* form);
void setTag(QWidget* form, const QString& tag);
QString caption(const QWidget* form);
// Whether the window is a child window of the main window.
bool isMdiChild(const QWidget* form);
// Gives the window the focus (for a child window: makes it the active child window).
void setFocus(QWidget* form);
// Closes the window (a child window together with its frame); false when it stays open.
bool close(QWidget* form);

// Forgets every window (tests start each case from a fresh program).
void reset();

} // namespace Forms

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QVariantList>

class frmDisplay;
class frmMain;

// What the transfer tests share: a program with its Display window on a file, and the rows of
// the files before and after.
namespace TransferTest {

// Registers the windows and the transfer commands (once per test program).
void registerCommands();
// Display window 1 of the main window, on the file, showing a record source ("" for every log);
// it is the current Display window and its prologue has run.
frmDisplay* startDisplay(const QString& path, const QString& recordSource = {});

// Appends a log; an invalid QVariant stores NULL. Returns its Indexing Field.
struct Log {
    QVariant client, project, employee, rate, notes, graphic, summary, beginning, ending, duration,
        fee;
};
qint64 addLog(const QString& path, const Log& log);
// Appends an active client with its names and the given other fields (name -> value).
void addClient(const QString& path, const QString& last, const QString& first,
               const QVariantMap& fields = {});

// The rows of a statement on a file, each value as the engine returns it, NULL as an invalid
// QVariant.
QList<QVariantList> rows(const QString& path, const QString& sql);
// Every row of every table but the given one, in table order: what a copy must keep.
QString tablesExcept(const QString& path, const QString& table);

// A test class of the transfers derives from it: before each test function the program starts
// afresh with its main window, a folder of its own, and the window's own file "own.mdb" in it.
class Fixture : public QObject {
protected:
    frmMain* m_main = nullptr;
    QString m_folder;
    QString m_own;

    void start();
};

} // namespace TransferTest

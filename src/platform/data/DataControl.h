#pragma once

#include "Database.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSqlRecord>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <functional>
#include <memory>

class TableRows;

// A data control and its recordset: a record source (a statement in the Jet dialect) on a
// database file, one current row, moves, positions, bookmarks, deletion, and an edit buffer
// that is written when the row is left, as the bound boxes of a window expect.
//
// Rows of a source that lists one table ("SELECT * FROM T [WHERE ...] [ORDER BY ...]") are
// kept as an ordered list of row ids only, and a row is read when it becomes current, so a
// large table costs a few bytes a row. Controls on the same source and file share that list,
// and a Refresh after this program changed some rows costs what changed (see TableRows).
// Rows that tie on the source's order follow their row ids. A row that another window
// deleted meanwhile is passed over. Any other source (a join, chosen columns) is read whole
// and cannot be changed. No statement stays open between calls, so the control never blocks
// another writer.
//
// Position rules follow ADO's recordset: an empty set is at BOF and at EOF; MoveNext past the
// last row gives EOF and no current row, MovePrevious before the first gives BOF; after Delete
// there is no current row until the next move, which goes on from where the deleted row stood.
class DataControl : public QObject {
    Q_OBJECT
public:
    // Why a move happened (ADO's EventReasonEnum).
    enum EventReason {
        adRsnAddNew = 1,
        adRsnDelete = 2,
        adRsnUpdate = 3,
        adRsnUndoUpdate = 4,
        adRsnUndoAddNew = 5,
        adRsnUndoDelete = 6,
        adRsnRequery = 7,
        adRsnResynch = 8,
        adRsnClose = 9,
        adRsnMove = 10,
        adRsnFirstChange = 11,
        adRsnMoveFirst = 12,
        adRsnMoveNext = 13,
        adRsnMovePrevious = 14,
        adRsnMoveLast = 15
    };
    // AbsolutePosition when there is no current row (ADO's PositionEnum).
    enum Position { adPosUnknown = -1, adPosBOF = -2, adPosEOF = -3 };
    // Error numbers of the recordset's own refusals (ADO's).
    enum Error {
        NoCurrentRecord = 3021, // a move past BOF/EOF, or a change without a current row
        InvalidArgument = 3001, // a position out of range, a bookmark not in the set
        ReadOnlySource = 3251,  // a change to a source that is not one table
        UnknownField = 3265,    // a field name the source does not have
        RowChanged = 3197,      // the row holds other values than those read: nothing written
        RowGone = 3640          // the record shown is no longer in its table: nothing written
    };
    // Whether an error is a write refused because the record changed or went since it was read;
    // its description is a message of its own, naming the record.
    static bool isWriteConflict(int number) { return number == RowChanged || number == RowGone; }

    // Runs before an edit is written: may change, add or remove columns in `changes` (the
    // values to write, by field name) and may refuse the write by returning false, after
    // telling the user why. `current` is the row as stored (empty for a new row).
    using CommitHook = std::function<bool(QVariantMap& changes, const QSqlRecord& current)>;

    explicit DataControl(QObject* parent = nullptr);
    // Closing the widget that is the control's parent writes a pending edit; a write that
    // fails or is refused keeps that widget open. Destroying the control without that close
    // writes it too, so the window's commit hook must still be callable then.
    ~DataControl() override;

    // The database file; takes effect at the next Refresh.
    void setDatabasePath(const QString& path);
    QString databasePath() const { return m_path; }
    // The same from a connection string ("...;Data Source=<path>").
    void setConnectionString(const QString& connectionString);
    QString connectionString() const { return m_connectionString; }
    // The statement in the Jet dialect, with the values of its '?' placeholders in order (a
    // typed term or date never becomes SQL text); takes effect at the next Refresh.
    void setRecordSource(const QString& jetSql, const QVariantList& parameters = {});
    QString recordSource() const { return m_source; }
    QVariantList recordSourceParameters() const { return m_params; }
    // The open file (invalid before the first successful Refresh); for running several writes
    // as one transaction around AddNew/Update.
    const Database& database() const { return m_db; }
    // Whether the source is one table whose rows can be changed, added and deleted.
    bool isUpdatable() const { return !m_table.isEmpty(); }
    // The table of an updatable source ("" otherwise).
    QString tableName() const { return m_table; }
    // The row ids of an updatable source's rows, in the set's order ({} for any other
    // source); rows that another window deleted may still be among them.
    QList<qint64> rowIds() const { return isUpdatable() ? m_keys : QList<qint64>(); }

    // Writes a pending edit, runs the source again and stands on its first row.
    bool Refresh();
    // The same, but stands on the row it stood on (the first row when that one is gone).
    bool RefreshKeepingRow();
    // Moves emit moveComplete; each first writes a pending edit, and a write that fails or is
    // refused cancels the move (false) so that nothing typed is lost.
    bool MoveFirst();
    bool MoveLast();
    bool MoveNext();
    bool MovePrevious();
    // EOF is a macro of the C library, hence the is- names.
    bool isBOF() const;
    bool isEOF() const;
    bool hasCurrentRow() const;
    int RecordCount() const;
    // 1-based position of the current row, or a Position value.
    int AbsolutePosition() const;
    // Moves to the 1-based position; out of range is an error and nothing moves.
    bool setAbsolutePosition(int position);
    // A value that identifies the current row (invalid when there is none).
    QVariant Bookmark() const;
    // Moves to the row that the bookmark identifies.
    bool setBookmark(const QVariant& bookmark);
    // Deletes the current row from its table; a pending edit of it is dropped. Only a row that
    // still holds every value read is deleted; else nothing is (RowChanged or RowGone), and a
    // row still there is shown as it now stands.
    bool Delete();

    // Field names of the source, in order.
    QStringList fieldNames() const { return m_fieldNames; }
    // A field of the current row (the edited value while an edit is pending); field names are
    // compared without regard to case. Invalid when there is no current row.
    QVariant value(const QString& field) const;
    // The current row as stored (empty when there is none).
    QSqlRecord record() const;

    // Puts a value into the edit buffer of the current (or new) row.
    bool setValue(const QString& field, const QVariant& value);
    // Starts a new row at the end of the set; it is written by Update or when it is left.
    bool AddNew();
    // Writes the pending edit (or the new row) now. An edit writes only the fields changed, and
    // only into a row that still holds the values read in those fields and in its identity (its
    // key fields, or every field of a table without a key). When another window or program
    // changed the row meanwhile, nothing is written (RowChanged): the row is shown as it now
    // stands, with the edit kept over it for the next write. When the record is gone (its row
    // deleted, or its row id now another record's), the edit is dropped (RowGone), the control
    // stands on no row, as after Delete, and nothing is left to keep: true.
    bool Update();
    // Drops the pending edit (or the new row) and shows the row as stored.
    void CancelUpdate();

    // How the messages of refused writes name the record, from its values as read (default:
    // "The record shown").
    void setRecordName(std::function<QString(const QSqlRecord& row)> name) {
        m_recordName = std::move(name);
    }

    // The window's rule for every write (see CommitHook); runs after the field hooks.
    void setBeforeCommit(CommitHook hook) { m_beforeCommit = std::move(hook); }
    // Bound boxes add their typed values to `changes` here, converting them, or refuse the
    // write (after telling the user why). Returns an id for removeFieldHook.
    int addFieldHook(std::function<bool(QVariantMap& changes)> hook);
    void removeFieldHook(int id);

    // Calls fn with the values of every row of the set, in order, without moving the current
    // row; fn may take them and returns false to stop. Rows are read in batches; rows deleted
    // meanwhile are passed over. With columns named, the rows of a table source carry only
    // those of them that it has; `text` as for Database::readRows. Returns the names of the
    // fields, in the order of the values. Throws AppError when the rows cannot be read.
    QStringList forEachRow(const std::function<bool(QVariantList& values)>& fn,
                           const QStringList& columns = {},
                           Database::TextForm text = Database::TextAsQString) const;
    // The same values of every row in one read, kept as the engine gave them, with the names
    // of the fields in `names`: a report's thousands of rows read as one ordered statement.
    // False, reading nothing into them, when that statement does not give the rows of the set
    // exactly (a source read whole, rows changed since the set was read): forEachRow reads
    // them then.
    bool readRowsInOrder(Database::Rows& rows, QStringList& names,
                         const QStringList& columns = {}) const;

Q_SIGNALS:
    // The values of the current row changed (a move, a write, CancelUpdate): bound boxes
    // show them again. Emitted before moveComplete.
    void fieldsChanged();
    // After every move, Refresh, AddNew and Delete, with the reason (EventReason).
    void moveComplete(int reason);
    // An engine error or a refused operation; the control stays as it was.
    void error(int number, const QString& description);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool fail(int number, const QString& description);
    // Brings the set up to date in one read of the file, then runs `then` inside that read.
    bool reload(const std::function<void()>& then = [] {});
    // Brings the set up to date inside reload's read (mark: the file's now); throws AppError.
    // A record source as read, kept per text (DataControl.cpp); kept out of this header so
    // that windows keep the name RecordSource for their own statements.
    struct Source;
    struct TablePlan;
    static std::shared_ptr<const Source> sourceText(const QString& jetSql);
    // What a table source needs on this file; nothing when its table is not there.
    static std::shared_ptr<const TablePlan> tablePlan(const Database& db, const Source& source,
                                                      qint64 schemaVersion);
    void readSet(const Database& db, const Source& source, bool sameFile,
                 const Database::ChangeMark& mark);
    bool requery(bool keepRow);
    // Both read into the members only once the statement has run; they throw AppError.
    void loadTableKeys(const Database& db, const TablePlan& plan, const Source& source,
                       const Database::ChangeMark& mark);
    void loadAllRows(const Database& db, const QString& sql);
    bool fetch(qint64 key, Database::Row& row) const;
    // The index of a row id in the set, or -1.
    qsizetype indexOfKey(qint64 key) const;
    // The values of a new row: the fields' defaults.
    QVariantList newRow() const;
    void arrive(int index, int direction);
    bool moveTo(int index, int direction, int reason);
    bool leaveRow(bool* wrote = nullptr);
    bool prepareChanges(QVariantMap& changes);
    bool writeChanges(const QVariantMap& changes);
    // " AND" the field holds the value read, for each field, with the values added to params.
    QString asRead(const QList<int>& fields, QVariantList& params) const;
    // A write by row id and values read matched no row: says so, and shows the row as it now
    // stands (the edit kept over it) or leaves it when the record is gone. Returns whether the
    // record is still there.
    bool refusedWrite(const QVariantMap& changes, const QString& consequence,
                      const QString& consequenceGone);
    bool insertRow(const QVariantMap& changes);
    void rowVanished();
    void reread();
    QString canonicalField(const QString& field) const;
    // The fields among `columns` that the table has (all when none), and the same quoted for
    // a statement ("" for all).
    void chosenFields(const QStringList& columns, QStringList& names, QString& chosen) const;

    QString m_connectionString;
    QString m_path;
    QString m_source;
    QVariantList m_params;
    Database m_db;
    QString m_openedPath;                   // the path m_db was opened by
    QString m_loadedSql;                    // the translated statement whose rows are held
    QVariantList m_loadedParams;            // and its parameters
    Database::ChangeMark m_keysMark;        // the file's history when the rows were read
    std::shared_ptr<TableRows> m_tableRows; // updatable source: the shared list of its ids

    QString m_table;       // updatable source: its table, else ""
    QString m_rowSql;      // reads one row by id
    QList<int> m_identity; // columns that say which record a row is: the key, else all
    QStringList m_fieldNames;
    QHash<QString, int> m_fieldIndex; // lower-case name -> column
    QSqlRecord m_emptyRecord;         // the fields, without values

    // The rows of the set: row ids of the table, or indexes into m_rows for a read-only source.
    QList<qint64> m_keys;
    QList<QVariantList> m_rows; // read-only source only

    int m_pos = -1;          // index into m_keys; -1 is BOF, m_keys.size() is EOF
    bool m_deleted = false;  // the current row was deleted; m_pos is the row that followed it
    bool m_adding = false;   // a new row is being edited
    Database::Row m_current; // the current row as read ({} for none)
    QVariantMap m_changes;   // the edit buffer, by canonical field name

    CommitHook m_beforeCommit;
    std::function<QString(const QSqlRecord&)> m_recordName;
    QList<std::pair<int, std::function<bool(QVariantMap&)>>> m_fieldHooks;
    int m_nextHookId = 1;
};

#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

// One database file. Handles to the same file share one connection (found by the file's
// canonical path, or by its identity for a file opened under another name); the connection closes
// when the last handle goes. Every failure is thrown as an AppError with a description a user can
// act on, naming the file: a file that another program holds locked is said to be in use, and
// damage that the engine meets is named as such. From then on the program writes nothing into that
// file, and opens it again only once it changed (a backup copy put in its place).
class Database {
public:
    Database() = default;

    // Opens an existing database file. Refuses, before writing anything, a missing path, a
    // folder, an unreadable or read-only file, and anything that is not an SQLite file. The
    // engine first rolls back what a crash left unfinished; then a file that is shorter than
    // its header says, or that is small enough to check every page (up to 32 MB) and fails
    // that check, is refused as damaged.
    static Database open(const QString& path);
    // Opens an existing database file for reading only, on a connection of its own that open()
    // does not hand out: the same checks and messages as open, except that a read-only file is
    // accepted, and nothing at all is written to the file (another program's file, a backup).
    static Database openReadOnly(const QString& path);
    // Creates a new, empty database file at path. Refuses a path where anything exists.
    static Database create(const QString& path);
    // Makes a new database in an empty file that the caller has just made for it (a work file,
    // FileOps::WorkFile). Refuses anything else.
    static Database createIn(const QString& emptyFile);
    // Whether a handle currently holds this file open, under this name or another (a link).
    static bool isOpen(const QString& path);
    // A text's length as the engine counts it, in characters (a character outside the basic
    // plane is one, not two UTF-16 units): the rule of every length limit of the file.
    static qsizetype textLength(const QString& text);
    // The first n characters of a text, counted the same way.
    static QString textLeft(const QString& text, qsizetype n);

    bool isValid() const { return m_conn != nullptr; }
    QString path() const;
    QSqlDatabase connection() const;
    // The name of the connection (that of connection()), never given to another one.
    QString connectionName() const;
    sqlite3* handle() const;

    // Runs one statement with bound parameters ('?' placeholders, in order). A text bound to a
    // write (INSERT, UPDATE, DELETE) loses its NUL characters, as the quoting of a text in a
    // statement drops them: what is stored is what a search for it finds.
    QSqlQuery exec(const QString& sql, const QVariantList& params = {}) const;
    // A value as a write stores it: a text without its NUL characters.
    static QVariant asWritten(const QVariant& value);
    // The condition that a column (an expression) still holds a value as it was read, Null-safe
    // and letter case counting, its parameter added to params: for a write that must find the
    // row as it was read. A text with NUL characters, which the write's parameters lose, is
    // compared by its bytes.
    static QString holds(const QString& column, const QVariant& value, QVariantList& params);
    // Translates a statement written in the Jet dialect, then runs it.
    QSqlQuery execJet(const QString& jetSql, const QVariantList& params = {}) const;
    // Steps a query of this file to its next row: false at the end; a row that cannot be read
    // (damage met halfway) raises the AppError that names it.
    bool next(QSqlQuery& query) const;
    // The first column of the first row, or an invalid QVariant when there is no row.
    QVariant scalar(const QString& sql, const QVariantList& params = {}) const;
    // Runs fn as one unit: all its writes stand, or none (savepoints, so calls may nest).
    void transaction(const std::function<void()>& fn) const;
    // The first column of every row as a 64-bit integer (row ids), read through the engine's
    // own calls: a list of a million ids would spend most of its time in QVariant otherwise.
    // The statement is prepared once per connection and reset after use. `expected`, when
    // known, is room made beforehand, so that a long list is not moved while it grows.
    QList<qint64> rowIds(const QString& sql, const QVariantList& params = {},
                         qsizetype expected = 0) const;

    // The values of the first row of a statement, column by column, read as rowIds reads (a
    // row that a window shows is read at every move). The values are those of the Qt layer:
    // text, 64-bit integer, double, bytes, and a null text for a missing value. False when
    // there is no row.
    bool readRow(const QString& sql, const QVariantList& params, QVariantList& row) const;

    // A value as the engine gave it (Row, Rows).
    struct Cell {
        int type;
        int size; // of a text or bytes
        union {
            qint64 integer;
            double real;
            qsizetype offset; // of a text or bytes in the block
        };
        // The Qt layer's value, the bytes of texts being in `block`.
        QVariant value(const QByteArray& block) const;
    };

    // The values of one row kept as the engine gave them (texts in UTF-8, all in one block),
    // each made the Qt layer's value, as readRow gives it, only when asked for: a row read on
    // the way to another (a first row before a move to the last) converts no long notes.
    class Row {
    public:
        Row() = default;
        // Values given as they are (a new row's defaults, a row read whole).
        explicit Row(const QVariantList& values) : m_given(values) {}
        bool isEmpty() const { return m_cells.isEmpty() && m_given.isEmpty(); }
        // The value of a column; an invalid QVariant out of range.
        QVariant value(qsizetype column) const;
        void clear();

    private:
        friend class Database;
        QList<Cell> m_cells;
        QByteArray m_bytes;
        QVariantList m_given;
    };
    bool readRow(const QString& sql, const QVariantList& params, Row& row) const;

    // Every row of a statement kept as Row keeps one, all in two blocks: a report's rows cost
    // no value object a column. Returns the names of the columns. With `ids`, the first column
    // (a row id) goes there instead, as an integer.
    class Rows {
    public:
        int count() const { return m_count; }
        int columns() const { return m_columns; }
        // A value as readRows gives it; an invalid QVariant out of range.
        QVariant value(int row, int column) const;

    private:
        friend class Database;
        int m_columns = 0;
        int m_count = 0;
        QList<Cell> m_cells;
        QByteArray m_bytes;
    };
    QStringList readRows(const QString& sql, const QVariantList& params, Rows& rows,
                         QList<qint64>* ids = nullptr) const;

    // Runs a write (INSERT, UPDATE, DELETE) through the engine's own calls: a program that
    // writes a thousand rows would spend most of its time in the Qt layer otherwise. Its
    // parameters are bound as exec binds them (a null text is NULL, bytes are bytes, texts lose
    // their NUL characters). Returns how many rows it changed.
    qint64 write(const QString& sql, const QVariantList& params = {}) const;
    // Runs an INSERT as write does and returns the new row's id.
    qint64 insertRow(const QString& sql, const QVariantList& params) const;

    // Runs a statement and hands each row's values (as readRow gives them) to fn, which may
    // take them and returns false to stop; a report's thousands of rows are read so rather
    // than through the Qt layer's conversions. Returns the names of the columns. The
    // statement is finished before this returns.
    // With TextAsUtf8 a text arrives as its UTF-8 bytes (QByteArray), for a caller that keeps
    // many rows and converts a text only when it is shown.
    enum TextForm { TextAsQString, TextAsUtf8 };
    QStringList readRows(const QString& sql, const QVariantList& params,
                         const std::function<bool(QVariantList& row)>& fn,
                         TextForm text = TextAsQString) const;

    // Where the file's history stands, as seen from this connection.
    struct ChangeMark {
        qint64 dataVersion = -1;   // moves when another connection commits
        qint64 schemaVersion = -1; // moves when a table or an index is made, changed or dropped
        quint64 reported = 0;      // row changes reported by the engine on this connection
        qint64 counted = 0;        // row changes the engine counted on this connection
        bool operator==(const ChangeMark&) const = default;
    };
    ChangeMark changeMark() const;
    // Runs fn inside one read of the file: every statement fn runs sees the file as it stood
    // when the read began, and `now` is the mark of that moment (inside a transaction, the
    // transaction's own view). Costs less than a transaction: nothing is begun or released,
    // the engine's shared lock is held by one statement left open until fn returns, and the
    // schema's version is read again only when something was committed to the file since it
    // was last read. fn must only read.
    void read(const std::function<void(const ChangeMark& now)>& fn) const;
    // The ids of the rows of a table that this connection inserted, changed or deleted since
    // the mark, each once and in no order (a change rolled back since is among them). Nothing
    // when that cannot be known: another connection wrote, the schema changed, a change went
    // unreported, or too many changes happened to be remembered. `now`, when given, is the
    // connection's mark read in the same read of the file.
    std::optional<QList<qint64>> rowsChangedSince(const ChangeMark& mark,
                                                  const QString& table) const;
    std::optional<QList<qint64>> rowsChangedSince(const ChangeMark& mark, const ChangeMark& now,
                                                  const QString& table) const;

    // Makes a function of the program callable in this connection's statements by name, with
    // that many arguments: text arrives as QString, numbers as qint64 or double, NULL as an
    // invalid QVariant; the result goes back the same way. An AppError it throws fails the
    // statement with its description. Defining a name again replaces the function.
    using Function = std::function<QVariant(const QVariantList& arguments)>;
    void defineFunction(const QString& name, int arguments, Function function) const;

    // Names of the tables in the file, as stored.
    QStringList tableNames() const;
    // Whether a table of that name exists (names compared without regard to case).
    bool hasTable(const QString& name) const;

    // Writes a consistent copy of this file over an existing database file, through the
    // engine: a program that has that file open waits for the copy under the engine's locks,
    // and none of its writes goes into a file that was renamed away. All or nothing. Returns
    // false, writing nothing, when the existing file is no database. Throws AppError.
    bool copyOver(const QString& existingFile) const;

    // The shared connection behind handles (internal).
    struct Connection;

    // While it lives, the file of another handle is attached to this connection, read-only,
    // under a schema name, so that one statement reads there and writes here. Attach before a
    // transaction begins and let it go after the transaction has ended: the engine attaches
    // and detaches only outside one.
    class Attachment {
    public:
        Attachment() = default;
        ~Attachment();
        Attachment(Attachment&& other) noexcept = default;
        Attachment& operator=(Attachment&& other) noexcept;
        Attachment(const Attachment&) = delete;
        Attachment& operator=(const Attachment&) = delete;

    private:
        friend class Database;
        void detach();
        std::shared_ptr<Connection> m_conn;
        QString m_schema;
    };
    // Throws AppError when the engine refuses.
    Attachment attachReadOnly(const Database& other, const QString& schema) const;

    // Drops this handle's share of the connection.
    void close() { m_conn.reset(); }

private:
    enum class Mode { ReadWrite, ReadOnly, Create };
    static Database attach(const QString& canonical, Mode mode);
    std::shared_ptr<Connection> m_conn;
};

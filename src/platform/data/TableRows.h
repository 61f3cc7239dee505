#pragma once

#include "Database.h"
#include "RecordSource.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

// The ordered row ids of a record source that lists one table, kept once per file and
// statement for every data control on it: a second window on the same logs shares the first
// one's list instead of reading and holding its own. When the file has changed, the list is
// brought up to date by the rows that this program changed (the connection remembers them):
// those rows leave the list, and those that still belong to the set take their place in its
// order again, found by comparing them with the rows already there. Only a change that the
// connection cannot account for (another program wrote, the tables changed, too many rows
// changed) reads the whole list again.
class TableRows {
public:
    // A list of ids as of a point in the file's history.
    struct Snapshot {
        QList<qint64> ids;
        Database::ChangeMark mark;
        bool valid = false;
    };

    // The list of this source on this file, shared with every caller that asks for the same.
    // `columns` are the table's; `parameters` the values of the source's placeholders.
    // Nothing is read yet.
    static std::shared_ptr<TableRows> of(const Database& db, const QString& table,
                                         const RecordSource::SingleTable& source,
                                         const QStringList& columns,
                                         const QVariantList& parameters = {});
    // The same with the source's statements made already (RecordSource::idStatements).
    static std::shared_ptr<TableRows> of(const Database& db, const QString& table,
                                         const RecordSource::SingleTable& source,
                                         const RecordSource::IdStatements& sql,
                                         const QVariantList& parameters);

    // The ids of the set as the file holds them now (`now`, the connection's mark, read in the
    // same transaction). `own` is the caller's copy (its ids as of its mark, with the changes
    // it made itself since); the newest copy is taken as it stands when nothing changed
    // since. Throws AppError when the engine fails.
    Snapshot current(const Snapshot& own, const Database::ChangeMark& now);

    // The statements the list is read and kept up to date by.
    const RecordSource::IdStatements& statements() const { return m_sql; }

    TableRows(const Database& db, const QString& table, const RecordSource::IdStatements& sql,
              const QVariantList& parameters, bool followsChanges, bool wholeTable);

private:
    // The base list with the changed rows (sorted ids) placed anew; nothing when the list
    // turns out not to match the file.
    std::optional<QList<qint64>> merged(const QList<qint64>& base,
                                        const QList<qint64>& changed) const;
    // Whether row a comes before row b in the set's order.
    std::optional<bool> comesFirst(qint64 a, qint64 b) const;
    // How many ids a full read of the list may find, at most: room for them is made first.
    qsizetype expectedIds(const Snapshot& base) const;

    Database m_db;
    QString m_table;
    RecordSource::IdStatements m_sql;
    QVariantList m_params;
    bool m_followsChanges;
    bool m_wholeTable; // every row of the table is in the set
    Snapshot m_latest;
};

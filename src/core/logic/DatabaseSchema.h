#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class Database;

// The database file's format: eleven tables, their fields in order, two primary keys.
namespace Schema {

enum class FieldType { Text, Memo, Date, LongAuto, Single, Currency };

struct Field {
    QString name;
    FieldType type;
    int size = 0; // characters, Text fields only
};

struct Table {
    QString name;
    std::vector<Field> fields;
    QStringList primaryKey; // empty: no key
};

// The eleven tables, in the order in which a new file receives them.
const std::vector<Table>& tables();
// A table by name (compared without regard to case), or nullptr.
const Table* table(const QString& name);
// The eleven table names, in order.
QStringList tableNames();
// The statement that creates one table.
QString createTableSql(const Table& table);

// The default rows of a new file.
QStringList defaultActivities();
QStringList defaultProjects();
QStringList defaultRates();

// Builds the schema, its indexes and the default rows in an empty, open file, as one unit.
void build(const Database& db);

// An index that serves the program's own lists and searches; it changes no table, so any
// file may have it.
struct Index {
    QString name;
    QString table;
    QStringList columns;
};
const std::vector<Index>& indexes();
QString createIndexSql(const Index& index);
// Creates the indexes that a file lacks (on the tables it has).
void ensureIndexes(const Database& db);

} // namespace Schema

// Creates a new database file with the schema and the default rows at gstrDatabasePath.
// The file is built under a temporary name beside it and renamed into place when complete,
// so a failure leaves nothing behind. A path where a file exists is refused (AppError) and
// that file is not touched.
void CreateNewDatabase();
// The same at a given path.
void createDatabaseFile(const QString& path);

#include "DatabaseSchema.h"

#include "FilePlacement.h"
#include "SharedState.h"
#include "platform/data/Database.h"
#include "platform/data/TextLimits.h"

#include <QSqlQuery>

namespace Schema {

namespace {

using T = FieldType;

Field text(const char* name, int size) {
    return {QString::fromLatin1(name), T::Text, size};
}
Field memo(const char* name) {
    return {QString::fromLatin1(name), T::Memo, 0};
}
Field date(const char* name) {
    return {QString::fromLatin1(name), T::Date, 0};
}

std::vector<Table> makeTables() {
    std::vector<Table> t;
    t.push_back({QStringLiteral("Vellagons"),
                 {{QStringLiteral("Indexing Field"), T::LongAuto, 0},
                  text("Client", 200),
                  text("Project", 100),
                  text("Employee", 200),
                  text("Rate", 10),
                  memo("Vellagon"),
                  memo("VellaGraphic"),
                  text("Log Summary", 100),
                  date("Beginning Time"),
                  date("Ending Time"),
                  {QStringLiteral("Duration"), T::Single, 0},
                  {QStringLiteral("Fee"), T::Currency, 0}},
                 {QStringLiteral("Indexing Field")}});
    t.push_back(
        {QStringLiteral("Active Clients"),
         {text("Client First Name", 100),           text("Client Last Name", 100),
          text("Active Client First Address", 100), text("Active Client Second Address", 100),
          text("Active Client Third Address", 100), text("Active Client City", 100),
          text("Active Client State", 50),          text("Active Client Zip Code", 10),
          text("Active Client Home Telephone", 30), text("Active Client Work Telephone", 30),
          text("Active Client Cell Telephone", 30), text("Active Client Alternative Telephone", 30),
          text("Active Client Email Address", 100), memo("Active Client Notes"),
          date("Active Client Retainer Date"),      memo("Active Client Retainer Terms"),
          text("Active Client Referrer", 200),      text("Active Client Claim Type", 200),
          text("Active Client Forum", 100),         text("Active Client Claim Number", 50),
          text("Active Client Defendant", 200),     text("Active Client Opposing Attorney", 200),
          text("Active Client OPA Telephone", 30),  memo("Active Client History"),
          memo("Active Client Things To Do"),       memo("Active Client Re Line"),
          memo("Active Client Greeting"),           memo("Active Client Closing")},
         {QStringLiteral("Client Last Name"), QStringLiteral("Client First Name")}});
    t.push_back(
        {QStringLiteral("Inactive Clients"),
         {text("Inactive Client First Name", 100), text("Inactive Client Last Name", 100),
          text("Inactive Client First Address", 100), text("Inactive Client Second Address", 100),
          text("Inactive Client Third Address", 100), text("Inactive Client City", 100),
          text("Inactive Client State", 50), text("Inactive Client Zip Code", 10),
          text("Inactive Client Home Telephone", 30), text("Inactive Client Work Telephone", 30),
          text("Inactive Client Email Address", 100), date("Inactive Client Retainer Date"),
          memo("Inactive Client Retainer Terms"), text("Inactive Client Referrer", 200),
          text("Inactive Client Claim Type", 200), date("Inactive Client Case Closed Date")},
         {}});
    t.push_back({QStringLiteral("Employees"),
                 {text("Employee First Name", 100), text("Employee Last Name", 100)},
                 {}});
    t.push_back({QStringLiteral("Activities"), {text("Activities", 100)}, {}});
    t.push_back({QStringLiteral("Projects"), {text("Projects", 100)}, {}});
    t.push_back({QStringLiteral("Rates"), {text("Rates", 10)}, {}});
    t.push_back(
        {QStringLiteral("Things To Do"),
         {text("ThingToDo", 100), text("TTD Client First Name", 100),
          text("TTD Client Last Name", 100), text("TTD Project", 100), text("TTD Priority", 100),
          date("Thing To Do Start Date"), date("Thing To Do Deadline")},
         {}});
    t.push_back({QStringLiteral("Disbursements"),
                 {memo("Disbursement Description"),
                  text("Disbursement Client First Name", 100),
                  text("Disbursement Client Last Name", 100),
                  date("Disbursement Date"),
                  {QStringLiteral("Disbursement Amount"), T::Currency, 0},
                  text("Disbursement Payee", 100)},
                 {}});
    t.push_back({QStringLiteral("Payments"),
                 {text("Payment Description", 12),
                  text("Payment Client First Name", 100),
                  text("Payment Client Last Name", 100),
                  date("Payment Date"),
                  {QStringLiteral("Payment Amount"), T::Currency, 0}},
                 {}});
    t.push_back({QStringLiteral("Invoices"), {memo("Invoice Header")}, {}});
    return t;
}

QString bracketed(const QString& name) {
    return QLatin1Char('[') + name + QLatin1Char(']');
}

} // namespace

const std::vector<Table>& tables() {
    static const std::vector<Table> all = makeTables();
    return all;
}

const Table* table(const QString& name) {
    for (const Table& t : tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList tableNames() {
    QStringList names;
    for (const Table& t : tables())
        names << t.name;
    return names;
}

QString createTableSql(const Table& table) {
    QStringList columns;
    for (const Field& f : table.fields) {
        QString col = bracketed(f.name);
        const bool key = table.primaryKey.contains(f.name);
        switch (f.type) {
        case T::LongAuto:
            col += QStringLiteral(" INTEGER CONSTRAINT [PrimaryKey] PRIMARY KEY AUTOINCREMENT");
            break;
        case T::Text:
            // The length rule is named so that a refusal can name the field and its limit.
            col += QStringLiteral(" TEXT%1 COLLATE NOCASE CONSTRAINT %2 CHECK (length(%3) <= %4)")
                       .arg(key ? QStringLiteral(" NOT NULL") : QString(),
                            bracketed(TextLimits::ruleName(f.name, f.size)), bracketed(f.name))
                       .arg(f.size);
            break;
        case T::Memo:
            col += QStringLiteral(" TEXT COLLATE NOCASE");
            break;
        case T::Date:
            col += QStringLiteral(" TEXT");
            break;
        case T::Single:
        case T::Currency:
            col += QStringLiteral(" REAL");
            break;
        }
        columns << col;
    }
    if (table.primaryKey.size() > 1) {
        QStringList keys;
        for (const QString& k : table.primaryKey)
            keys << bracketed(k);
        columns << QStringLiteral("CONSTRAINT [PrimaryKey] PRIMARY KEY (%1)")
                       .arg(keys.join(QStringLiteral(", ")));
    }
    return QStringLiteral("CREATE TABLE %1 (%2)")
        .arg(bracketed(table.name), columns.join(QStringLiteral(", ")));
}

QStringList defaultActivities() {
    return {QStringLiteral("Telephone conference with"),
            QStringLiteral("Attempted telephone conference with"),
            QStringLiteral("Conference in office with"),
            QStringLiteral("Consultation in office with"),
            QStringLiteral("Review file"),
            QStringLiteral("Attend"),
            QStringLiteral("Court appearance re"),
            QStringLiteral("Legal research"),
            QStringLiteral("Preparation for"),
            QStringLiteral("Prepare and send letter"),
            QStringLiteral("Review letter from"),
            QStringLiteral("Take deposition of"),
            QStringLiteral("Analysis and evaluation of"),
            QStringLiteral("Factual investigation re"),
            QStringLiteral("Document inspection")};
}

QStringList defaultProjects() {
    return {QStringLiteral("ADMINISTRATION"), QStringLiteral("CONTINUING EDUCATION"),
            QStringLiteral("MARKETING"),      QStringLiteral("MONTHLY STATEMENTS"),
            QStringLiteral("PAY BILLS"),      QStringLiteral("REVIEW CASES")};
}

QStringList defaultRates() {
    QStringList rates{QStringLiteral("0")};
    for (int rate = 50; rate <= 375; rate += 25)
        rates << QString::number(rate);
    return rates;
}

const std::vector<Index>& indexes() {
    // Logs are listed by beginning time and searched by client, employee and project (with
    // LIKE, which an index on a NOCASE column serves); a search lists its logs by beginning
    // time, which the index then holds too, so the table itself is not read to order them.
    // Payments and disbursements are listed by client and date.
    static const std::vector<Index> all{
        {QStringLiteral("Vellagons by Beginning Time"),
         QStringLiteral("Vellagons"),
         {QStringLiteral("Beginning Time")}},
        {QStringLiteral("Vellagons by Client and Time"),
         QStringLiteral("Vellagons"),
         {QStringLiteral("Client"), QStringLiteral("Beginning Time")}},
        {QStringLiteral("Vellagons by Employee and Time"),
         QStringLiteral("Vellagons"),
         {QStringLiteral("Employee"), QStringLiteral("Beginning Time")}},
        {QStringLiteral("Vellagons by Project and Time"),
         QStringLiteral("Vellagons"),
         {QStringLiteral("Project"), QStringLiteral("Beginning Time")}},
        {QStringLiteral("Disbursements by Client"),
         QStringLiteral("Disbursements"),
         {QStringLiteral("Disbursement Client Last Name"),
          QStringLiteral("Disbursement Client First Name"), QStringLiteral("Disbursement Date")}},
        {QStringLiteral("Payments by Client"),
         QStringLiteral("Payments"),
         {QStringLiteral("Payment Client Last Name"), QStringLiteral("Payment Client First Name"),
          QStringLiteral("Payment Date")}},
    };
    return all;
}

QString createIndexSql(const Index& index) {
    QStringList columns;
    for (const QString& c : index.columns)
        columns << bracketed(c);
    return QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
        .arg(bracketed(index.name), bracketed(index.table), columns.join(QStringLiteral(", ")));
}

void ensureIndexes(const Database& db) {
    // Most opens find every index in place: then nothing is written.
    QStringList present;
    QSqlQuery names =
        db.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'index'"));
    while (db.next(names))
        present << names.value(0).toString();
    names.finish();
    QList<const Index*> missing;
    for (const Index& index : indexes())
        if (!present.contains(index.name, Qt::CaseInsensitive) && db.hasTable(index.table))
            missing << &index;
    if (missing.isEmpty())
        return;
    db.transaction([&] {
        for (const Index* index : missing)
            db.exec(createIndexSql(*index));
    });
}

void build(const Database& db) {
    db.transaction([&] {
        for (const Table& t : tables())
            db.exec(createTableSql(t));
        ensureIndexes(db);
        const auto fill = [&](const QString& tableName, const QStringList& rows) {
            const QString sql = QStringLiteral("INSERT INTO [%1] ([%1]) VALUES (?)").arg(tableName);
            for (const QString& row : rows)
                db.write(sql, {row});
        };
        fill(QStringLiteral("Activities"), defaultActivities());
        fill(QStringLiteral("Projects"), defaultProjects());
        fill(QStringLiteral("Rates"), defaultRates());
    });
}

} // namespace Schema

void createDatabaseFile(const QString& path) {
    buildDatabaseFile(path, ExistingFile::Refuse, [](const Database& db) { Schema::build(db); });
}

void CreateNewDatabase() {
    createDatabaseFile(gstrDatabasePath);
}

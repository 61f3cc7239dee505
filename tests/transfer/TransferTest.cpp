#include "TransferTest.h"

#include "Fixtures.h"
#include "WindowTestSupport.h"
#include "core/logic/SharedState.h"
#include "core/windows/ChildWindows.h"
#include "platform/data/Database.h"
#include "timelog/windows/TimeLogging.h"
#include "timelog/windows/frmDisplay.h"
#include "transfer/windows/Transfer.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

namespace TransferTest {

void registerCommands() {
    registerTimeLogging();
    registerTransfer();
}

void Fixture::start() {
    TestSupport::freshProgram();
    m_main = TestSupport::showMainWindow();
    m_folder = TestSupport::newFolder();
    m_own = Fixtures::newDatabase(m_folder + QStringLiteral("/own.mdb"));
}

frmDisplay* startDisplay(const QString& path, const QString& recordSource) {
    gstrDatabasePath = path;
    std::optional<frmDisplay::OpeningSource> source;
    if (!recordSource.isEmpty())
        source.emplace(recordSource);
    NewFirstChildWindow(ChildWindow::Kind::Display);
    auto* display = static_cast<frmDisplay*>(childWindow(ChildWindow::Kind::Display, "1"));
    display->runPrologue();
    return display;
}

qint64 addLog(const QString& path, const Log& log) {
    const auto value = [](const QVariant& v) {
        return v.isValid() ? v : QVariant(QMetaType::fromType<QString>());
    };
    return Database::open(path)
        .exec("INSERT INTO Vellagons (Client, Project, Employee, Rate, Vellagon, VellaGraphic, "
              "[Log Summary], [Beginning Time], [Ending Time], Duration, Fee) VALUES "
              "(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {value(log.client), value(log.project), value(log.employee), value(log.rate),
               value(log.notes), value(log.graphic), value(log.summary), value(log.beginning),
               value(log.ending), value(log.duration), value(log.fee)})
        .lastInsertId()
        .toLongLong();
}

void addClient(const QString& path, const QString& last, const QString& first,
               const QVariantMap& fields) {
    QStringList names{"[Client Last Name]", "[Client First Name]"};
    QStringList marks{"?", "?"};
    QVariantList values{last, first};
    for (auto it = fields.constBegin(); it != fields.constEnd(); ++it) {
        names << "[" + it.key() + "]";
        marks << "?";
        values << it.value();
    }
    Database::open(path).exec(QString("INSERT INTO [Active Clients] (%1) VALUES (%2)")
                                  .arg(names.join(", "), marks.join(", ")),
                              values);
}

QList<QVariantList> rows(const QString& path, const QString& sql) {
    const Database db = Database::open(path);
    QSqlQuery query = db.exec(sql);
    QList<QVariantList> result;
    while (db.next(query)) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << (query.isNull(i) ? QVariant() : query.value(i));
        result << row;
    }
    return result;
}

QString tablesExcept(const QString& path, const QString& table) {
    QStringList parts;
    for (const QString& name : Database::open(path).tableNames()) {
        if (name == table || name.startsWith("sqlite_"))
            continue;
        QStringList lines;
        for (const QVariantList& row : rows(path, QString("SELECT rowid, * FROM [%1]").arg(name))) {
            QStringList values;
            for (const QVariant& v : row)
                values << (v.isNull() ? QString("NULL") : v.toString());
            lines << values.join('|');
        }
        parts << name + ":\n" + lines.join('\n');
    }
    return parts.join('\n');
}

} // namespace TransferTest

#pragma once

#include "platform/Database.h"

#include <QList>
#include <QString>
#include <QVariant>

// Logs for the log report tests.
namespace LogFixture {

struct Log {
    QString client;
    QVariant duration;
    QString notes;
};

// Appends logs to Vellagons, a minute apart from 2005-08-24 10:00:00, ending 11:00:00 PM.
inline void addLogs(const Database& db, const QList<Log>& logs) {
    db.transaction([&] {
        int minute = 0;
        for (const Log& log : logs) {
            const QString begins =
                QStringLiteral("2005-08-24 10:%1:00").arg(minute++ % 60, 2, 10, QLatin1Char('0'));
            db.exec(QStringLiteral("INSERT INTO Vellagons (Client, Project, Employee, Rate, "
                                   "Vellagon, [Log Summary], [Beginning Time], [Ending Time], "
                                   "Duration, Fee) VALUES (?, 'MARKETING', 'Doe, Jane', '150', ?, "
                                   "'Legal research', ?, '2005-08-24 23:00:00', ?, 0)"),
                    {log.client, log.notes, begins, log.duration});
        }
    });
}

inline QString words(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("word%1 ").arg(i);
    return text.trimmed();
}

inline const QString AllLogs = QStringLiteral("Select * From Vellagons ORDER BY [Beginning Time]");

} // namespace LogFixture

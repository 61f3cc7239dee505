#include "LogPrintText.h"

#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"

#include <QSqlRecord>

namespace {

const QString B5 = QStringLiteral("     ");
const QString CrLf = QStringLiteral("\r\n");

bool filled(const QVariant& v) {
    return !v.isNull() && !v.toString().isEmpty();
}

// A date and time in its usual text form ("8/24/2005 10:05:00 AM").
QString dateText(const QVariant& stored) {
    return VbFormat::dateText(StoredDate::fromStored(stored));
}

} // namespace

std::optional<QString> logPrintText(const QSqlRecord& log) {
    const QVariant begin = log.value(QStringLiteral("Beginning Time"));
    const QVariant end = log.value(QStringLiteral("Ending Time"));
    const QVariant duration = log.value(QStringLiteral("Duration"));
    if (begin.isNull() || end.isNull() || duration.isNull())
        return std::nullopt;

    const QVariant client = log.value(QStringLiteral("Client"));
    const QVariant project = log.value(QStringLiteral("Project"));
    const QVariant employee = log.value(QStringLiteral("Employee"));
    const QVariant rate = log.value(QStringLiteral("Rate"));
    const QVariant summary = log.value(QStringLiteral("Log Summary"));
    const QVariant notes = log.value(QStringLiteral("Vellagon"));

    QString text;
    if (filled(client))
        text += QStringLiteral("Client: ") + client.toString() + B5;
    if (filled(project))
        text += QStringLiteral("Project: ") + project.toString() + B5;
    text += CrLf;
    if (!employee.isNull())
        text += QStringLiteral("Employee (or user): ") + employee.toString() + B5;
    if (filled(rate))
        text += QStringLiteral("Rate: ") + rate.toString() + B5;
    text += CrLf;
    if (filled(summary))
        text += QStringLiteral("Summary of Vellagon: ") + summary.toString() + CrLf;
    text += QStringLiteral("Beginning: ") + dateText(begin) + B5;
    text += QStringLiteral("Ending: ") + dateText(end) + B5;
    text += QStringLiteral("Duration: ") + VbFormat::cstr(duration.toDouble()) + CrLf;
    text += QStringLiteral("Vellagon Notes: ") + CrLf + notes.toString();
    return text;
}

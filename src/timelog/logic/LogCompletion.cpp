#include "LogCompletion.h"

#include "core/logic/FieldLimits.h"
#include "core/logic/SharedState.h"
#include "platform/data/AppError.h"
#include "platform/data/Database.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbString.h"

namespace LogCompletion {

namespace {

constexpr int SecondsPerTenth = 360;
const QString Table = QStringLiteral("Vellagons");

// A field's name in messages: the caption the user gave it, else the column's own name.
QString fieldName(const QString& caption, const char* column) {
    return vbTrim(caption).isEmpty() ? QString::fromLatin1(column) : caption;
}

// A text column's value: an empty text stays '' (a null QString would be bound as NULL).
QVariant text(const QString& value) {
    return value.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(value);
}

Outcome refusal(const QString& message, Field field) {
    Outcome outcome;
    outcome.message = message;
    outcome.field = field;
    return outcome;
}

QString durationOfSeconds(qint64 seconds) {
    const qint64 tenths = qMax<qint64>(1, (seconds + SecondsPerTenth - 1) / SecondsPerTenth);
    const qint64 hours = tenths / 10;
    return (hours == 0 ? QString() : QString::number(hours)) + QLatin1Char('.') +
           QString::number(tenths % 10);
}

} // namespace

QString durationText(const QDateTime& beginning, const QDateTime& ending) {
    return durationOfSeconds(beginning.secsTo(ending));
}

QString logSummary(const QString& summaryLine, const QString& notesText) {
    const QString summary = vbTrim(summaryLine);
    // As much of the notes as the summary's field holds.
    return summary.isEmpty()
               ? Database::textLeft(notesText,
                                    FieldLimits::width(Table, QStringLiteral("Log Summary")))
               : summary;
}

Outcome prepare(const Entry& entry) {
    Log log;
    log.client = vbTrim(entry.client);
    log.project = vbTrim(entry.project);
    if (log.client.isEmpty() && log.project.isEmpty())
        return refusal(QStringLiteral("You did not enter a client or a project."), Field::Client);

    // A negative span would store a negative duration and fee. Each local time is converted
    // once: a conversion asks the system for its time zone again.
    const qint64 span = entry.beginning.msecsTo(entry.ending);
    if (span < 0)
        return refusal(QStringLiteral("The ending time is earlier than the beginning time. "
                                      "Correct the times and choose Log completed again."),
                       Field::EndingTime);

    log.employee = vbTrim(entry.employee);
    log.rate = vbTrim(entry.rate);
    log.logSummary = logSummary(entry.summary, entry.notesText);
    // Each text against its column's width, counted as the file's own limits count; a refusal
    // names the field as the user sees it.
    const struct {
        const char* column;
        const QString& value;
        QString name;
        Field field;
    } checked[] = {
        {"Client", log.client, fieldName(gstrFrame1Caption, "Client"), Field::Client},
        {"Employee", log.employee, fieldName(gstrFrame2Caption, "Employee"), Field::Employee},
        {"Project", log.project, fieldName(gstrFrame3Caption, "Project"), Field::Project},
        {"Rate", log.rate, QStringLiteral("Rate (hourly)"), Field::Rate},
        {"Log Summary", log.logSummary, fieldName(gstrFrame5Caption, "Log Summary"),
         Field::Summary},
    };
    for (const auto& c : checked)
        if (const auto found = FieldLimits::tooLong(Table, QLatin1String(c.column), c.value))
            return refusal(TextLimits::message(c.name + QStringLiteral(" field"), *found,
                                               QStringLiteral("Shorten it and choose Log "
                                                              "completed again.")),
                           c.field);

    log.vellagon = vbTrim(entry.notesText);
    log.vellaGraphic = entry.notesHtml;
    log.beginning = entry.beginning;
    log.ending = entry.ending;
    log.duration = durationOfSeconds(span / 1000); // whole seconds, as QDateTime::secsTo counts
    if (!log.rate.isEmpty()) {
        if (!Currency::parse(log.rate))
            return refusal(QStringLiteral("The Rate (hourly) \"%1\" is not a number. Correct it "
                                          "and choose Log completed again.")
                               .arg(log.rate),
                           Field::Rate);
        const std::optional<Currency> fee = Currency::product(log.rate, log.duration);
        if (!fee)
            return refusal(QStringLiteral("The fee, %1 hours at the Rate (hourly) %2, is too "
                                          "large to store. Check the rate and the times.")
                               .arg(log.duration, log.rate),
                           Field::Rate);
        log.fee = *fee;
    }

    Outcome outcome;
    outcome.saved = true;
    outcome.log = log;
    return outcome;
}

void append(const QString& path, const Log& log) {
    const Database db = Database::open(path);
    db.insertRow(QStringLiteral("INSERT INTO [Vellagons] ([Client], [Employee], [Project], [Rate], "
                                "[Log Summary], [Vellagon], [VellaGraphic], [Beginning Time], "
                                "[Ending Time], [Duration], [Fee]) "
                                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                 {text(log.client), text(log.employee), text(log.project), text(log.rate),
                  text(log.logSummary), text(log.vellagon), text(log.vellaGraphic),
                  StoredDate::toSqlValue(log.beginning), StoredDate::toSqlValue(log.ending),
                  log.duration.toDouble(), log.fee.toSqlValue()});
}

Outcome complete(const QString& path, const Entry& entry) {
    Outcome outcome = prepare(entry);
    if (!outcome.saved)
        return outcome;
    try {
        append(path, outcome.log);
    } catch (const AppError& e) {
        return refusal(QStringLiteral("Error in Log completed function: ") + e.description() +
                           QStringLiteral("\n\nYour entry has been kept; choose Log completed "
                                          "again when the file can be written."),
                       Field::None);
    }
    return outcome;
}

} // namespace LogCompletion

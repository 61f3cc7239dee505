#pragma once

#include "platform/data/Currency.h"

#include <QDateTime>
#include <QString>

// Completing a log: the checks of a typed entry, the row it becomes in Vellagons (duration in
// started tenths of an hour, fee as rate times duration) and the write.
namespace LogCompletion {

// What the user typed in a Data entry window, as the controls hold it.
struct Entry {
    QString client;
    QString employee;
    QString project;
    QString rate;
    QString summary;
    QString notesText; // the notes' plain text
    QString notesHtml; // the notes' stored formatted text
    QDateTime beginning;
    QDateTime ending;
};

// One row of Vellagons, as it is written.
struct Log {
    QString client;
    QString employee;
    QString project;
    QString rate;
    QString logSummary;
    QString vellagon;
    QString vellaGraphic;
    QDateTime beginning;
    QDateTime ending;
    QString duration; // "##.0"
    Currency fee;
};

// The field a refused entry sends the user back to.
enum class Field { None, Client, Employee, Project, Rate, Summary, EndingTime };

struct Outcome {
    bool saved = false;
    QString message; // why the entry was refused
    Field field = Field::None;
    Log log;
};

// Hours of the span in tenths: every started tenth counts, at least one tenth (".1", "1.0",
// "12.3"). The span must not be negative.
QString durationText(const QDateTime& beginning, const QDateTime& ending);
// The summary of a log: the summary line trimmed, or, when that is blank, the first 100
// characters of the notes as they stand (a character outside the basic plane counts once).
QString logSummary(const QString& summaryLine, const QString& notesText);

// Checks the entry and builds its row; a refusal names the field and leaves nothing written.
Outcome prepare(const Entry& entry);
// Appends the row to Vellagons of the file; failures raise an AppError.
void append(const QString& path, const Log& log);
// Checks the entry and writes it to the file; a file that cannot be written gives a refusal.
Outcome complete(const QString& path, const Entry& entry);

} // namespace LogCompletion

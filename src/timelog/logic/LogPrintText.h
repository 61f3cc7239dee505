#pragma once

#include <QString>
#include <optional>

class QSqlRecord;

// The text with which a single log is printed: its client, project, employee and rate, its
// summary, its times and duration, then its notes. Nothing when the log lacks a beginning
// time, an ending time or a duration (such a log is not printed).
std::optional<QString> logPrintText(const QSqlRecord& log);

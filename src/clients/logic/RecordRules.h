#pragma once

#include <QString>
#include <optional>

class DataControl;

// What the client record windows do alike after a move and before Save's question.
namespace RecordRules {

// The message of a move or a Save on an empty set.
QString noRecords();

// The steps after a move: on an empty set the message; before the first or after the last row
// a beep and back to that row (which reports a move of its own). On a row, its client's name,
// last name first, from the two name fields. Throws AppError.
std::optional<QString> arrive(DataControl& control, const QString& lastField,
                              const QString& firstField);

// Names a record in the messages of writes refused because another window or program changed or
// deleted it: "The record of " and its client's name, last name first.
void nameRecords(DataControl& control, const QString& lastField, const QString& firstField);

// Writes the pending edit for Save. True only when the write stood; a refused write has said
// why and keeps what was typed; on a row that another window deleted meanwhile (the control
// reported an error: `errors` counts them) the control goes on to the row that followed it.
bool writePending(DataControl& control, const int& errors);

} // namespace RecordRules

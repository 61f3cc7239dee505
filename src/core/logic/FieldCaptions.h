#pragma once

#include <QString>

// The user's own words for four fields of a log: the client, the employee, the project and the
// summary line. Each lives in a shared variable and a setting; start-up reads them, a rename
// stores both. The texts that name these fields are built from the variables when shown.
namespace FieldCaptions {

enum Field { Client, Employee, Project, Summary };

// The shared variable that holds the field's caption.
QString& caption(Field field);
// Reads the four captions from the settings, with their defaults.
void read();
// Makes the text the field's caption, for this run and the next ones; any text, "" too.
void store(Field field, const QString& text);

} // namespace FieldCaptions

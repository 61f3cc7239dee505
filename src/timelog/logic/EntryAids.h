#pragma once

#include "core/logic/FieldCaptions.h"

#include <QString>
#include <QStringList>
#include <optional>

// The typing aids of the Data entry window, apart from the window: copying the notes'
// selection onto the summary line, the text of the activities pick list, and renaming a field.
namespace EntryAids {

// The summary line after F8 in the notes: the selection appended, one blank between the two
// unless the summary is empty or already ends with a blank. Neither trimmed nor cut short.
QString summaryWithSelection(const QString& summary, const QString& selection);

// What the pick list inserts for the items selected, given in list order: one blank before each.
QString pickListText(const QStringList& selected);

// The prompt of the input box that renames the field.
QString renamePrompt(FieldCaptions::Field field);

// Asks for the field's new caption and stores the answer, an empty one too; Cancel changes
// nothing. The new caption, or nothing when cancelled.
std::optional<QString> renameField(FieldCaptions::Field field);

} // namespace EntryAids

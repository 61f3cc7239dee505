#pragma once

#include <QString>
#include <optional>

class Database;

// The letterhead of a practice file: one free text, the Invoice Header of the first row of
// Invoices, that heads its invoices and statements. An empty table means no letterhead; a row
// whose text is empty is a letterhead with no text.
namespace Letterhead {

// The letterhead, or nothing when the file has none. A NULL header reads as the empty text.
// Throws AppError.
std::optional<QString> read(const Database& db);

// Stores the text as the letterhead, its line breaks as CR LF: rewrites the first row, or adds
// one when the table is empty, so the table never holds a second row; provided the file still
// holds the letterhead `shown`, as read gave it when it was shown (nothing: none). Returns
// false, writing nothing, when another window or program changed, removed or added the
// letterhead since. Throws AppError.
bool write(const Database& db, const QString& text, const std::optional<QString>& shown);

} // namespace Letterhead

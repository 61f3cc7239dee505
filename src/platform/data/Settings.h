#pragma once

#include <QString>

// The per-user settings store: text values by section and key under the application
// "Vellagon", kept in an INI file. Section and key names are compared without regard to
// case, so "defaultToDoFontName" and "DefaultToDoFontName" are one entry.
namespace Settings {

// The stored text, or defaultValue when the entry is absent.
QString value(const QString& section, const QString& key, const QString& defaultValue = {});
// Stores the text, creating the section and key as needed; an existing entry keeps its spelling.
void setValue(const QString& section, const QString& key, const QString& value);
// Removes one entry (absent entries are ignored).
void remove(const QString& section, const QString& key);

// The INI file in use. By default the per-user file of the application.
QString fileName();
// Uses another file (tests, and a settings folder of one's own).
void useFile(const QString& iniPath);

} // namespace Settings

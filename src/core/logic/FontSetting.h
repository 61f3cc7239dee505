#pragma once

#include <QString>

// The program's fonts. Each is a name and a size, held as texts in two shared variables and in
// two settings, each setting in a section of its own.
enum class ProgramFont { Default, Display, Entry, ToDo, Letterhead, Report, Vellagon, Print };

// Reads the eight font names, then the eight sizes, from the settings into their variables.
void readFontSettings();

// A font command: the font dialog, not preset with the font in use; the chosen name and size
// (the shortest text of the point size) go into the font's variables and settings, the name
// first. Styles and colour are dropped. Cancel changes nothing and says nothing. A size that
// is no positive number (a font sized in pixels) is not stored, and the size in use stays.
// Whether a font was chosen.
bool chooseFont(ProgramFont font);

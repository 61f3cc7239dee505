#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The tips of the tip of the day: a plain text file, one tip a line, blank lines too.
namespace TipsFile {

inline const QString FileName = QStringLiteral("TIPOFDAY.TXT");

// The file to read: the user's own in the program's folder when there is one, else the copy
// that ships inside the program.
QString path();
// The tips of a file; nothing when it is unnamed, missing or cannot be read (a folder, a
// device, no permission), which all count alike.
std::optional<QStringList> read(const QString& fileName);
// The tips of a file's contents. A line ends at CR LF, LF or CR; a last line needs no line
// end. The text is UTF-16 or UTF-8 when its byte order mark says so, else UTF-8 when it is
// valid UTF-8, else Windows-1252 (what Notepad wrote for years).
QStringList tips(const QByteArray& contents);
// What the tip shows when there is no file to read.
QString missingFileText();

} // namespace TipsFile

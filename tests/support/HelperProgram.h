#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The helper programs that the kill and reliability tests start: each is a program instance of
// its own that says on standard output what it has done so far, for the test to read while it
// runs or once it has been killed.
namespace HelperProgram {

// After the application object: the program's names and test mode, as in the test that started
// the helper (which shares its home folder, and so its settings and program folder). Returns
// the arguments, the helper's own name first; nothing when fewer than `count` follow it.
std::optional<QStringList> start(int count);

// A line on standard output, written out at once.
void report(const QString& line);

} // namespace HelperProgram

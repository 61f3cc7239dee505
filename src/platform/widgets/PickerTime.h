#pragma once

#include <QDateTime>

class QDateTimeEdit;

// The date and time a picker shows. A QDateTimeEdit keeps the parts of its value that its
// format leaves out (the seconds of a clock time, also after the user edits the minutes), so
// that a picker showing 7:44 may hold 7:44:38: what counts is what the user reads.
QDateTime shownDateTime(const QDateTimeEdit& picker);

// Sets a picker to a value as it will show it, without telling anyone: only the user's own
// edits raise its change signal.
void setPickerTime(QDateTimeEdit& picker, const QDateTime& value);

#pragma once

#include <QDate>
#include <QDateTime>

// The present date and time, in local time and whole seconds; tests fix it.
namespace Clock {

QDateTime now();
// The present date without a time of day.
QDate today();

// Fixes the present at a given moment (tests); the clock then stands still until reset.
void setNow(const QDateTime& fixed);
// Makes the clock follow the system time again.
void reset();

} // namespace Clock

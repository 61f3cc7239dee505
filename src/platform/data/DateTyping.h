#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

// A text typed or pasted into a date box as its whole value, read by the box's display format
// ("M/d/yyyy", "M/dd/yyyy hh:mm AP"): the numbers of the format's parts in the format's order,
// apart by any separators, the year in as many digits as the format shows it; an AM or PM mark
// (or its first letter) may follow the last number. A time typed without the mark is a 24-hour
// time, one with it has its hour from 1 to 12.
namespace DateTyping {

// How far a typed text has come: not every number of the format yet, every number, or every
// number with the last part written in full (nothing more can follow).
enum class Progress { Partial, EveryPart, Finished };
Progress progress(const QString& typed, const QString& format);

// The date and time the text gives; nothing when it is no date (2/30/2026, a letter, a part
// missing or too many). A format without a time gives midnight.
std::optional<QDateTime> read(const QString& text, const QString& format);

} // namespace DateTyping

#pragma once

#include <QtGlobal>
#include <optional>

// The slider or scroll bar beside a record navigator: its value stands for the current row's
// place among the rows, and moving it asks for the row at that place. Each window adds its
// own rules for the ends (no rows, before the first row, after the last).
namespace RecordScroll {

// CLng: the nearest whole number, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
qint64 clng(double value);

// The value that shows the 1-based row among `count` rows on a bar from 0 to `maximum`:
// row / count x maximum through clng, so the last row shows the maximum. The first row, a
// position before it and an empty set show 0.
int valueForRow(int row, int count, int maximum);

// The 1-based row a bar's value points at: value / maximum x count through clng. Nothing
// when that is below 1 (the bar points before the first row) or the bar has no range.
std::optional<int> rowForValue(int value, int maximum, int count);

} // namespace RecordScroll

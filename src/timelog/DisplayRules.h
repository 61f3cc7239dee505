#pragma once

#include <QString>
#include <optional>

// The arithmetic of the Display window, apart from the window.
namespace DisplayRules {

// CLng: the nearest whole number, halves to the even neighbour.
qint64 clng(double value);

// The slider value that mirrors the recordset's position.
int sliderValue(bool bof, bool eof, int absolutePosition, int recordCount, int sliderMax);

// The 1-based position a released slider asks for, or nothing when it asks for no row
// (the slider then goes back to 0).
std::optional<int> positionForSlider(int sliderValue, int sliderMax, int recordCount);

// "Fee for services is $" and the fee of a rate text and a duration text; nothing when either
// is empty or not a number.
std::optional<QString> feeMessage(const QString& rateText, const QString& durationText);

// The fee to store for a rate text and a duration text; nothing when either is no number.
std::optional<double> storedFee(const QString& rateText, const QString& durationText);

} // namespace DisplayRules

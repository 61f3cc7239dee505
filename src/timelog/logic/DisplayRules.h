#pragma once

#include "platform/data/Currency.h"

#include <QSqlRecord>
#include <QString>
#include <QVariantMap>
#include <optional>

// The rules of the Display window, apart from the window.
namespace DisplayRules {

// The slider value that mirrors the recordset's position: 0 without rows, the maximum past
// the last row, else the row's place on the slider.
int sliderValue(bool bof, bool eof, int absolutePosition, int recordCount, int sliderMax);

// The 1-based position a released slider asks for, or nothing when it asks for no row
// (the slider then goes back to 0).
std::optional<int> positionForSlider(int sliderValue, int sliderMax, int recordCount);

// "Fee for services is $" and the fee of a rate text and a duration text; nothing when either
// is empty or not a number.
std::optional<QString> feeMessage(const QString& rateText, const QString& durationText);

// The fee of a rate text and a duration text; nothing when either is no number.
std::optional<Currency> fee(const QString& rateText, const QString& durationText);

// A log whose rate or duration is changed bills the new amount: when `changes` (the values
// about to be written over the stored row `current`) touch either, the fee of the new pair
// joins them. A pair without a fee (a rate that is no number) leaves the fee as stored.
// Always lets the write go on.
bool feeFollowsRateAndDuration(QVariantMap& changes, const QSqlRecord& current);

// How a message names a log that another window changed or deleted: "The log of Smith, Ann
// begun 8/1/2005 10:05:00 AM".
QString logName(const QSqlRecord& row);

} // namespace DisplayRules

#include "DisplayRules.h"

#include "platform/Currency.h"
#include "platform/VbString.h"

#include <cmath>

namespace DisplayRules {

qint64 clng(double value) {
    return qint64(std::nearbyint(value));
}

int sliderValue(bool bof, bool eof, int absolutePosition, int recordCount, int sliderMax) {
    if (bof && eof)
        return 0;
    if (eof)
        return sliderMax;
    if (bof || absolutePosition == 1 || recordCount <= 0)
        return 0;
    return int(clng(double(absolutePosition) / recordCount * sliderMax));
}

std::optional<int> positionForSlider(int sliderValue, int sliderMax, int recordCount) {
    if (sliderMax <= 0)
        return std::nullopt;
    const double p = double(sliderValue) / sliderMax * recordCount;
    if (p < 1)
        return std::nullopt;
    return int(clng(p));
}

std::optional<QString> feeMessage(const QString& rateText, const QString& durationText) {
    const QString rate = vbTrim(rateText);
    const QString duration = vbTrim(durationText);
    if (rate.isEmpty() || duration.isEmpty())
        return std::nullopt;
    const std::optional<Currency> fee = Currency::product(rate, duration);
    if (!fee)
        return std::nullopt;
    return QStringLiteral("Fee for services is $") + fee->toString();
}

std::optional<double> storedFee(const QString& rateText, const QString& durationText) {
    const std::optional<Currency> fee = Currency::product(vbTrim(rateText), vbTrim(durationText));
    if (!fee)
        return std::nullopt;
    return fee->toDouble();
}

} // namespace DisplayRules

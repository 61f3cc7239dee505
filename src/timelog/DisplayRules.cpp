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

namespace {
std::optional<Currency> fee(const QString& rateText, const QString& durationText) {
    return Currency::product(vbTrim(rateText), vbTrim(durationText));
}
} // namespace

std::optional<QString> feeMessage(const QString& rateText, const QString& durationText) {
    if (const std::optional<Currency> f = fee(rateText, durationText))
        return QStringLiteral("Fee for services is $") + f->toString();
    return std::nullopt;
}

std::optional<double> storedFee(const QString& rateText, const QString& durationText) {
    if (const std::optional<Currency> f = fee(rateText, durationText))
        return f->toDouble();
    return std::nullopt;
}

} // namespace DisplayRules

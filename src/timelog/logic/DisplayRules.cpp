#include "DisplayRules.h"

#include "platform/data/RecordScroll.h"
#include "platform/data/StoredDate.h"
#include "platform/data/VbFormat.h"
#include "platform/data/VbString.h"

namespace DisplayRules {

int sliderValue(bool bof, bool eof, int absolutePosition, int recordCount, int sliderMax) {
    if (bof && eof)
        return 0;
    if (eof)
        return sliderMax;
    if (bof)
        return 0;
    return RecordScroll::valueForRow(absolutePosition, recordCount, sliderMax);
}

std::optional<int> positionForSlider(int sliderValue, int sliderMax, int recordCount) {
    return RecordScroll::rowForValue(sliderValue, sliderMax, recordCount);
}

std::optional<Currency> fee(const QString& rateText, const QString& durationText) {
    return Currency::product(vbTrim(rateText), vbTrim(durationText));
}

std::optional<QString> feeMessage(const QString& rateText, const QString& durationText) {
    if (const std::optional<Currency> f = fee(rateText, durationText))
        return QStringLiteral("Fee for services is $") + f->toString();
    return std::nullopt;
}

bool feeFollowsRateAndDuration(QVariantMap& changes, const QSqlRecord& current) {
    const QString rate = QStringLiteral("Rate");
    const QString duration = QStringLiteral("Duration");
    if (!changes.contains(rate) && !changes.contains(duration))
        return true;
    const auto now = [&](const QString& field) {
        return changes.contains(field) ? changes.value(field) : current.value(field);
    };
    if (const std::optional<Currency> f = fee(now(rate).toString(), now(duration).toString()))
        changes.insert(QStringLiteral("Fee"), f->toSqlValue());
    return true;
}

QString logName(const QSqlRecord& row) {
    const QDateTime begun = StoredDate::fromStored(row.value(QStringLiteral("Beginning Time")));
    return QStringLiteral("The log of ") + row.value(QStringLiteral("Client")).toString() +
           (begun.isValid() ? QStringLiteral(" begun ") + VbFormat::cstr(begun) : QString());
}

} // namespace DisplayRules

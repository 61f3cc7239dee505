#include "VbFormat.h"

// Placeholder until the formatter lands.
namespace VbFormat {
QString format(const QVariant& value, const QString&) {
    return value.toString();
}
QString cstr(const QVariant& value) {
    return value.toString();
}
QString dateText(const QDateTime& value) {
    return value.toString(QStringLiteral("M/d/yyyy"));
}
std::optional<QDateTime> parseDate(const QString&) {
    return std::nullopt;
}
std::optional<double> parseNumber(const QString&) {
    return std::nullopt;
}
} // namespace VbFormat

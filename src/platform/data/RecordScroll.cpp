#include "RecordScroll.h"

#include <cmath>

namespace RecordScroll {

qint64 clng(double value) {
    // nearbyint follows the rounding mode, which is to nearest, halves to even.
    return qint64(std::nearbyint(value));
}

int valueForRow(int row, int count, int maximum) {
    if (count < 1 || row < 2)
        return 0;
    return int(clng(double(row) / count * maximum));
}

std::optional<int> rowForValue(int value, int maximum, int count) {
    if (maximum <= 0)
        return std::nullopt;
    const double p = double(value) / maximum * count;
    if (p < 1)
        return std::nullopt;
    return int(clng(p));
}

} // namespace RecordScroll

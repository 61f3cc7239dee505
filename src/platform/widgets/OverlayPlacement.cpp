#include "OverlayPlacement.h"

std::optional<QRect> OverlayPlacement::request(const QRect& current, const QRect& target) {
    if (target != m_target || current == target) {
        m_target = target;
        m_askedFrom.clear();
    }
    if (current == target || m_askedFrom.contains(current) || m_askedFrom.size() >= MaxRequests)
        return std::nullopt;
    m_askedFrom.append(current);
    return target;
}

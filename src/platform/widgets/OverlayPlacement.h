#pragma once

#include <QList>
#include <QRect>
#include <optional>

// Keeps a window lying over another: says when to ask the window system to put it back on the
// other's geometry. A window manager may refuse a geometry or change it; asking again from a
// place already asked from (its answer) would start an endless loop of requests and replies,
// so each place gets one request per target, and a target at most MaxRequests.
class OverlayPlacement {
public:
    static constexpr int MaxRequests = 8;

    // The geometry to ask for, or nothing: the window stands on the target already, or it has
    // been asked to leave this place for this target before.
    std::optional<QRect> request(const QRect& current, const QRect& target);

private:
    QRect m_target;
    QList<QRect> m_askedFrom;
};

#include "FormPosition.h"

#include "Forms.h"
#include "platform/data/Settings.h"
#include "platform/widgets/FramePlacement.h"
#include "platform/widgets/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <cmath>
#include <limits>

namespace {

const QString Section = QStringLiteral("FormPosition");

// Whole number, halves to the even neighbour.
std::optional<qint64> wholeNumber(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::fabs(value) > 2147483647.0)
        return std::nullopt;
    return qint64(std::nearbyint(value));
}

// The part of the screen that windows may take: panels and docks left out.
QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

} // namespace

namespace FormPositionRules {

QString format(const TwipsRect& rect) {
    return QStringLiteral("%1, %2, %3, %4")
        .arg(rect.left)
        .arg(rect.top)
        .arg(rect.width)
        .arg(rect.height);
}

std::optional<TwipsRect> parse(const QString& stored) {
    const QStringList parts = stored.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    std::optional<qint64> values[4];
    for (int i = 0; i < 4; ++i)
        if (!(values[i] = wholeNumber(parts[i])))
            return std::nullopt;
    return TwipsRect{*values[0], *values[1], *values[2], *values[3]};
}

TwipsRect fullPlacement(double screenWidth, double screenHeight) {
    TwipsRect r;
    r.width = qint64(std::nearbyint(screenWidth));
    r.height = qint64(std::nearbyint(screenHeight));
    r.left = qint64(std::nearbyint(screenWidth - r.width)) / 2;
    r.top = qint64(std::nearbyint(screenHeight - r.height)) / 2;
    return r;
}

TwipsRect place(const QString& stored, double screenWidth, double screenHeight) {
    if (stored.trimmed().isEmpty())
        return fullPlacement(screenWidth, screenHeight);
    // A malformed value (edited by hand, say) is treated as no value rather than stopping start-up.
    std::optional<TwipsRect> r = parse(stored);
    if (!r)
        return fullPlacement(screenWidth, screenHeight);
    if (r->left > screenWidth || r->left < 0)
        r->left = qint64(std::nearbyint(screenWidth)) / 2;
    if (r->top > screenHeight || r->top < 0)
        r->top = qint64(std::nearbyint(screenHeight)) / 2;
    if (r->left + r->width > screenWidth || r->top + r->height > screenHeight)
        return fullPlacement(screenWidth, screenHeight);
    return *r;
}

} // namespace FormPositionRules

void SaveFormPosition(QWidget* frm) {
    // The frame, as the user sees the window, from the corner of the screen's free area.
    const QRect geometry =
        frm->isWindow() ? FramePlacement::normalFrame(frm).translated(-screenRect().topLeft())
                        : frm->geometry();
    const auto twips = [](int pixels) {
        return qint64(std::llround(Twips::fromPixels(pixels)));
    };
    const TwipsRect r{twips(geometry.x()), twips(geometry.y()), twips(geometry.width()),
                      twips(geometry.height())};
    Settings::setValue(Section, Forms::tag(frm), FormPositionRules::format(r));
}

void RestoreFormPosition(QWidget* frm) {
    const QRect screen = screenRect();
    const TwipsRect r = FormPositionRules::place(Settings::value(Section, Forms::tag(frm)),
                                                 Twips::fromPixels(screen.width()),
                                                 Twips::fromPixels(screen.height()));
    if (frm->isMinimized() || frm->isMaximized())
        return;
    const QRect placed(screen.x() + Twips::toPixels(r.left), screen.y() + Twips::toPixels(r.top),
                       Twips::toPixels(r.width), Twips::toPixels(r.height));
    if (frm->isWindow())
        FramePlacement::place(frm, placed); // title bar and borders within the screen
    else
        frm->setGeometry(placed);
}

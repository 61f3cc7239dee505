#include "ComboWidth.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QtMath>
#include <algorithm>
#include <functional>
#include <limits>
#include <optional>

namespace ComboWidth {

namespace {

// A character's advance and bearings, asked of the font once.
struct Letter {
    qreal advance;
    qreal leftBearing;
    qreal rightBearing;
};

// A text's width as its characters' advances less the bearings of its first and last letters
// (the ink's extent, as the box measures it), or nothing when shaping may change it by more
// than kerning does (combining marks, scripts that join their letters, surrogates).
std::optional<qreal> estimate(const QString& text, const QFontMetricsF& metrics,
                              QHash<char16_t, Letter>& letters) {
    if (text.isEmpty())
        return 0;
    const auto letter = [&](QChar c) {
        auto it = letters.constFind(c.unicode());
        if (it == letters.constEnd())
            it = letters.insert(c.unicode(), {metrics.horizontalAdvance(c), metrics.leftBearing(c),
                                              metrics.rightBearing(c)});
        return *it;
    };
    qreal width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x300)
            return std::nullopt;
        width += letter(c).advance;
    }
    return width - letter(text.front()).leftBearing - letter(text.back()).rightBearing;
}

} // namespace

void fitToItems(QComboBox* box) {
    const QFontMetrics metrics = box->fontMetrics();
    const int count = box->count();
    // The names by their estimates, widest first; those that cannot be estimated come first.
    QList<std::pair<qreal, int>> estimates;
    estimates.reserve(count);
    {
        const QFontMetricsF exact(box->font());
        QHash<char16_t, Letter> letters;
        for (int i = 0; i < count; ++i)
            estimates.append({estimate(box->itemText(i), exact, letters)
                                  .value_or(std::numeric_limits<qreal>::infinity()),
                              i});
    }
    std::sort(estimates.begin(), estimates.end(), std::greater<>());
    // Kerning narrows a text by up to a letter's width, and widens it by far less than a few
    // pixels and a thirty-second of its width: once the estimates fall below the widest width
    // measured by that much, no name left can be wider.
    const auto slack = [](qreal estimated) {
        return 4 + estimated / 32;
    };
    QString widest;
    int widestWidth = -1;
    for (const auto& [estimated, i] : std::as_const(estimates)) {
        if (estimated + slack(estimated) < widestWidth)
            break;
        const QString text = box->itemText(i);
        if (const int width = metrics.boundingRect(text).width(); width > widestWidth) {
            widest = text;
            widestWidth = width;
        }
    }

    // Sized by its minimum contents, the box measures none of its items. That policy also
    // makes room for an icon in its height: the icons are made no higher than a line of text.
    const int lineHeight = qMax(qCeil(QFontMetricsF(metrics).height()), 14);
    if (box->iconSize().height() > lineHeight)
        box->setIconSize(QSize(box->iconSize().width(), lineHeight));
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(0);
    // The width the box gives the widest text, found as the box finds it.
    QComboBox probe;
    probe.setStyle(box->style());
    probe.setFont(box->font());
    probe.setEditable(box->isEditable());
    probe.setFrame(box->hasFrame());
    probe.setPlaceholderText(box->placeholderText());
    if (count > 0)
        probe.addItem(widest);
    box->setMinimumWidth(probe.minimumSizeHint().width());
}

} // namespace ComboWidth

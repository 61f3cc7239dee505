#include "ComboWidth.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QtMath>
#include <algorithm>
#include <array>
#include <functional>
#include <limits>
#include <memory>
#include <optional>

namespace ComboWidth {

namespace {

// Characters from here on may be shaped into something else than their own glyphs
// (combining marks, scripts that join their letters, surrogates).
constexpr char16_t Shaped = 0x300;

// The advances and bearings of the characters before Shaped, each asked of the font once.
class Letters {
public:
    explicit Letters(const QFont& font) : m_metrics(font) {}

    // A text's width as its characters' advances less the bearings of its first and last
    // letters (the ink's extent, as the box measures it); nothing for a text that is shaped.
    std::optional<qreal> estimate(const QString& text) {
        if (text.isEmpty())
            return 0;
        qreal width = 0;
        for (const QChar c : text) {
            if (c.unicode() >= Shaped)
                return std::nullopt;
            width += letter(c).advance;
        }
        return width - letter(text.front()).leftBearing - letter(text.back()).rightBearing;
    }

private:
    struct Letter {
        qreal advance = 0;
        qreal leftBearing = 0;
        qreal rightBearing = 0;
        bool known = false;
    };
    const Letter& letter(QChar c) {
        Letter& l = m_letters[c.unicode()];
        if (!l.known)
            l = {m_metrics.horizontalAdvance(c), m_metrics.leftBearing(c),
                 m_metrics.rightBearing(c), true};
        return l;
    }
    QFontMetricsF m_metrics;
    std::array<Letter, Shaped> m_letters;
};

} // namespace

void fitToItems(QComboBox* box) {
    const QFontMetrics metrics = box->fontMetrics();
    const int count = box->count();
    // The names by their estimates, widest first; those that cannot be estimated come first.
    QList<std::pair<qreal, int>> estimates;
    estimates.reserve(count);
    {
        auto letters = std::make_unique<Letters>(box->font());
        for (int i = 0; i < count; ++i)
            estimates.append({letters->estimate(box->itemText(i))
                                  .value_or(std::numeric_limits<qreal>::infinity()),
                              i});
    }
    std::sort(estimates.begin(), estimates.end(), std::greater<>());
    // An estimate leaves kerning out, which mostly narrows a text and widens it by far less
    // than a few pixels and a thirty-second of its width: once the estimates fall below the
    // widest width measured by that much, no name left can be wider.
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
    if (box->style() != probe.style())
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

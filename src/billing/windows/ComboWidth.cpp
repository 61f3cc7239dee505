#include "ComboWidth.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHash>
#include <QtMath>

namespace ComboWidth {

namespace {

// A text's width as the sum of its characters' advances, or -1 when shaping may change it by
// more than kerning does (combining marks, scripts that join their letters, surrogates).
int estimate(const QString& text, const QFontMetrics& metrics, QHash<char16_t, int>& advances) {
    int width = 0;
    for (const QChar c : text) {
        if (c.unicode() >= 0x300)
            return -1;
        auto it = advances.constFind(c.unicode());
        if (it == advances.constEnd())
            it = advances.insert(c.unicode(), metrics.horizontalAdvance(c));
        width += *it;
    }
    return width;
}

} // namespace

void fitToItems(QComboBox* box) {
    const QFontMetrics metrics = box->fontMetrics();
    const int count = box->count();
    QList<int> estimates(count);
    QHash<char16_t, int> advances;
    int widestEstimate = 0;
    for (int i = 0; i < count; ++i) {
        estimates[i] = estimate(box->itemText(i), metrics, advances);
        widestEstimate = qMax(widestEstimate, estimates[i]);
    }
    // Kerning and the overhang of a text's first and last letters move its width by a few
    // pixels: only a name whose estimate comes that close to the widest can be the widest.
    const int margin = qMax(metrics.maxWidth(), widestEstimate / 8);
    QString widest;
    int widestWidth = -1;
    for (int i = 0; i < count; ++i) {
        if (estimates[i] >= 0 && estimates[i] < widestEstimate - margin)
            continue;
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

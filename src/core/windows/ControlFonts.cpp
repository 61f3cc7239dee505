#include "ControlFonts.h"

#include <QWidget>

void applyFontSetting(const QList<QWidget*>& controls, const QString& name,
                      const QString& sizeText) {
    bool isNumber = false;
    const double size = sizeText.toDouble(&isNumber);
    for (QWidget* w : controls) {
        QFont font = w->font();
        if (!name.isEmpty())
            font.setFamily(name);
        if (isNumber && size > 0)
            font.setPointSizeF(size);
        w->setFont(font);
    }
}

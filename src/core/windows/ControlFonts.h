#pragma once

#include <QList>
#include <QString>

class QWidget;

// Gives controls a font setting (see FontSetting): the name, then the size (its decimal text).
// An empty name or a size that is no positive number leaves that part of each control's font
// as it was.
void applyFontSetting(const QList<QWidget*>& controls, const QString& name,
                      const QString& sizeText);

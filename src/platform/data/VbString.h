#pragma once

#include <QString>

// Trim, LTrim and RTrim of the original program: they remove the space character only. Tabs,
// carriage returns and line feeds stay (QString::trimmed() would remove them).
QString vbTrim(const QString& text);
QString vbLTrim(const QString& text);
QString vbRTrim(const QString& text);

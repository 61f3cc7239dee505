#include "SqlQuoting.h"

QString FixSQLQuotes(const QString& text) {
    QString quoted;
    quoted.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == QChar(0))
            continue;
        quoted += c;
        if (c == QLatin1Char('\''))
            quoted += c;
    }
    return quoted;
}

#include "TextLimits.h"

#include "Database.h"

#include <QRegularExpression>

namespace TextLimits {

QString ruleName(const QString& field, int limit) {
    return QStringLiteral("len:%1:%2").arg(field).arg(limit);
}

std::optional<TooLong> fromEngine(const QString& engineText) {
    static const QRegularExpression rule(
        QStringLiteral("CHECK constraint failed: len:([^:]+):(\\d+)"));
    const QRegularExpressionMatch m = rule.match(engineText);
    if (!m.hasMatch())
        return std::nullopt;
    return TooLong{m.captured(1), m.captured(2).toInt(), 0};
}

std::optional<TooLong> check(const QString& field, int limit, const QString& value) {
    const qsizetype length = Database::textLength(value);
    if (length <= limit)
        return std::nullopt;
    return TooLong{field, limit, length};
}

QString engineMessage(const TooLong& tooLong) {
    return QStringLiteral("The text is too long for the field %1 (at most %2 characters).")
        .arg(tooLong.field)
        .arg(tooLong.limit);
}

QString message(const QString& what, const TooLong& tooLong, const QString& then) {
    QString text = QStringLiteral("The %1 can hold at most %2 characters; it holds %3 now.")
                       .arg(what)
                       .arg(tooLong.limit)
                       .arg(tooLong.length);
    if (!then.isEmpty())
        text += QLatin1Char(' ') + then;
    return text;
}

} // namespace TextLimits

#include "LineBreaks.h"

#include <QRegularExpression>

namespace LineBreaks {

namespace {

const QRegularExpression& breaks() {
    static const QRegularExpression any(QStringLiteral("\r\n|\r|\n"));
    return any;
}

} // namespace

QString toLf(const QString& text) {
    QString result = text;
    return result.replace(breaks(), QStringLiteral("\n"));
}

QString toCrLf(const QString& text) {
    QString result = text;
    return result.replace(breaks(), QStringLiteral("\r\n"));
}

QStringList split(const QString& text) {
    return text.split(breaks());
}

QStringList lines(const QString& text) {
    QStringList pieces = split(text);
    if (pieces.last().isEmpty())
        pieces.removeLast();
    return pieces;
}

} // namespace LineBreaks

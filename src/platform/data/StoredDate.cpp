#include "StoredDate.h"

#include "VbFormat.h"

namespace StoredDate {

std::optional<DayAndTime> readOwnForm(QStringView text) {
    if (text.size() != 19 || text[4] != u'-' || text[7] != u'-' || text[10] != u' ' ||
        text[13] != u':' || text[16] != u':')
        return std::nullopt;
    int n[6];
    const int starts[6] = {0, 5, 8, 11, 14, 17};
    for (int k = 0; k < 6; ++k) {
        const qsizetype end = starts[k] + (k == 0 ? 4 : 2);
        n[k] = 0;
        for (qsizetype i = starts[k]; i < end; ++i) {
            if (text[i] < u'0' || text[i] > u'9')
                return std::nullopt;
            n[k] = n[k] * 10 + (text[i].unicode() - u'0');
        }
    }
    if (!QDate::isValid(n[0], n[1], n[2]) || !QTime::isValid(n[3], n[4], n[5]))
        return std::nullopt;
    return DayAndTime{QDate(n[0], n[1], n[2]), QTime(n[3], n[4], n[5])};
}

QString toStored(const QDateTime& value) {
    if (!value.isValid())
        return QString();
    const QDateTime local = value.timeSpec() == Qt::LocalTime ? value : value.toLocalTime();
    const QDate d = local.date();
    const QTime t = local.time();
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d", d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

QVariant toSqlValue(const QDateTime& value) {
    if (!value.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return toStored(value);
}

QVariant toSqlValue(const QDate& day) {
    if (!day.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return QString::asprintf("%04d-%02d-%02d 00:00:00", day.year(), day.month(), day.day());
}

QDateTime fromStored(const QVariant& value) {
    if (value.isNull())
        return QDateTime();
    switch (value.typeId()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().isValid() ? QDateTime(value.toDate(), QTime(0, 0)) : QDateTime();
    case QMetaType::QString: {
        const QString text = value.toString();
        // The file's own form is read at once (an import reads two of them a log).
        if (const auto own = readOwnForm(text)) {
            const QDateTime result(own->day, own->time);
            return result.isValid() ? result : QDateTime();
        }
        return VbFormat::parseDate(text).value_or(QDateTime());
    }
    default:
        return QDateTime();
    }
}

} // namespace StoredDate

#include "StoredDate.h"

#include "VbFormat.h"

namespace StoredDate {

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
    case QMetaType::QString:
        return VbFormat::parseDate(value.toString()).value_or(QDateTime());
    default:
        return QDateTime();
    }
}

} // namespace StoredDate

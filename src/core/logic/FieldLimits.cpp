#include "FieldLimits.h"

#include "DatabaseSchema.h"
#include "platform/data/Database.h"

namespace FieldLimits {

std::optional<TooLong> firstTooLong(const QString& table, const QVariantMap& changes) {
    const Schema::Table* t = Schema::table(table);
    if (!t)
        return std::nullopt;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        if (it.value().isNull())
            continue;
        for (const Schema::Field& f : t->fields) {
            if (f.type != Schema::FieldType::Text ||
                f.name.compare(it.key(), Qt::CaseInsensitive) != 0)
                continue;
            const qsizetype length = Database::textLength(it.value().toString());
            if (length > f.size)
                return TooLong{f.name, f.size, length};
        }
    }
    return std::nullopt;
}

QString message(const QString& caption, const TooLong& tooLong) {
    return QStringLiteral("The %1 box can hold at most %2 characters; it holds %3 now. Shorten "
                          "it, then save or move on.")
        .arg(caption)
        .arg(tooLong.limit)
        .arg(tooLong.length);
}

} // namespace FieldLimits

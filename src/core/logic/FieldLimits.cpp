#include "FieldLimits.h"

#include "DatabaseSchema.h"

namespace FieldLimits {

namespace {

const Schema::Field* textField(const Schema::Table& table, const QString& name) {
    for (const Schema::Field& f : table.fields)
        if (f.type == Schema::FieldType::Text && f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

} // namespace

int width(const QString& table, const QString& field) {
    const Schema::Table* t = Schema::table(table);
    const Schema::Field* f = t ? textField(*t, field) : nullptr;
    return f ? f->size : 0;
}

std::optional<TooLong> tooLong(const QString& table, const QString& field, const QString& value) {
    const Schema::Table* t = Schema::table(table);
    const Schema::Field* f = t ? textField(*t, field) : nullptr;
    return f ? TextLimits::check(f->name, f->size, value) : std::nullopt;
}

std::optional<TooLong> firstTooLong(const QString& table, const QVariantMap& changes) {
    const Schema::Table* t = Schema::table(table);
    if (!t)
        return std::nullopt;
    for (auto it = changes.constBegin(); it != changes.constEnd(); ++it) {
        if (it.value().isNull())
            continue;
        if (const Schema::Field* f = textField(*t, it.key()))
            if (auto found = TextLimits::check(f->name, f->size, it.value().toString()))
                return found;
    }
    return std::nullopt;
}

QString message(const QString& caption, const TooLong& tooLong) {
    return TextLimits::message(caption + QStringLiteral(" box"), tooLong,
                               QStringLiteral("Shorten it, then save or move on."));
}

} // namespace FieldLimits

#include "JetFunctions.h"

#include "AppError.h"
#include "VbFormat.h"

#include <QDateTime>
#include <sqlite3.h>

namespace {

QString text(sqlite3_value* v) {
    const auto* bytes = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return QString::fromUtf8(bytes, sqlite3_value_bytes(v));
}

// Dates are stored as text "yyyy-MM-dd HH:mm:ss"; a value in exactly that form is a date.
std::optional<QDateTime> storedDate(const QString& s) {
    static const QString digitsAt = QStringLiteral("dddd-dd-dd dd:dd:dd");
    if (s.size() != digitsAt.size())
        return std::nullopt;
    for (qsizetype i = 0; i < s.size(); ++i) {
        const bool digit = digitsAt[i] == QLatin1Char('d');
        const bool isDigit = s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9');
        if (digit ? !isDigit : s[i] != digitsAt[i])
            return std::nullopt;
    }
    const QDate date = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
    const QTime time = QTime::fromString(s.mid(11), QStringLiteral("HH:mm:ss"));
    if (!date.isValid() || !time.isValid())
        return std::nullopt;
    return QDateTime(date, time);
}

// The argument as the formatting layer takes it; a stored date arrives as a date.
QVariant argument(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_value_int64(v)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_value_double(v));
    default: {
        const QString s = text(v);
        if (const auto date = storedDate(s))
            return *date;
        return s;
    }
    }
}

void resultText(sqlite3_context* ctx, const QString& value) {
    const QByteArray utf8 = value.toUtf8();
    sqlite3_result_text(ctx, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Runs a function body; a failure becomes the statement's error instead of crossing the
// engine's C frames.
template <typename Body>
void guarded(sqlite3_context* ctx, Body body) {
    try {
        body();
    } catch (const std::exception& e) {
        sqlite3_result_error(ctx, e.what(), -1);
    }
}

void formatFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    guarded(ctx, [&] {
        const QString pattern =
            sqlite3_value_type(argv[1]) == SQLITE_NULL ? QString() : text(argv[1]);
        resultText(ctx, VbFormat::format(argument(argv[0]), pattern));
    });
}

// CStr of Null is an error in the original engine; here it gives Null, so that a test such
// as "IsNull(x) OR CStr(x) = ''" holds whichever side the engine evaluates first.
void cstrFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    guarded(ctx, [&] {
        if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
            sqlite3_result_null(ctx);
        else
            resultText(ctx, VbFormat::cstr(argument(argv[0])));
    });
}

void isNullFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_int(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? 1 : 0);
}

bool isNumber(sqlite3_value* v) {
    const int type = sqlite3_value_type(v);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

QString plusText(sqlite3_value* v) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
        return QString::number(sqlite3_value_int64(v));
    case SQLITE_FLOAT:
        return VbFormat::cstr(QVariant(sqlite3_value_double(v)));
    default:
        return text(v);
    }
}

// Jet's "+": Null when either side is Null, the sum of two numbers, else the two texts joined.
void plusFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    guarded(ctx, [&] {
        sqlite3_value* a = argv[0];
        sqlite3_value* b = argv[1];
        if (sqlite3_value_type(a) == SQLITE_NULL || sqlite3_value_type(b) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
        } else if (isNumber(a) && isNumber(b)) {
            sqlite3_int64 sum = 0;
            if (sqlite3_value_type(a) == SQLITE_INTEGER &&
                sqlite3_value_type(b) == SQLITE_INTEGER &&
                !__builtin_add_overflow(sqlite3_value_int64(a), sqlite3_value_int64(b), &sum))
                sqlite3_result_int64(ctx, sum);
            else
                sqlite3_result_double(ctx, sqlite3_value_double(a) + sqlite3_value_double(b));
        } else {
            resultText(ctx, plusText(a) + plusText(b));
        }
    });
}

void define(sqlite3* db, const char* name, int arguments,
            void (*function)(sqlite3_context*, int, sqlite3_value**)) {
    const int rc =
        sqlite3_create_function_v2(db, name, arguments, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                   function, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw AppError(AppError::EngineError,
                       QStringLiteral("The SQL function %1 could not be registered: %2")
                           .arg(QLatin1String(name), QString::fromUtf8(sqlite3_errstr(rc))));
}

} // namespace

void registerJetFunctions(sqlite3* db) {
    if (!db)
        throw AppError(AppError::EngineError,
                       QStringLiteral("The SQL functions could not be registered: the database "
                                      "connection has no engine handle."));
    // Named as the statements spell them; the engine compares function names without regard
    // to case, so "CStr" and "cstr" reach the same function.
    define(db, "Format", 2, formatFunction);
    define(db, "Cstr", 1, cstrFunction);
    define(db, "IsNull", 1, isNullFunction);
    define(db, "jet_plus", 2, plusFunction);
}

#pragma once

#include <QString>
#include <optional>

// The length limits of a file's text fields and how a text too long for one is named. The
// file's length rules carry their field and limit in their names, so that the engine's own
// refusal can name them; the checks made before a write word their refusals alike.
namespace TextLimits {

struct TooLong {
    QString field;
    int limit = 0;        // characters
    qsizetype length = 0; // characters, as the engine counts them; 0 where unknown
};

// The name of a text field's length rule in the file's schema ("len:Rate:10").
QString ruleName(const QString& field, int limit);
// The field and limit of the length rule that an engine refusal names; nothing for any other
// refusal.
std::optional<TooLong> fromEngine(const QString& engineText);
// A value longer than its field allows, counted as the engine counts (a character outside the
// basic plane is one).
std::optional<TooLong> check(const QString& field, int limit, const QString& value);

// What the user is told of a write that the engine refused for a length rule.
QString engineMessage(const TooLong& tooLong);
// What the user is told when a check before the write finds a text too long: what holds it
// ("State box", "Client field", "thing to do"), its limit and length, then what to do.
QString message(const QString& what, const TooLong& tooLong, const QString& then = {});

} // namespace TextLimits

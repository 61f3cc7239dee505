#include "JetSql.h"

// Placeholder until the translator lands.
namespace JetSql {
QString translate(const QString& jetSql) {
    return jetSql;
}
QString likeEscape(const QString& value) {
    return value;
}
} // namespace JetSql

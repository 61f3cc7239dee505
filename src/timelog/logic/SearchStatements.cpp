#include "SearchStatements.h"

#include "core/logic/SqlQuoting.h"
#include "platform/data/JetSql.h"
#include "platform/data/VbFormat.h"

namespace SearchStatements {

namespace {

const QString Select = QStringLiteral("SELECT * FROM Vellagons ");

// "Client Like '<value>' ": one field equal to a value, without regard to case.
QString condition(const QString& field, const QString& value) {
    return field + QStringLiteral(" Like '") + likeValue(value) + QStringLiteral("' ");
}

QString textCondition(const QString& text) {
    return QStringLiteral("Vellagon Like '%") + likeValue(text) + QStringLiteral("%' ");
}

QString refined(const QString& seed, const QString& condition) {
    return seed.isEmpty() ? QStringLiteral("WHERE ") + condition
                          : seed + QStringLiteral(" AND ") + condition;
}

// The engine refuses an expression nested deeper than 1000 levels, and each OR of a chain is
// one level: a long list is split into parenthesised groups of this many conditions.
constexpr qsizetype ClientsPerGroup = 500;

// "Client Like 'A'  OR Client Like 'B' "
QString anyClient(const QStringList& clients) {
    QStringList groups;
    for (qsizetype start = 0; start < clients.size(); start += ClientsPerGroup) {
        QStringList conditions;
        for (const QString& client : clients.mid(start, ClientsPerGroup))
            conditions << condition(QStringLiteral("Client"), client);
        groups << conditions.join(QStringLiteral(" OR "));
    }
    if (groups.size() == 1)
        return groups.first();
    return QLatin1Char('(') + groups.join(QStringLiteral(") OR (")) + QLatin1Char(')');
}

// The range of Beginning Time: the end day counts whole (up to its last second).
QString between(const DateRange& range) {
    return QStringLiteral("[Beginning Time] BETWEEN #") +
           VbFormat::dateText(range.begin.startOfDay()) + QStringLiteral("# AND #") +
           VbFormat::dateText(QDateTime(range.end, QTime(23, 59, 59))) + QStringLiteral("# ");
}

} // namespace

std::optional<DateRange> recentRange(int timeFrame, const QDate& today) {
    switch (timeFrame) {
    case LastMonth:
        return DateRange{today.addDays(-31), today};
    case LastSixMonths:
        return DateRange{today.addDays(-183), today};
    case LastYear:
        return DateRange{today.addDays(-366), today};
    default:
        return std::nullopt;
    }
}

QString likeValue(const QString& value) {
    return JetSql::likeEscape(FixSQLQuotes(value));
}

std::optional<Search> search(int searchType, const QString& seed, const Sought& sought) {
    const auto by = [&](const QString& field, const QString& value) {
        const QString where = refined(seed, condition(field, value));
        return Search{where, Select + where};
    };
    switch (searchType) {
    case CurrentClient:
    case AnotherClient:
        return by(QStringLiteral("Client"), sought.client);
    case Employee:
        return by(QStringLiteral("Employee"), sought.employee);
    case Project:
        return by(QStringLiteral("Project"), sought.project);
    case LogText: {
        const QString where = refined(seed, textCondition(sought.text));
        return Search{where, Select + where};
    }
    case ClientOrProject:
        if (!sought.client.isEmpty())
            return by(QStringLiteral("Client"), sought.client);
        if (!sought.project.isEmpty())
            return by(QStringLiteral("Project"), sought.project);
        break;
    case AllActiveClients: {
        if (sought.clients.isEmpty())
            return std::nullopt;
        const QString list = anyClient(sought.clients);
        if (seed.isEmpty()) {
            const QString where = QStringLiteral("WHERE (") + list + QStringLiteral(") ");
            return Search{where, Select + QLatin1Char(' ') + where};
        }
        // A refined search keeps its clause and requires one of the clients besides.
        const QString where = seed + QStringLiteral(" AND (") + list + QStringLiteral(") ");
        return Search{where, Select + where};
    }
    default:
        break;
    }
    return Search{seed, Select + seed};
}

QString finish(const Search& search, int searchType, const std::optional<DateRange>& range) {
    QString statement = search.statement;
    if (range)
        statement += (search.where.isEmpty() ? QStringLiteral("WHERE ") : QStringLiteral("AND ")) +
                     between(*range);
    statement += searchType == AllActiveClients
                     ? QStringLiteral(" ORDER BY Client, [Beginning Time]")
                     : QStringLiteral(" ORDER BY [Beginning Time]");
    return statement;
}

std::optional<QString> report(int searchType, const Sought& sought,
                              const std::optional<DateRange>& range) {
    QString statement = QStringLiteral("SELECT * FROM Vellagons WHERE ");
    QString order = QStringLiteral("ORDER BY [Beginning Time]");
    switch (searchType) {
    case CurrentClient:
    case AnotherClient:
        statement += condition(QStringLiteral("Client"), sought.client);
        break;
    case Employee:
        statement += condition(QStringLiteral("Employee"), sought.employee);
        break;
    case Project:
    case ProjectReport:
        statement += condition(QStringLiteral("Project"), sought.project);
        break;
    case LogText:
        statement +=
            QStringLiteral("Vellagon LIKE '%") + likeValue(sought.text) + QStringLiteral("%' ");
        break;
    case AllActiveClients:
        if (sought.clients.isEmpty())
            return std::nullopt;
        statement += QLatin1Char('(') + anyClient(sought.clients) + QStringLiteral(") ");
        order = QStringLiteral("ORDER BY Client, [Beginning Time]");
        break;
    default:
        return std::nullopt;
    }
    if (range)
        statement += QStringLiteral("AND ") + between(*range);
    return statement + order;
}

} // namespace SearchStatements

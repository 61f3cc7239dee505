#include "ConnectionString.h"

namespace ConnectionString {

QString plain(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") +
           QStringLiteral("Persist Security Info=False;") + QStringLiteral("Data Source=") + path;
}

QString withUser(const QString& path) {
    return QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;") +
           QStringLiteral("Persist Security Info=False;User ID=Admin;") +
           QStringLiteral("Data Source=") + path;
}

QString dataSource(const QString& connectionString) {
    const QString key = QStringLiteral("Data Source=");
    const qsizetype at = connectionString.indexOf(key, 0, Qt::CaseInsensitive);
    if (at < 0)
        return {};
    return connectionString.mid(at + key.size());
}

} // namespace ConnectionString

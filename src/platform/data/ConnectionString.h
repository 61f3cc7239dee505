#pragma once

#include <QString>

// The connection strings with which windows and procedures name a database file. Only the
// file path ("Data Source=") matters to this engine; the rest is kept for the record.
namespace ConnectionString {

// "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;Data Source=" + path
QString plain(const QString& path);
// "Provider=Microsoft.Jet.OLEDB.4.0;Persist Security Info=False;User ID=Admin;Data Source=" + path
QString withUser(const QString& path);
// The path after "Data Source=" (to the end: a path may hold ";").
QString dataSource(const QString& connectionString);

} // namespace ConnectionString

#pragma once

#include <QString>

// The welcome text of the first-run introduction, for a file without clients, without
// employees, or without both: a paragraph for each list that is empty, clients first.
namespace IntroductionText {

QString build(bool noClients, bool noEmployees);

} // namespace IntroductionText

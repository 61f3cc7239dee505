#pragma once

#include "platform/widgets/ShippedPages.h"

#include <QString>

// The help pages that ship inside the program (resources/help): the browser shows them and
// nothing else. The start page holds the contents, the search page the keyword index, and the
// not-available page stands for every address that is not one of them.
namespace HelpPages {

inline const QString Folder = QStringLiteral(":/help");
inline const QString StartPage = QStringLiteral("index.html");
inline const QString SearchPage = QStringLiteral("search.html");
inline const QString UnavailablePage = QStringLiteral("unavailable.html");

inline ShippedPages pages() {
    return ShippedPages(Folder);
}

} // namespace HelpPages

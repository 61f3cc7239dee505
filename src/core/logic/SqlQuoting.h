#pragma once

#include <QString>

// Makes user text safe between apostrophes in an SQL string literal: each apostrophe is
// doubled and NUL characters are dropped. Takes a copy: the caller's variable keeps the raw
// text, so quoting the same value for a second statement gives the same result.
QString FixSQLQuotes(const QString& text);

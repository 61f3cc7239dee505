#pragma once

#include <QString>
#include <QStringList>

// The line breaks of texts: the files keep CR LF, text boxes give LF, and some writers left a
// lone CR. Each function takes all three.
namespace LineBreaks {

// Every break as LF, as a text box shows it.
QString toLf(const QString& text);
// Every break as CR LF, as the files keep it.
QString toCrLf(const QString& text);
// The texts between the breaks: a text that ends with a break ends with an empty one.
QStringList split(const QString& text);
// The lines of a text: each break ends a line, and a final break adds no empty line.
QStringList lines(const QString& text);

} // namespace LineBreaks

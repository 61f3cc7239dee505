#pragma once

class QTextDocument;

// Prints the whole content of a rich text box, page after page, inside margins given in twips
// from the paper's edges (the printer's unprintable border is taken into account, so 1440 is
// one inch of white paper). An empty box prints one page. The box's document is not touched:
// a copy is laid out on the printer. A picture taller than a page runs on over the next pages;
// margins that leave no room for one line of the box's text stop with an error. Errors (a
// cancelled print dialog included) pass to the caller as AppError; the job is then dropped.
void PrintRTF(const QTextDocument& document, int leftMargin, int topMargin, int rightMargin,
              int bottomMargin);

#pragma once

#include "ToDoItems.h"

#include <QList>

class Printer;

// The printed to-do list: a heading line, then one line per item in list order, in the print
// font. Names and texts too wide for their columns are printed smaller, down to a smallest
// size, and shortened below that. A row that would reach the footer goes to the next page;
// every page but the last ends with "- n -".
namespace ToDoPrinting {

constexpr double SmallestSize = 4; // points
const QString DocumentName = QStringLiteral("To Do List");

// Prints the items on the printer the user has (with none, into the PDF file the user names).
// An empty list prints nothing; a failure ends the job with one message.
void print(const QList<ToDoItem>& items);
// The pages themselves, on a job that is open. Throws AppError.
void printPages(Printer& printer, const QList<ToDoItem>& items);

} // namespace ToDoPrinting

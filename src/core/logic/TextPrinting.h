#pragma once

#include "SharedState.h"

#include <QList>
#include <QStringList>

// Prints print-line records as plain text pages: one-inch margins (a margin of 0 becomes 1),
// word wrap at the right margin, "- n -" at the foot of every page of a job longer than one
// page, and the placement codes ":>01" (centred), ":>02" (from the middle of the page) and
// ":>03" (centred, half an inch from the top). Errors end the job with one message.
void PrintTextArray(QList<PrintLine>& printLines);

// Takes the first word, with its trailing blank, off gstrWrapBuffer into gstrWrapWord.
void SplitFirstWord();

#pragma once

class AppError;
class ChildWindow;

// The Data entry window's "&Invoice" commands; the window's command prologue has run, so
// gstrDatabasePath names its file.

// "Add or change &letterhead": the letterhead window, modally.
void mnuLetterhead_Click(ChildWindow* from);

// "Create in&voice": makes sure the file has a letterhead (offering the letterhead window when
// it has none, after which the command ends), asks for the client and the range of days,
// composes the letter from the client's row and shows the invoice of the client's logs in the
// range, modally. A pick list closed without a choice says so; a range never chosen ends it
// quietly; a client without logs in the range is told so instead of an empty invoice.
void mnuCreateInvoice_Click(ChildWindow* from);

// A billing command's failure, as its error handler tells it: "Error:", the number and the
// description.
void showBillingError(const AppError& e);

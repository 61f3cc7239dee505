#pragma once

class QString;

// The payments and disbursements window's "Re&port": the statement of one client's
// disbursements when the window shows "Display disbursements" (tab 2), else of the client's
// payments, from the window's own file. It asks for the client, makes sure the file has a
// letterhead (offering the letterhead window when it has none), composes the letter from the
// client's row and shows the statement, modally. A pick list closed without a choice, a
// letterhead still missing and a client without rows of the kind are each told instead.
void showPaymentStatement(const QString& path, int tab);

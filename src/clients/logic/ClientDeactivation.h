#pragma once

#include "core/logic/ListTables.h"

#include <QList>
#include <QString>
#include <QVariant>

class Database;

// Deactivation: an active client's row leaves `Active Clients` and a shorter row with the case
// closure date takes its place in `Inactive Clients`, in one transaction. Names are given as
// list items (last and first name as stored), never split from a list's text.
namespace ClientDeactivation {

// The question asked before a client is moved.
QString confirmation(const ListItem& client);

// The inactive clients of the file, as the inactive list shows them.
QList<ListItem> inactiveClients(const Database& db);

enum class Outcome {
    Moved,   // the inactive row stands and the active one is gone
    NotFound // no active row has exactly these names (another window deleted it): no change
};

// Moves the active row whose names equal the item's exactly (letter case counts) with the
// closure date (a null or invalid one leaves the field empty). A failure of the engine throws
// AppError and leaves both tables as they were.
Outcome deactivate(const Database& db, const ListItem& client, const QVariant& closureDate);

} // namespace ClientDeactivation

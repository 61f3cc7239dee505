#pragma once

class Database;

// Active clients moved between database files, field by field under the table's own names, in
// the source table's order, in one transaction of the target: all of it lands, or nothing. A
// client is known by its last and first name, compared without regard to case; a source row
// without both names is passed over (the target's key could not hold it, and it names no
// client to match).
namespace ClientTransfer {

struct Result {
    int clients = 0;  // rows of the source table
    int added = 0;    // clients new to the target
    int replaced = 0; // clients of the target written over
};

// Adds the clients of source that target lacks; a client that target holds keeps its record.
Result exportClients(const Database& source, const Database& target);

// Brings the clients of source into target: a client that target holds is written over in
// place, every field, Nulls included; the others are added.
Result importClients(const Database& source, const Database& target);

} // namespace ClientTransfer

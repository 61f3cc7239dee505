#pragma once

struct sqlite3;

// Registers on one connection the functions of the Jet dialect that the program's SQL uses:
// Format(value, pattern), IsNull(value), CStr(value), and jet_plus(a, b), the run-time typed
// "+" (addition of numbers, concatenation of texts, Null when either side is Null).
// Throws AppError when the engine refuses a registration.
void registerJetFunctions(sqlite3* db);

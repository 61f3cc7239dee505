#include "JetFunctions.h"

// Placeholder until the functions land.
void registerJetFunctions(sqlite3*) {
}

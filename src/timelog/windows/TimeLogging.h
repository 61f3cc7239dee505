#pragma once

// Registers the time-logging windows with the core: the Display and Data entry windows that
// the core makes on demand, and the client and employee lists that start-up may show.
void registerTimeLogging();

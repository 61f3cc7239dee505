#pragma once

// Registers the time-logging windows with the core (the Display and Data entry windows that
// the core makes on demand).
void registerTimeLogging();

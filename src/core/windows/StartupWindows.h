#pragma once

// Gives start-up the core's own windows that it shows when they are due: the tip of the day
// and the first-run introduction.
void registerStartupWindows();

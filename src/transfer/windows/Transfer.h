#pragma once

// Registers the transfer commands of the Display window's File menu with the core.
void registerTransfer();

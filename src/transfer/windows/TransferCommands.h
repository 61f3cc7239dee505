#pragma once

// The transfer commands of the Display window's File menu. Each runs after the window's command
// prologue, on the current Display window, and returns whether it completed (its success
// message shown).

// Saves the window's file under a new name, with the logs the window shows, and opens a Display
// window on the new file.
bool SaveFileAs();
// Writes the logs the window shows into a new file of the program's schema.
bool ExportVellagons();
// Appends the logs of another file to the window's file.
bool ImportVellagons();
// Adds the active clients of the window's file to another file, made when it is missing.
bool ExportActiveClients();
// Brings the active clients of another file into the window's file.
bool ImportActiveClients();

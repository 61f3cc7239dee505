#pragma once

// Registers the to-do list with the child windows that open it (the Data entry window's
// "Things To Do").
void registerThingsToDo();

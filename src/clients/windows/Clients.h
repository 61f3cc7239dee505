#pragma once

// Registers the commands of the client contact database with the child windows that offer
// them (the contact database and the inactive clients window).
void registerClients();

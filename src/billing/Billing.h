#pragma once

// Registers the commands of billing with the child windows that offer them (the letterhead
// and the invoice of the Data entry window).
void registerBilling();

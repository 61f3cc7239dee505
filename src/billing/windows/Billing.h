#pragma once

// Registers the commands of billing with the child windows that offer them (the letterhead,
// the invoice and the disbursements and payments of the Data entry window).
void registerBilling();

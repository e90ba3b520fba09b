#pragma once

class CommandBinder;

// Binds the transaction-entry commands: the Payment Vouchers button (with the
// vendor check), the Receipts button (with the customer check), the Bank Charges / Interest
// / Misc button, and their Data Entry menu items (without the checks).
void installEntryCommands(CommandBinder& commands);

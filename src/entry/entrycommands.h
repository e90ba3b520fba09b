#pragma once

class SwitchboardWindow;

// Binds the switchboard's transaction-entry commands: the Payment Vouchers button (with the
// vendor check) and the Data Entry > Payment Vouchers menu item.
void installEntryCommands(SwitchboardWindow& switchboard);

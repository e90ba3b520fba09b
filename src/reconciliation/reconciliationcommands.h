#pragma once

class SwitchboardWindow;

// Binds the switchboard's Cashbook button and menu item and its Period End Processing
// button (whose menu item presses the button).
void installReconciliationCommands(SwitchboardWindow& switchboard);

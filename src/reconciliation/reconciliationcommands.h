#pragma once

class CommandBinder;

// Binds the Cashbook button and menu item and its Period End Processing
// button (whose menu item presses the button).
void installReconciliationCommands(CommandBinder& commands);

#pragma once

class SwitchboardWindow;

// Binds the switchboard's buttons and menu items of the code lists, departments, the chart
// of accounts and the tax table.
void installMastersCommands(SwitchboardWindow& switchboard);

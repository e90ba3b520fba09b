#pragma once

class SwitchboardWindow;

// Binds the switchboard's commands for the company, fiscal period and bank, and bank GL
// account windows.
void installSetupWindowCommands(SwitchboardWindow& switchboard);

#pragma once

class SwitchboardWindow;

// Binds the switchboard's commands for the Accpac / Adagio settings window.
void installAccpacSettingsCommands(SwitchboardWindow& switchboard);

#pragma once

class CommandBinder;

// Binds the commands for the Accpac / Adagio settings window.
void installAccpacSettingsCommands(CommandBinder& commands);

#pragma once

class SwitchboardWindow;

// Binds every switchboard command that has been built. Each subsystem contributes one
// install function, called from installCommands().
void installCommands(SwitchboardWindow& switchboard);

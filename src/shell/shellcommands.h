#pragma once

class SwitchboardWindow;

// Binds the switchboard's own commands: help, quit, exit, calculator, compaction, backup
// and restore, the licence and about boxes, and the Period End menu item, which presses
// cmdPEProcessing and is enabled exactly while that button is.
void installShellCommands(SwitchboardWindow& switchboard);

#pragma once

class CommandBinder;

// Binds the buttons and menu items of the code lists, departments, the chart
// of accounts and the tax table.
void installMastersCommands(CommandBinder& commands);

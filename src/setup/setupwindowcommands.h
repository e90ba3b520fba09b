#pragma once

#include <functional>

class CommandBinder;

// Binds the commands for the company, fiscal period and bank, and bank GL account windows.
// `companySaved` runs once the company window has saved, so that what shows the company's
// name and address shows them at once.
void installSetupWindowCommands(CommandBinder& commands, std::function<void()> companySaved);

#pragma once

struct Services;

// Period-end processing as the switchboard runs it: asks whether to move the book to the
// next fiscal month (No leaves it as it is), moves it, and says where it now stands.
// Failures go to the caller's handler guard ("cmdPEProcessing" or the menu item's name).
void runPeriodEnd(Services& services);

#pragma once

#include "data/money.h"

struct Services;

// calcCurrentBalance as the windows and report launchers call it: the balance of a mode
// (Balances::Mode: 0 cashbook current balance, 1 cashbook opening balance of the current
// fiscal month, 2 bank statement balance) read from the book at the moment of the call. A
// failure is shown as the error report labelled "calcCurrentBalance" and gives 0; the
// caller carries on with it.
Money calcCurrentBalance(Services& services, int mode);

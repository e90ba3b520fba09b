#pragma once

#include "data/money.h"

#include <QDate>

class Database;

// The balances of the book: the starting bank balance plus the bank side (DoubleEntryBank)
// of the transactions a mode takes. Reversed ("3") and void ("4") transactions never count.
// The sums come from the maintained totals (CashbookTotals), so a balance costs the same on
// a book of ten years as on an empty one, and always reflects the book at the moment of the
// call: nothing is cached.
namespace Balances {

enum Mode {
    // Cashbook current balance: Outstanding and Reconciled, any date.
    CurrentBalance = 0,
    // Cashbook opening balance of the current fiscal month: Outstanding and Reconciled,
    // dated before its first day (an earlier year, or the same year and an earlier month).
    OpeningBalance = 1,
    // Bank statement balance: Reconciled, any date.
    StatementBalance = 2,
};

// The balance of a mode. Throws Failure when the starting balance is empty or no amount,
// the current month or year is no whole number (mode 1), the mode is none of the three, or
// the book cannot be read. The windows and report launchers call the reporting form,
// calcCurrentBalance(Services&, int) (reconciliation/currentbalance.h), which reports the
// failure and carries on with 0.
Money calcCurrentBalance(const Database& db, int mode);

// The balance of a mode as it stood at the start of `day`, for a look back: the starting
// balance plus the transactions dated before that day whose statuses the mode counts as they
// are now (CurrentBalance: Outstanding and Reconciled; StatementBalance: Reconciled).
// Undated transactions belong to no day and never count. The whole months come from the
// maintained totals, the days of `day`'s month before it from the transactions themselves.
// Throws Failure as calcCurrentBalance does, and for OpeningBalance, which names no day.
Money balanceBefore(const Database& db, int mode, const QDate& day);

} // namespace Balances

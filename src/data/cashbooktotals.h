#pragma once

#include <QString>

class Database;

// The maintained totals of the cashbook: for each reconciliation status and calendar month,
// the sum of DoubleEntryBank and the number of transactions. Triggers on tblCashbook keep
// them inside the statement (and so the transaction) of every insert, update and delete, so
// the balances never read the transactions themselves and are never out of date.
//
// A month is the number year * 100 + month of TransDate (202403 for March 2024); a
// transaction without a date is kept under kNoPeriod, which no period range includes. A
// status is the stored text, Null kept as the empty text.
namespace CashbookTotals {

inline const QString kTable = QStringLiteral("tblCashbookTotals");
constexpr int kNoPeriod = -1;

// Creates the table, its triggers and the index the reconciliation list reads by, and fills
// the table from the transactions already in the book. Run inside the caller's transaction.
void create(const Database& db);

// The month number of a period of the book's settings (March 2024: 202403).
constexpr int periodOf(int year, int month) {
    return year * 100 + month;
}

} // namespace CashbookTotals

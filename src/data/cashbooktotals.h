#pragma once

#include "sqldialect.h"

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
//
// Another tool may write the book with any conflict clause (INSERT OR REPLACE, UPDATE OR
// FAIL, an upsert ...), and a clause of the outer statement overrides those inside the
// triggers. So no statement in the triggers can conflict: a total is changed by UPDATE and
// made by an INSERT only where none exists. A REPLACE removes the row it displaces without
// its delete trigger (unless recursive_triggers is on), so the row an insert or a change of
// key may displace is noted before the write (kDisplacedTable) and taken off the totals
// after it when it is gone.
namespace CashbookTotals {

inline const QString kTable = QStringLiteral("tblCashbookTotals");
inline const QString kDisplacedTable = QStringLiteral("tblCashbookTotalsDisplaced");
constexpr int kNoPeriod = -1;

// The totals as the book's format version 2 made them: the table, its first triggers, the
// index the reconciliation list reads by, and the totals counted from the transactions
// already in the book. Kept exactly as it was, since a book of that version must hold what
// the version made; renew() follows it. Run inside the caller's transaction.
void create(const Database& db);

// Format version 5: the triggers described above in place of the first ones, the table of
// displaced rows, and the totals counted again. Run inside the caller's transaction.
void renew(const Database& db);

// On a server book: the totals kept by one PL/pgSQL function run by three row triggers of
// tblCashbook (the same names as the book file's). A conflict clause of another tool's
// statement does not reach inside them, and an upsert that changes a row fires its update
// trigger, so nothing is displaced: kDisplacedTable is made and stays empty. Run inside the
// caller's transaction, in a book whose totals table is already made.
void createOnServer(const Database& db);

// Counts the totals afresh from the transactions. Run inside the caller's transaction.
void recount(const Database& db);

// A query of one value, in the dialect's words: 1 (true on the server) when the kept totals
// are exactly those the transactions give, 0 when they differ. It reads the whole of
// tblCashbook once.
QString agreementQuery(const SqlDialect& dialect);

// The month number of a period of the book's settings (March 2024: 202403).
constexpr int periodOf(int year, int month) {
    return year * 100 + month;
}

} // namespace CashbookTotals

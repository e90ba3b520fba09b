#pragma once

#include <QStringList>

class Database;

// The book's upgrade steps, each one run inside the upgrade's transaction (BookFormat).
namespace UpgradeSteps {

// Version 1: departments stored as blanks (" ") become the empty text everywhere a
// department code is stored. A chart row that would then repeat an account already held
// with the empty department is left as it is, and the notice names its account for merging.
void emptyBlankDepartments(const Database& db, QStringList& notices);

// Version 3: the imported bank statement lines (tblStatementLines: each with the bank's identifier,
// unique, and the transaction it was matched to) and the column mapping of each bank
// account's comma-delimited statements (tblStatementCsvMapping).
void addStatementTables(const Database& db, QStringList& notices);

// Version 4: a statement line is known by its bank account, identifier, date and amount, as
// banks reuse identifiers: tblStatementLines gains BankAccount (the book's bank account for
// the lines already held) and loses its unique identifier. Kept CSV column mappings gain the
// debit/credit indicator column, its two values and the inverted sign ("v2" texts).
void keepStatementLinesPerAccount(const Database& db, QStringList& notices);

// Version 2: the maintained totals of the cashbook (CashbookTotals), filled from the
// transactions already in the book.
void addCashbookTotals(const Database& db, QStringList& notices);

// Version 4: the cashbook totals' triggers as they now are, right under every conflict clause
// another tool may write with (an INSERT OR REPLACE, an upsert ...), and the totals counted
// afresh, since such a write may already have put them out of step.
void renewCashbookTotals(const Database& db, QStringList& notices);

} // namespace UpgradeSteps
